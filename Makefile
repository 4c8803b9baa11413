# Thin wrapper over the CMake presets. Every target installs what is missing first.
JOBS ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all deps run build test test-asan fuzz bench format clean

all: build

deps:
	@scripts/setup-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release -j$(JOBS)

run: build
	@scripts/run.sh build/release

test: deps
	cmake --preset dev
	cmake --build --preset dev -j$(JOBS)
	ctest --preset dev -j$(JOBS)

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j$(JOBS)
	ctest --preset asan -j$(JOBS)

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz -j$(JOBS) --target kestrelwick_fuzz_check_articles
	mkdir -p build/fuzz/corpus
	build/fuzz/tests/fuzz/kestrelwick_fuzz_check_articles build/fuzz/corpus tests/fuzz/corpus \
		-max_total_time=$(FUZZ_SECONDS) -max_len=8192 -print_final_stats=1

bench:
	bench/compare_wc.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
