# The commands of the README, and the steps they share.
#   make run    builds the plug-in and the host, then opens the plug-in on a demo command file
#   make test   builds the default and the sanitizer build and runs every test in both, then
#               cross-builds for the box and runs its checks (ELF contract, unit tests under qemu)
#   make ppc    the release for the box: the stripped plug-in installed under build/ppc-root
#               and the archive build/ppc/morvane-VERSION-Linux-powerpc.tar.gz

DEMO_ROOT := build/demo

.PHONY: run test bootstrap build build-sanitize test-default test-sanitize clean \
        ppc build-ppc test-ppc

run: build
	scripts/demo-sandbox $(DEMO_ROOT)
	build/default/morvane-host --root $(DEMO_ROOT)

test: test-default test-sanitize test-ppc

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

# Released only from a build that passed its checks.
ppc: test-ppc
	cmake --install build/ppc --strip
	cpack --preset ppc

clean:
	rm -rf build
