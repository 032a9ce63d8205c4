# Every target installs what is missing first, so a fresh Debian 12 machine needs only make.
.PHONY: deps build test run demo bench dist fuzz lint clean

deps:
	@bash tools/install-deps.sh

build: deps
	cmake --preset host
	cmake --build --preset host
	cmake --preset win32
	cmake --build --preset win32

# Static analysis runs with the tests, so the core stays clean on every commit.
test: build lint
	ctest --preset host
	ctest --preset win32
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset fuzz

# Opens the program's window under Wine on the user's display.
run: deps
	cmake --preset win32
	cmake --build --preset win32
	tools/wine-run.sh build/win32/wineprefix build/win32/Kestrafil.exe

# The main job end to end under Wine on a generated sample archive: fills in the window as a
# user would, clicks 开始 and tells what was asked, found, copied and missing.
demo: deps
	cmake --preset win32
	cmake --build --preset win32 --target Kestrafil kestrafil_demo
	tools/demo.sh build/win32

# The program's cost against the floor, as one table of figures, ratios and targets: the Start
# command's own work for long name lists against a plain write of the same bytes, and, under
# Wine, start-up, memory, size and the click's way against a bare window in C and in C++.
bench: deps
	cmake --preset bench
	cmake --build --preset bench
	cmake --preset win32
	cmake --build --preset win32 --target Kestrafil floor_window_c floor_window_cpp floor_bench
	tools/bench.sh build/bench build/win32

# The release: dist/Kestrafil-<version>-win32.zip (program, user guide, licence) and its SHA-256.
# The same commit gives the same zip.
dist: deps
	cmake --preset win32
	cmake --build --preset win32 --target Kestrafil
	tools/dist.sh build/win32 dist

# Each fuzz target for FUZZ_SECONDS, one per seed folder in tests/fuzz/corpus. What they find
# stays in build/fuzz/corpus/<target> for the next run; an input that breaks a property is saved
# in build/fuzz/findings/<target>/.
FUZZ_SECONDS ?= 600
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	for seeds in tests/fuzz/corpus/*/; do \
	  target=$$(basename $$seeds); \
	  mkdir -p build/fuzz/corpus/$$target build/fuzz/findings/$$target; \
	  build/fuzz/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build/fuzz/findings/$$target/ build/fuzz/corpus/$$target $$seeds \
	    || exit 1; \
	done

# The direction of the portable core's includes, then clang-tidy and cppcheck over it (not
# platform/win32, not the tests); any finding fails. Their settings: .clang-tidy and
# tools/cppcheck-suppressions.txt.
lint: deps
	cmake --preset lint
	tools/lint.sh build/lint

clean:
	rm -rf build dist
