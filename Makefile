# The newcomer's commands: `make run` builds and starts the game, `make test` runs every test in a
# release build and in a sanitizer build. Both first install whatever Debian packages are missing.
JOBS ?= $(shell nproc)
PACKAGES := build-essential cmake pkg-config libsdl2-dev libimgui-dev libstb-dev libpng-dev \
            libgtest-dev libgmock-dev googletest libbenchmark-dev clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps build run test test-release test-asan test-clang test-package fuzz bench soak deb clean

# Installs those of the Debian packages named in $(1) that are not installed yet.
define install_missing
missing=""; for p in $(1); do \
    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
done; \
if [ -n "$$missing" ]; then \
    echo "Installing:$$missing"; \
    $(SUDO) apt-get update -qq && \
    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
fi
endef

deps:
	@$(call install_missing,$(PACKAGES))

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

# The runner and the soak built by clang, for the determinism check against GCC's builds.
test-clang: deps
	cmake -S . -B build/clang -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE=Release -DWRECKHAUL_FRONT=OFF -DWRECKHAUL_BENCH=OFF
	cmake --build build/clang -j $(JOBS) --target wreckhaul-sim wreckhaul_soak

test: test-release test-asan fuzz test-clang test-package
	bash tests/determinism.sh

# The Debian package built, linted, unpacked and run, against the release build's runner.
test-package: test-release
	bash tests/package.sh build/release

# libFuzzer (clang, under the sanitizers) on the panel's number reading and on the runner's script
# lines: a short run of each in the tests, as long as asked by hand, one target or both:
#   make fuzz FUZZ_RUNS=200000 (each target in turn)   make fuzz FUZZ_RUNS=-1 FUZZ_TARGETS=script
# (-1: until stopped, so name one target).
# The core is built by clang with coverage for the fuzzer into build/fuzz; new inputs collect in
# build/fuzz/corpus-NAME, and a crash leaves its input in build/fuzz as crash-*.
FUZZ_TARGETS ?= textnumber script
FUZZ_RUNS ?=
FUZZ_RUNS_textnumber := $(or $(FUZZ_RUNS),300000)
FUZZ_RUNS_script := $(or $(FUZZ_RUNS),4000)
FUZZ_MAX_LEN_textnumber := 512
FUZZ_MAX_LEN_script := 4096
fuzz: deps
	cmake -S . -B build/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_BUILD_TYPE= "-DCMAKE_CXX_FLAGS=-O1 -g -fsanitize=fuzzer-no-link" \
	    -DWRECKHAUL_SANITIZE=ON -DWRECKHAUL_FRONT=OFF -DWRECKHAUL_BENCH=OFF
	cmake --build build/fuzz -j $(JOBS) --target $(addprefix wreckhaul_libfuzzer_,$(FUZZ_TARGETS))
	mkdir -p $(addprefix build/fuzz/corpus-,$(FUZZ_TARGETS))
	$(if $(filter script,$(FUZZ_TARGETS)),cp tests/scenarios/*.sim build/fuzz/tests/fuzz/malformed.sim build/fuzz/corpus-script/)
	cd build/fuzz && for t in $(FUZZ_TARGETS); do \
	    case $$t in textnumber) runs=$(FUZZ_RUNS_textnumber) len=$(FUZZ_MAX_LEN_textnumber);; \
	                script) runs=$(FUZZ_RUNS_script) len=$(FUZZ_MAX_LEN_script);; esac; \
	    ./tests/fuzz/wreckhaul_libfuzzer_$$t -runs=$$runs -max_len=$$len -seed=1 corpus-$$t || exit 1; \
	done

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

# The Debian package: build/wreckhaul_VERSION_ARCH.deb (install it with
# sudo apt install ./build/wreckhaul_*.deb). dpkg-buildpackage writes its results beside the tree
# it builds, so it builds a copy of this one in build/deb, and the results move to build/.
DEB_PACKAGES := build-essential cmake pkg-config libsdl2-dev libimgui-dev libstb-dev libpng-dev \
                debhelper dpkg-dev lintian appstream desktop-file-utils man-db groff-base
deb:
	@$(call install_missing,$(DEB_PACKAGES))
	@project=$$(sed -n 's/^project(Wreckhaul VERSION \([^ ]*\) .*/\1/p' CMakeLists.txt); \
	changelog=$$(dpkg-parsechangelog -S Version); \
	if [ "$$project" != "$$changelog" ]; then \
	    echo "debian/changelog is at $$changelog but CMakeLists.txt at $$project: add its entry" >&2; \
	    exit 1; \
	fi
	rm -rf build/deb build/wreckhaul_* build/wreckhaul-dbgsym_*
	mkdir -p build/deb/wreckhaul
	tar -c --exclude=./build --exclude=./out --exclude=./.git . | tar -x -C build/deb/wreckhaul
	cd build/deb/wreckhaul && dpkg-buildpackage -us -uc -b -J$(JOBS)
	mv build/deb/wreckhaul_* build/deb/wreckhaul-dbgsym_* build/
	rm -rf build/deb
	@ls build/wreckhaul_*.deb
