# The two commands of the README, and the steps they share.
#   make run    builds the plug-in and the host, then opens the plug-in on a demo command file
#   make test   builds the default and the sanitizer build and runs every test in both

DEMO_ROOT := build/demo

.PHONY: run test bootstrap build build-sanitize test-default test-sanitize clean

run: build
	scripts/demo-sandbox $(DEMO_ROOT)
	build/default/morvane-host --root $(DEMO_ROOT)

test: test-default test-sanitize

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

clean:
	rm -rf build
