#!/usr/bin/env bash
# Measures the program's cost and prints one table of figures, ratios and targets:
#   - the Start command's own work for 1,000,000 names against a plain write of the same bytes,
#     and the heap it holds against the list's size (native, from the host benchmark);
#   - start-up, idle peak working set and executable size against the two floor windows, and
#     the click on 开始 until the script's process starts (under Wine, from floor_bench.exe).
# Every ratio compares figures taken side by side in the same run. These are benchmarks: a
# missed target is reported in the table, never turned into a failure.
#
#   tools/bench.sh <host-build-dir> <win32-build-dir> [rounds]
#
# The raw results stay in the build directories: start_command_benchmark.csv in the host one,
# floor_bench.tsv in the Windows one. The Wine runs use their own prefix, <win32>/bench-prefix,
# and, without a DISPLAY, an Xvfb of their own.
set -euo pipefail

if [ "$#" -lt 2 ]; then
  echo "usage: $0 <host-build-dir> <win32-build-dir> [rounds]" >&2
  exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
host=$(realpath -m "$1")
win32=$(realpath -m "$2")
rounds=${3:-30}
host_results="$host/start_command_benchmark.csv"
wine_results="$win32/floor_bench.tsv"

for file in "$host/start_command_benchmark" "$win32/floor_bench.exe" "$win32/Kestrafil.exe" \
  "$win32/floor_window_c.exe" "$win32/floor_window_cpp.exe"; do
  if [ ! -f "$file" ]; then
    echo "$0: $file is missing; build the bench and win32 presets first" >&2
    exit 1
  fi
done

# Drive Z: of a Wine prefix is the Linux root.
windows_path() {
  local path=${1//\//\\}
  printf 'Z:%s' "$path"
}

echo "Start command, 10,000 to 1,000,000 names (5 repetitions each) ..." >&2
# A memory file system, so that the disk's whims stay out of both sides of the comparison.
TMPDIR=/dev/shm "$host/start_command_benchmark" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true --benchmark_out="$host_results" \
  --benchmark_out_format=csv >/dev/null 2>"$host_results.log" || {
  cat "$host_results.log" >&2
  exit 1
}

echo "Kestrafil and the floor windows under Wine ($rounds rounds) ..." >&2
DISPLAY='' "$root/tools/wine-run.sh" "$win32/bench-prefix" "$win32/floor_bench.exe" \
  "$(windows_path "$win32/floor_window_c.exe")" "$(windows_path "$win32/floor_window_cpp.exe")" \
  "$(windows_path "$win32/Kestrafil.exe")" "$rounds" >"$wine_results" 2>"$wine_results.log" || {
  cat "$wine_results.log" >&2
  exit 1
}

awk -F'\t' -v host_results="$host_results" -v wine_results="$wine_results" -v rounds="$rounds" \
  -f "$root/tools/bench-table.awk" "$wine_results"
