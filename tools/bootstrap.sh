#!/bin/sh
# Installs every Debian package that building and testing Orvanta need. Idempotent:
# when everything is present it only checks, which takes a moment.
set -eu

PACKAGES="
cmake
ninja-build
g++
clang-format
clang
libclang-rt-14-dev
git
googletest
zlib1g-dev
libbenchmark-dev
g++-mingw-w64-x86-64-posix
binutils-mingw-w64-x86-64
wine
wine64
xvfb
x11-utils
xdotool
imagemagick
fonts-wine
fonts-nanum
fonts-wqy-microhei
python3
nsis
"

missing=""
for package in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $package" ;;
  esac
done

if [ -z "$missing" ]; then
  echo "bootstrap: all packages present"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
else
  as_root="sudo"
fi

echo "bootstrap: installing:$missing"
$as_root env DEBIAN_FRONTEND=noninteractive apt-get update
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
echo "bootstrap: done"
