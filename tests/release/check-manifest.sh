#!/usr/bin/env bash
# Fails unless the manifest built into the given executable asks for Common Controls 6 (the
# system's visual styles) and for GDI scaling, and declares no DPI awareness (the layout is in
# fixed pixels, so Windows must scale the window).
# Usage: check-manifest.sh OBJCOPY EXE
set -euo pipefail

objcopy=$1
exe=$2

resources=$(mktemp)
trap 'rm -f "$resources"' EXIT
"$objcopy" -O binary --only-section=.rsrc "$exe" "$resources"

# The manifest is stored as its own UTF-8 text; comments dropped, white space made single.
manifest=$(perl -0777 -ne 'if (m{(<\?xml.*?</assembly>)}s) { $_ = $1; s/<!--.*?-->//gs;
  s/\s+/ /g; print }' "$resources")
if [ -z "$manifest" ]; then
  echo "$exe: no manifest found in its resources" >&2
  exit 1
fi

status=0
expect() {
  local what=$1 pattern=$2
  if ! grep -Eq "$pattern" <<<"$manifest"; then
    echo "$exe: the manifest lacks $what" >&2
    status=1
  fi
}
refuse() {
  local what=$1 pattern=$2
  if grep -Eq "$pattern" <<<"$manifest"; then
    echo "$exe: the manifest declares $what" >&2
    status=1
  fi
}

expect "the Common Controls 6 dependency" \
  '<dependentAssembly> <assemblyIdentity type="win32" name="Microsoft\.Windows\.Common-Controls" version="6\.0\.0\.0" [^>]*publicKeyToken="6595b64144ccf1df"'
expect "GDI scaling" \
  '<gdiScaling xmlns="http://schemas\.microsoft\.com/SMI/2017/WindowsSettings">true</gdiScaling>'
refuse "DPI awareness" '<dpiAware[^>]*>[^<]*(true|per ?monitor)|<dpiAwareness'

[ "$status" -eq 0 ] && echo "manifest: Common Controls 6, GDI scaling, DPI-unaware"
exit "$status"
