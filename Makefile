# Thin wrapper over the CMake presets. Every target first installs the Debian
# packages it needs that are missing (scripts/setup-deps.sh).
JOBS ?= 2
FUZZ_SECONDS ?= 60
FUZZ_SHORT_SECONDS ?= 6

.PHONY: all run build test test-release check-build-types test-asan test-windows windows fuzz bench package format clean

all: build

build:
	@scripts/setup-deps.sh run
	cmake --preset release
	cmake --build --preset release -j$(JOBS)

run: build
	@scripts/run.sh build/release

test:
	@scripts/setup-deps.sh test
	cmake --preset dev
	cmake --build --preset dev -j$(JOBS)
	ctest --preset dev -j$(JOBS)

# The tests again in an optimised build, where the optimiser's own warnings
# and faults show.
test-release:
	@scripts/setup-deps.sh test
	cmake --preset release-tests
	cmake --build --preset release-tests -j$(JOBS)
	ctest --preset release-tests -j$(JOBS)

# A packager's builds: plain CMake, each optimised build type, warnings left
# as warnings.
check-build-types:
	@scripts/setup-deps.sh test fuzz
	@JOBS=$(JOBS) scripts/check-build-types.sh

test-asan:
	@scripts/setup-deps.sh test
	cmake --preset asan
	cmake --build --preset asan -j$(JOBS)
	ctest --preset asan -j$(JOBS)

# The Windows program in build/win64-qt/: kestrelwick.exe against a static Qt
# for MinGW-w64 that is built once and cached, its zip and its installer.
windows:
	@scripts/setup-deps.sh windows
	@JOBS=$(JOBS) scripts/build-windows.sh

test-windows:
	@JOBS=$(JOBS) scripts/test-windows.sh

# Most of the time goes to short inputs of the whole action, the rest to
# runs in which one paragraph is stretched past the word count's 65,535-unit
# blocks (and the wording comparison into several passes), runs in which
# whole articles are stretched until they are compared on two threads, a run
# without AddressSanitizer, where the engine's own memory blocks are in use,
# and the readers of a spin text, an article file and a saved state on
# arbitrary bytes.
FUZZ_TARGETS = kestrelwick_fuzz_check_articles kestrelwick_fuzz_spin_text \
	kestrelwick_fuzz_article_bytes kestrelwick_fuzz_state_file
fuzz:
	@scripts/setup-deps.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j$(JOBS) --target $(FUZZ_TARGETS)
	cmake --preset fuzz-ubsan
	cmake --build --preset fuzz-ubsan -j$(JOBS) --target kestrelwick_fuzz_check_articles
	mkdir -p build/fuzz/corpus build/fuzz/corpus-long build/fuzz/corpus-articles build/fuzz-ubsan/corpus \
		build/fuzz/corpus-spin build/fuzz/corpus-file build/fuzz/corpus-state
	build/fuzz/tests/fuzz/kestrelwick_fuzz_check_articles build/fuzz/corpus tests/fuzz/corpus \
		-max_total_time=$$(( $(FUZZ_SECONDS) - 6 * $(FUZZ_SHORT_SECONDS) )) -max_len=8192 \
		-print_final_stats=1
	KESTRELWICK_FUZZ_LONG_PARAGRAPHS=1 build/fuzz/tests/fuzz/kestrelwick_fuzz_check_articles \
		build/fuzz/corpus-long tests/fuzz/corpus \
		-max_total_time=$(FUZZ_SHORT_SECONDS) -max_len=8192 -print_final_stats=1
	KESTRELWICK_FUZZ_LONG_ARTICLES=1 build/fuzz/tests/fuzz/kestrelwick_fuzz_check_articles \
		build/fuzz/corpus-articles tests/fuzz/corpus \
		-max_total_time=$(FUZZ_SHORT_SECONDS) -max_len=8192 -print_final_stats=1
	KESTRELWICK_FUZZ_LONG_PARAGRAPHS=1 build/fuzz-ubsan/tests/fuzz/kestrelwick_fuzz_check_articles \
		build/fuzz-ubsan/corpus tests/fuzz/corpus \
		-max_total_time=$(FUZZ_SHORT_SECONDS) -max_len=8192 -print_final_stats=1
	build/fuzz/tests/fuzz/kestrelwick_fuzz_spin_text build/fuzz/corpus-spin tests/fuzz/corpus \
		-max_total_time=$(FUZZ_SHORT_SECONDS) -max_len=4096 -print_final_stats=1
	build/fuzz/tests/fuzz/kestrelwick_fuzz_article_bytes build/fuzz/corpus-file tests/fuzz/corpus \
		-max_total_time=$(FUZZ_SHORT_SECONDS) -max_len=4096 -print_final_stats=1
	build/fuzz/tests/fuzz/kestrelwick_fuzz_state_file build/fuzz/corpus-state \
		-max_total_time=$(FUZZ_SHORT_SECONDS) -max_len=4096 -print_final_stats=1

bench:
	bench/compare_wc.sh
	bench/compare_batch.sh

# The Debian package, built with CPack from the release build and checked
# with lintian and the desktop's own validators.
package:
	@scripts/setup-deps.sh package
	cmake --preset release
	cmake --build --preset release -j$(JOBS)
	rm -f build/release/kestrelwick_*.deb
	cd build/release && cpack
	scripts/check-package.sh build/release/kestrelwick_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
