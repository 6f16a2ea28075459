# The newcomer's commands: `make run` builds and starts the game, `make test` runs every test in a
# release build and in a sanitizer build. Both first install whatever Debian packages are missing.
JOBS ?= $(shell nproc)
PACKAGES := build-essential cmake pkg-config libsdl2-dev libimgui-dev libstb-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test test-release test-asan bench clean

deps:
	@missing=""; for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	./build/release/src/front/wreckhaul

test-release: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset release -j $(JOBS)

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

test: test-release test-asan

clean:
	rm -rf build
