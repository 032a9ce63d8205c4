#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix and passes its exit code through.
#
#   tools/wine-run.sh <prefix-dir> <program> [args...]
#
# The prefix is a 32-bit one, created on first use. Programs see the Chinese ANSI code page
# (936), which this program's GBK texts and file names need. Without a DISPLAY the run gets an
# Xvfb of its own; runs that share a prefix at the same time share that Xvfb, and the last of
# them stops the prefix's wineserver and the Xvfb, so nothing is left behind on the screen
# that a later run would find. With a DISPLAY, the wineserver is left to end by itself.
set -euo pipefail

if [ "$#" -lt 2 ]; then
  echo "usage: $0 <prefix-dir> <program> [args...]" >&2
  exit 2
fi

prefix=$(realpath -m "$1")
shift

export WINEPREFIX="$prefix"
export WINEARCH=win32
export WINEDEBUG=-all
# No Mono or Gecko download prompts while a prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8

mkdir -p "$(dirname "$prefix")"
mutex_file="$prefix.lock"   # held while the prefix or its display is set up or torn down
users_file="$prefix.users"  # shared-locked by every run that uses the prefix
xvfb_file="$prefix.xvfb"    # "<pid> <display>" of the Xvfb that the prefix's runs share
ready_file="$prefix/.kestrafil-prefix"
settings_file="$prefix/.kestrafil-display"  # which display the prefix's settings are for

exec {mutex}>"$mutex_file"
exec {users}>"$users_file"

# Children must not inherit the lock descriptors: a lock lives as long as any process holds
# its descriptor, and wineserver and Xvfb outlive this script.
unlocked() {
  "$@" {mutex}>&- {users}>&-
}

# A process that has exited but is not yet reaped still shows its name: look at its state too.
xvfb_alive() {
  local pid=$1 stat
  stat=$(cat "/proc/$pid/stat" 2>/dev/null) || return 1
  [[ "$stat" == "$pid (Xvfb) "[!ZX]* ]]
}

# Sets DISPLAY to the prefix's shared Xvfb, starting one when none runs. Called under the mutex.
use_private_display() {
  local pid display
  if [ -s "$xvfb_file" ]; then
    read -r pid display <"$xvfb_file"
    if xvfb_alive "$pid"; then
      export DISPLAY=":$display"
      return
    fi
  fi

  local number_file
  number_file=$(mktemp)
  # Xvfb picks a free display number itself and writes it once it accepts connections.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" </dev/null >/dev/null 2>&1 \
    {mutex}>&- {users}>&- &
  pid=$!
  local waited=0
  until [ -s "$number_file" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$waited" -ge 200 ]; then
      rm -f "$number_file"
      echo "$0: Xvfb did not start" >&2
      exit 1
    fi
    sleep 0.05
    waited=$((waited + 1))
  done
  display=$(tr -dc 0-9 <"$number_file")
  rm -f "$number_file"
  echo "$pid $display" >"$xvfb_file"
  export DISPLAY=":$display"
}

# The last run of a prefix with a private display ends the prefix's Wine processes (they are
# bound to that display) and then the display. Called under the mutex.
stop_private_display() {
  [ -s "$xvfb_file" ] || return 0
  flock -n -x "$users" || return 0
  unlocked wineserver -k 2>/dev/null || true
  local pid display
  read -r pid display <"$xvfb_file"
  if xvfb_alive "$pid"; then
    kill "$pid" 2>/dev/null || true
    local waited=0
    while xvfb_alive "$pid" && [ "$waited" -lt 100 ]; do
      sleep 0.05
      waited=$((waited + 1))
    done
  fi
  rm -f "$xvfb_file"
}

# A private Xvfb has no window manager. Wine then draws each window's caption bar and frame
# itself, as Windows does (Decorated), and does not wait for a window manager to confirm every
# window it unmaps, which costs two seconds per closed window (Managed). On a desktop the window
# manager does both. Called under the mutex.
use_display_settings() {
  local wanted=desktop
  [ "$private_display" = true ] && wanted=private
  [ "$(cat "$settings_file" 2>/dev/null || true)" = "$wanted" ] && return 0
  local value='-'
  [ "$wanted" = private ] && value='"N"'
  local reg_dir
  reg_dir=$(mktemp -d)
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"=%s\r\n"Decorated"=%s\r\n' \
    "$value" "$value" >"$reg_dir/display.reg"
  (cd "$reg_dir" && unlocked wine reg import display.reg >/dev/null 2>&1)
  rm -rf "$reg_dir"
  echo "$wanted" >"$settings_file"
}

flock -x "$mutex"
private_display=false
if [ -z "${DISPLAY:-}" ]; then
  use_private_display
  private_display=true
fi
flock -s "$users"
if [ "$private_display" = true ]; then
  trap 'flock -x "$mutex"; stop_private_display' EXIT
fi

if [ ! -f "$ready_file" ]; then
  unlocked wineboot -i >/dev/null 2>&1
  unlocked wineserver -w
  touch "$ready_file"
fi
use_display_settings
flock -u "$mutex"

set +e
unlocked wine "$@"
status=$?
set -e
exit "$status"
