#!/usr/bin/env bash
# Installs what building, running and testing Tidewrack needs on Debian 12, if missing.
set -eu
packages="wine wine32:i386 wine64 g++-mingw-w64-i686 libz-mingw-w64-dev googletest cmake make
          xvfb xauth zip unzip python3"
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=
for package in $packages; do
    dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
