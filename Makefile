# Every target installs what is missing first, so a fresh Debian 12 machine needs only make.
.PHONY: deps build test run demo bench clean

deps:
	@bash tools/install-deps.sh

build: deps
	cmake --preset host
	cmake --build --preset host
	cmake --preset win32
	cmake --build --preset win32

test: build
	ctest --preset host
	ctest --preset win32

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

# The Start command's own work for long name lists, against a plain write of the same bytes.
bench: deps
	cmake --preset bench
	cmake --build --preset bench
	TMPDIR=/dev/shm build/bench/start_command_benchmark --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true

clean:
	rm -rf build
