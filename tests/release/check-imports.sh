#!/usr/bin/env bash
# Fails unless every DLL that the given executable imports is one of Windows' own system DLLs.
# Usage: check-imports.sh OBJDUMP EXE
set -euo pipefail

objdump=$1
exe=$2

# What the program may import: DLLs that every Windows from 7 on ships in its system folder.
allowed=(kernel32.dll user32.dll gdi32.dll shell32.dll ole32.dll msvcrt.dll)
# What a missing -static brings in; none of them is on a user's machine.
forbidden=(libstdc++-6.dll libgcc_s_dw2-1.dll libgcc_s_sjlj-1.dll libwinpthread-1.dll)

imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
if [ -z "$imports" ]; then
  echo "$exe: no import table found" >&2
  exit 1
fi

status=0
while read -r dll; do
  lower=${dll,,}
  if [[ " ${forbidden[*]} " == *" $lower "* ]]; then
    echo "$exe imports $dll: the runtime DLLs (${forbidden[*]}) must be linked in statically" >&2
    status=1
  elif [[ " ${allowed[*]} " != *" $lower "* ]]; then
    echo "$exe imports $dll, which is not a Windows system DLL (allowed: ${allowed[*]})" >&2
    status=1
  fi
done <<<"$imports"

[ "$status" -eq 0 ] && echo "imports: $(echo $imports)"
exit "$status"
