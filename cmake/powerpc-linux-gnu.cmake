# Cross build for the box: 32-bit big-endian PowerPC Linux, with Debian's cross toolchain
# (g++-powerpc-linux-gnu). Its compiler already knows its own headers and libraries under
# /usr/powerpc-linux-gnu, so no --sysroot is passed.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)

set(MORVANE_CROSS_ROOT /usr/powerpc-linux-gnu)
set(CMAKE_C_COMPILER powerpc-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc-linux-gnu-g++)

# Libraries, headers and packages come from the target's tree only; programs (pkg-config,
# python3, the emulator) from the build machine.
set(CMAKE_FIND_ROOT_PATH ${MORVANE_CROSS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Target programs (the unit tests) run under user-mode QEMU, which takes the dynamic loader
# and the shared libraries from the target's tree.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc -L ${MORVANE_CROSS_ROOT})
