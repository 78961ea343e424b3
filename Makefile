# Quick start on a fresh Debian 12 machine: `make run` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= 2
FUZZ_SECONDS ?= 60
# More options for every configure step, e.g. CMAKE_FLAGS=-DQXT_WERROR=OFF.
CMAKE_FLAGS ?=

.PHONY: all deps build test run bench asan fuzz soak package format clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# make run GENERATOR=5025: the simulated signal generator too, on 127.0.0.1:5025.
run: build
	scripts/run-with-sim.sh $(BUILD) $(GENERATOR)

bench: build
	scripts/bench.sh $(BUILD)

asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQXT_SANITIZE=ON -DQXT_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQXT_FUZZ=ON \
	  -DQXT_BUILD_APP=OFF -DQXT_BUILD_TESTS=OFF -DQXT_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

soak: build
	$(BUILD)/bench/soak

# The Debian package, $(BUILD)/qxt7130-adj_1.0_amd64.deb, its installed tree validated and checked with lintian.
package: build
	appstreamcli validate --no-net data/com.tavo.qxt7130_adj.metainfo.xml
	desktop-file-validate data/qxt7130-adj.desktop
	cd $(BUILD) && cpack -G DEB
	scripts/package-check.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
