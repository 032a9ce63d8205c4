#!/usr/bin/env bash
# The main job end to end under Wine. Generates a sample archive, starts Kestrafil.exe, types
# the search folder and the save folder into their boxes and pastes a name list as a user
# would, clicks 开始, waits for the search job, and tells what was asked, found, copied and
# missing, judged from the archive, the save folder and the job's result list.
#
#   tools/demo.sh [build-dir]
#
# The build directory (default build/win32) holds Kestrafil.exe and kestrafil_demo.exe. The
# demo works in <build-dir>/demo and runs Wine in its own prefix, <build-dir>/demo-prefix;
# without a DISPLAY it gets an Xvfb of its own. Every run starts from a fresh archive and an
# empty save folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win32}")
demo="$build/demo"
prefix="$build/demo-prefix"
archive="$demo/Sample Archive"
save="$demo/Found Files"
program_dir="$demo/Kestrafil"
names_file="$demo/names.txt"
screenshot="$demo/kestrafil-demo.png"
results="$program_dir/UM7Y9X4K.txt"

# Found once (most with spaces), found in two folders, and two that the archive lacks.
asked=(
  "IMG_0042.jpg"
  "design 1234.txt"
  "track 1600.mp3"
  "budget 2020.xlsx"
  "report 2345.docx"
  "holiday plan.txt"
  "IMG_0777.jpg"
  "mail 2501.eml"
  "design 1500.txt"
  "IMG_4000.jpg"
  "track 1999.mp3"
  "mail 2999.eml"
)

# 6 x 5 x 4 folders of 25 numbered files each, plus one name in two of those folders. The
# same every run: names and contents come from the counters alone.
make_archive() {
  local tops=("Photos 2019" "Photos 2020" "Projects" "Music Library" "Documents" "Mail Archive")
  local patterns=("IMG_%04d.jpg" "IMG_%04d.jpg" "design %04d.txt" "track %04d.mp3"
    "report %04d.docx" "mail %04d.eml")
  local quarters=("Q1" "Q2" "Q3" "Q4" "Old Stuff")
  local n=0 t q box i folder name
  rm -rf "$archive"
  for t in "${!tops[@]}"; do
    for q in "${quarters[@]}"; do
      for box in 1 2 3 4; do
        folder="$archive/${tops[t]}/$q/box $box"
        mkdir -p "$folder"
        for ((i = 0; i < 25; i++)); do
          n=$((n + 1))
          # shellcheck disable=SC2059 # the patterns are formats
          printf -v name "${patterns[t]}" "$n"
          printf 'sample file %d: %s\n' "$n" "$name" >"$folder/$name"
        done
      done
    done
  done
  printf 'budget 2020, first draft\n' >"$archive/Documents/Q1/box 2/budget 2020.xlsx"
  printf 'budget 2020, final\n' >"$archive/Mail Archive/Old Stuff/box 3/budget 2020.xlsx"
}

# Drive Z: of a new Wine prefix is the Linux root.
windows_path() {
  local path=${1//\//\\}
  printf 'Z:%s' "$path"
}

# Paths below the current directory are shown relative to it.
shown() {
  local relative
  relative=$(realpath -m --relative-to="$PWD" "$1")
  case "$relative" in
    ../*) printf '%s' "$1" ;;
    *) printf '%s' "$relative" ;;
  esac
}

join() {
  local separator=$1 first=$2
  shift 2
  printf '%s' "$first" "${@/#/$separator}"
}

for program in Kestrafil.exe kestrafil_demo.exe; do
  if [ ! -f "$build/$program" ]; then
    echo "$0: $build/$program is missing; build the win32 preset first" >&2
    exit 1
  fi
done

make_archive
rm -rf "$save" "$program_dir"
mkdir -p "$save" "$program_dir"
cp "$build/Kestrafil.exe" "$program_dir/"
printf '%s\n' "${asked[@]}" >"$names_file"
rm -f "$screenshot"
files=$(find "$archive" -type f | wc -l)
folders=$(find "$archive" -mindepth 1 -type d | wc -l)
echo "sample archive: $files files in $folders folders below $(shown "$archive")"

# Wine draws the windows' title bars itself, so the screenshot has one even on a display
# without a window manager (Xvfb). Their buttons are glyphs of Wine's Marlett font, which this
# Wine finds only in the prefix's own font folder.
if ! grep -qs '^"Decorated"="N"' "$prefix/user.reg"; then
  echo "setting up the Wine prefix $(shown "$prefix")"
  "$root/tools/wine-run.sh" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Decorated /t REG_SZ /d N /f >/dev/null
fi
marlett=/usr/share/wine/fonts/marlett.ttf
if [ -f "$marlett" ]; then
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp -u "$marlett" "$prefix/drive_c/windows/Fonts/"
fi
"$root/tools/wine-run.sh" "$prefix" "$build/kestrafil_demo.exe" \
  "$(windows_path "$program_dir/Kestrafil.exe")" "$(windows_path "$archive")" \
  "$(windows_path "$save")" "$(windows_path "$names_file")" "$(windows_path "$screenshot")"

if [ ! -f "$results" ]; then
  echo "$0: the job wrote no result list ($results)" >&2
  exit 1
fi
# The result list as Linux paths: Wine's drive Z: and backslashes, CR LF line ends.
mapfile -t listed < <(tr -d '\r' <"$results" | sed 's/^[Zz]://; s#\\#/#g')

found=() missing=() twice=() problems=()
for name in "${asked[@]}"; do
  matches=()
  for path in "${listed[@]}"; do
    if [ "${path##*/}" = "$name" ]; then matches+=("$path"); fi
  done
  expected=$(find "$archive" -type f -name "$name" | sort)
  if [ "$(printf '%s\n' "${matches[@]}" | sed '/^$/d' | sort)" != "$expected" ]; then
    problems+=("the result list and the archive disagree about $name")
  fi
  if [ "${#matches[@]}" -eq 0 ]; then
    missing+=("$name")
    continue
  fi
  found+=("$name")
  if [ "${#matches[@]}" -gt 1 ]; then
    folders_of=()
    for path in "${matches[@]}"; do
      folders_of+=("$(realpath -m --relative-to="$archive" "${path%/*}")")
    done
    twice+=("$name ($(join ', ' "${folders_of[@]}"))")
  fi
  # Each copy replaces the one before it, so the save folder keeps the last one listed.
  if ! cmp -s "$save/$name" "${matches[-1]}"; then
    problems+=("$name was not copied to the save folder")
  fi
done
copied=$(find "$save" -type f | wc -l)

summary="asked ${#asked[@]} names: found ${#found[@]}"
if [ "${#twice[@]}" -gt 0 ]; then summary+=" (${#twice[@]} in two folders)"; fi
summary+=", copied $copied files to $(shown "$save")"
if [ "${#missing[@]}" -gt 0 ]; then
  summary+=", missing ${#missing[@]}: $(join ', ' "${missing[@]}")"
fi
echo "$summary"
for entry in "${twice[@]}"; do
  echo "  in two folders: $entry; the save folder keeps the copy found last"
done
echo "result list: $(shown "$results")"
echo "screenshot: $(shown "$screenshot")"

if [ "${#problems[@]}" -gt 0 ]; then
  printf '%s: %s\n' "$0" "${problems[@]}" >&2
  exit 1
fi
