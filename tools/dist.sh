#!/usr/bin/env bash
# Packs the release: OUT_DIR/Kestrafil-<version>-win32.zip with Kestrafil.exe, the user guide
# and the licence, and its SHA-256 beside it. The same sources give the same zip, byte for byte.
# Usage: dist.sh BUILD_DIR OUT_DIR   (BUILD_DIR: a configured and built win32 build)
set -euo pipefail

build_dir=$1
out_dir=$2
source_dir=$(cd "$(dirname "$0")/.." && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
[ -n "$version" ] || { echo "$build_dir: no project version in CMakeCache.txt" >&2; exit 1; }
zip_name=Kestrafil-$version-win32.zip

# Every entry carries the time of the commit it was built from, not the time of the build.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct)}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Notepad on Windows 7 reads a text without a byte-order mark in the ANSI code page and shows
# lone LFs as one long line, so the texts get CRLF and the guide, which is Chinese, a UTF-8 BOM.
crlf() { sed 's/\r$//; s/$/\r/' "$1"; }
cp "$build_dir/Kestrafil.exe" "$stage/exe"
{ printf '\xef\xbb\xbf'; crlf "$source_dir/docs/user-guide.zh.txt"; } >"$stage/guide"
crlf "$source_dir/LICENSE" >"$stage/licence"

# Names in the zip: (staged file, name as UTF-8). The name field holds the name in GBK, which
# the zip folder of a Chinese Windows (from 7 on) and most archivers read without a UTF-8 flag;
# an Info-ZIP Unicode Path field adds the UTF-8 name for tools that look for it.
entries=(exe Kestrafil.exe guide 使用说明.txt licence LICENSE.txt)

le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

# Writes a gzip stream's raw deflate data (header and trailer cut off) and keeps its CRC-32, which
# gzip stores little-endian just as a zip header does.
deflate() {  # FILE -> FILE.deflate, FILE.crc
  gzip -n -9 -c "$1" >"$1.gz"
  tail -c +11 "$1.gz" | head -c -8 >"$1.deflate"
  tail -c 8 "$1.gz" | head -c 4 >"$1.crc"
}

read -r year month day hour minute second < <(date -u -d "@$epoch" '+%Y %m %d %H %M %S')
dos_time=$((10#$hour << 11 | 10#$minute << 5 | 10#$second / 2))
dos_date=$(((year - 1980) << 9 | 10#$month << 5 | 10#$day))

zip=$stage/$zip_name
central=$stage/central
: >"$zip"
: >"$central"
count=0
for ((i = 0; i < ${#entries[@]}; i += 2)); do
  file=$stage/${entries[i]}
  printf '%s' "${entries[i + 1]}" | iconv -f UTF-8 -t GBK >"$file.name"
  printf '%s' "${entries[i + 1]}" >"$file.utf8"
  deflate "$file"
  deflate "$file.name"
  name_size=$(stat -c %s "$file.name")
  size=$(stat -c %s "$file")
  packed=$(stat -c %s "$file.deflate")
  extra=0
  if ! cmp -s "$file.name" "$file.utf8"; then
    extra=$((4 + 5 + $(stat -c %s "$file.utf8")))
  fi
  offset=$(stat -c %s "$zip")

  # The fields that the local and the central header share, from "version needed" on.
  {
    le16 20; le16 0; le16 8; le16 "$dos_time"; le16 "$dos_date"
    cat "$file.crc"; le32 "$packed"; le32 "$size"; le16 "$name_size"; le16 "$extra"
  } >"$file.common"
  {
    if [ "$extra" -gt 0 ]; then
      le16 0x7075; le16 $((extra - 4)); printf '\x01'; cat "$file.name.crc" "$file.utf8"
    fi
  } >"$file.extra"

  { le32 0x04034b50; cat "$file.common" "$file.name" "$file.extra" "$file.deflate"; } >>"$zip"
  # Made by FAT (MS-DOS attributes, none set), so no Unix owner or mode goes into the zip.
  {
    le32 0x02014b50; le16 20; cat "$file.common"
    le16 0; le16 0; le16 0; le32 0; le32 "$offset"
    cat "$file.name" "$file.extra"
  } >>"$central"
  count=$((count + 1))
done
central_offset=$(stat -c %s "$zip")
central_size=$(stat -c %s "$central")
{
  cat "$central"
  le32 0x06054b50; le16 0; le16 0; le16 "$count"; le16 "$count"
  le32 "$central_size"; le32 "$central_offset"; le16 0
} >>"$zip"

mkdir -p "$out_dir"
cp "$zip" "$out_dir/$zip_name"
(cd "$out_dir" && sha256sum "$zip_name" >"$zip_name.sha256")
echo "$out_dir/$zip_name: $(stat -c %s "$out_dir/$zip_name") bytes, Kestrafil.exe $(stat -c %s "$stage/exe") bytes"
cat "$out_dir/$zip_name.sha256"
