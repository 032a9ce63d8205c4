#!/usr/bin/env bash
# Installs what building and testing Kestrafil needs on Debian 12, as root.
# Idempotent: checks first and installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  clang libclang-rt-14-dev  # the fuzz targets: clang and its libFuzzer runtime
  clang-tidy-14 cppcheck  # make lint: static analysis of the portable core
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xauth x11-utils
  locales fonts-wqy-microhei fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine shows Chinese file names correctly only with a generated zh_CN.UTF-8 locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi
