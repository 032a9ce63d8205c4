#!/usr/bin/env bash
# Static analysis of the portable core: the direction of its includes, clang-tidy (.clang-tidy)
# and cppcheck (tools/cppcheck-suppressions.txt). Fails on any finding of any of them.
#   tools/lint.sh BUILD_DIR    BUILD_DIR holds compile_commands.json (cmake --preset lint)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
cd "$root"

# The portable core, as CMakeLists.txt gathers it; platform/win32 and the tests stay out.
mapfile -t sources < <(ls platform/*.cpp app/*.cpp window/*.cpp search/*.cpp folders/*.cpp)
mapfile -t headers < <(ls platform/*.h app/*.h window/*.h search/*.h folders/*.h)

status=0

# Dependencies run one way, platform <- window <- search, folders <- app: each folder includes
# only the folders named for it here (platform/win32 counts as platform).
declare -A may_include=(
  [platform]="platform"
  [window]="platform window"
  [search]="platform window search"
  [folders]="platform window folders"
)
echo "include direction: ${#may_include[@]} folders"
for folder in "${!may_include[@]}"; do
  while IFS=: read -r file target; do
    if [[ " ${may_include[$folder]} " != *" $target "* ]]; then
      echo "$file: includes $target/, against the direction of dependencies"
      status=1
    fi
  done < <(grep -roE '^#include "[a-z0-9_]+/' "$folder" | sed -E 's|#include "([a-z0-9_]+)/|\1|')
done

# clang knows no execution character set but UTF-8; the last -fexec-charset on a command line
# wins, so this one overrides the build's GBK. The texts' bytes do not matter to any check.
echo "clang-tidy: ${#sources[@]} files"
printf '%s\n' "${sources[@]}" |
  xargs -P 2 -n 1 clang-tidy-14 -p "$build" --quiet --extra-arg=-fexec-charset=UTF-8 ||
  status=1

# cppcheck 2.10 stops at the first non-ASCII identifier (编辑框1), so it reads a copy of the
# core in which every non-ASCII character is spelled _uXXXX. Lines stay where they were and
# the copy keeps the relative paths, so each finding names the real file and line.
ascii="$build/lint-ascii"
rm -rf "$ascii"
for file in "${sources[@]}" "${headers[@]}"; do
  mkdir -p "$ascii/$(dirname "$file")"
  perl -CSD -pe 's/([^\x00-\x7f])/sprintf("_u%04x", ord($1))/ge' "$file" >"$ascii/$file"
done
echo "cppcheck: ${#sources[@]} files"
(cd "$ascii" && cppcheck --quiet --enable=all --inconclusive --std=c++20 --language=c++ -I . \
  --suppressions-list="$root/tools/cppcheck-suppressions.txt" --error-exitcode=1 \
  --template='{file}:{line}:{column}: {severity}: {message} [{id}]' "${sources[@]}") ||
  status=1

exit "$status"
