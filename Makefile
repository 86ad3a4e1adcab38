# The commands of the README, and the steps they share.
#   make run    builds the plug-in and the host, then opens the plug-in on a demo command file
#   make pictures  regenerates the README's pictures in docs/ from real runs
#   make test   builds the default and the sanitizer build and runs every test in both, then
#               cross-builds for the box and runs its checks (ELF contract, unit tests under qemu),
#               then runs each fuzz target for a minute (clang build in build/fuzz)
#   make ppc    the release for the box: the stripped plug-in installed under build/ppc-root
#               and the archive build/ppc/morvane-VERSION-Linux-powerpc.tar.gz

DEMO_ROOT := build/demo

.PHONY: run pictures test bootstrap build build-sanitize test-default test-sanitize clean \
        ppc build-ppc test-ppc bench build-fuzz test-fuzz

run: build
	scripts/demo-sandbox $(DEMO_ROOT)
	build/default/morvane-host --root $(DEMO_ROOT)

# The README's pictures, from real runs.
pictures: build
	scripts/pictures build/default/morvane-host

test: test-default test-sanitize test-ppc test-fuzz

bootstrap:
	scripts/bootstrap

build: bootstrap
	cmake --preset default
	cmake --build --preset default -j$$(nproc)

build-sanitize: bootstrap
	cmake --preset sanitize
	cmake --build --preset sanitize -j$$(nproc)

test-default: build
	ctest --preset default

test-sanitize: build-sanitize
	ctest --preset sanitize

build-ppc: bootstrap
	cmake --preset ppc
	cmake --build --preset ppc -j$$(nproc)

test-ppc: build-ppc
	ctest --preset ppc

build-fuzz: bootstrap
	cmake --preset fuzz
	cmake --build --preset fuzz -j$$(nproc)

test-fuzz: build-fuzz
	ctest --preset fuzz

# Released only from a build that passed its checks.
ppc: test-ppc
	cmake --install build/ppc --strip
	cpack --preset ppc

# The plug-in's own costs as ratios against plain baselines, with the stripped ppc32 size.
bench: build ppc
	build/default/morvane-bench build/bench-sandbox build/ppc-root/lib/kovrin/plugins/morvane.so.0

clean:
	rm -rf build
