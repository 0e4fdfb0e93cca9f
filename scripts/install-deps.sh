#!/usr/bin/env bash
# Installs, when missing, everything the native and the Windows builds need on Debian.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in cmake make ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev \
         g++-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64 \
         wine wine64 xvfb xauth x11-utils imagemagick fonts-wine python3 ccache \
         nsis python3-chm python3-icalendar cups printer-driver-cups-pdf poppler-utils ghostscript libssl-dev; do
  have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  echo "installing: ${need[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get -o DPkg::Lock::Timeout=600 update -q
  $SUDO apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${need[@]}"
fi
