#!/usr/bin/env bash
# Builds Kestrafil.exe a second time from the same sources in another build directory and fails
# unless it is the same bytes as the first build's.
# Usage: check-reproducible.sh SOURCE_DIR FIRST_EXE SECOND_BUILD_DIR CMAKE_CONFIGURE_ARGS...
# (the generator, toolchain and build type that the first build was configured with)
set -euo pipefail

source_dir=$1
first=$2
second_dir=$3
shift 3

# Runs a step quietly; shows its output only when it fails.
run() {
  local output
  if ! output=$("$@" 2>&1); then
    echo "$output" >&2
    exit 1
  fi
}
# The second directory is kept between runs, so a run rebuilds only what changed since the last.
run cmake -S "$source_dir" -B "$second_dir" "$@"
run cmake --build "$second_dir" --target Kestrafil --parallel 2

second=$second_dir/Kestrafil.exe
if ! cmp "$first" "$second"; then
  echo "$first and $second differ: the build depends on its directory or on the time" >&2
  exit 1
fi
echo "same $(stat -c %s "$first") bytes: $first and $second"
