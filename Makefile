# The newcomer's commands: `make run` builds and starts the game, `make test` runs every test in a
# release build and in a sanitizer build. Both first install whatever Debian packages are missing.
JOBS ?= $(shell nproc)
PACKAGES := build-essential cmake pkg-config libsdl2-dev libimgui-dev libstb-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test test-release test-asan fuzz bench soak clean

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

test: test-release test-asan fuzz
	bash tests/determinism.sh

# libFuzzer (clang) on the panel's number reading, under the sanitizers: a short run in the tests,
# as long as asked by hand: make fuzz FUZZ_RUNS=-1 (forever) or FUZZ_RUNS=50000000
FUZZ_RUNS ?= 300000
fuzz: deps
	mkdir -p build/fuzz/corpus
	clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc/core \
	    tests/fuzz/textnumber_fuzz.cpp src/core/tools/textnumber.cpp -o build/fuzz/textnumber
	./build/fuzz/textnumber -runs=$(FUZZ_RUNS) -max_len=512 -seed=1 build/fuzz/corpus

# Random play under the sanitizers for as long as asked: make soak PASSES=5000000 SEED=7
PASSES ?= 1000000
SEED ?= 1
soak: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS) --target wreckhaul_soak
	./build/asan/tests/wreckhaul_soak --seed $(SEED) --passes $(PASSES) --progress

# The benchmark scenarios on a release build, as docs/performance.md measures them; pass other
# options through BENCH_ARGS, e.g. make bench BENCH_ARGS=--benchmark_filter=nukes
BENCH_ARGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target wreckhaul_bench
	./build/release/bench/wreckhaul_bench $(BENCH_ARGS)

clean:
	rm -rf build
