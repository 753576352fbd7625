#!/usr/bin/env bash
# Installs what building, running and testing Tidewrack needs on Debian 12, if missing.
#   setup.sh ARCH...   the builds to run here: i686 (32-bit Wine) and/or x86_64 (wine64).
# The 32-bit program is always built, so its compiler is always installed.
set -eu
packages="wine wine64 g++-mingw-w64-i686 libz-mingw-w64-dev googletest cmake make
          xvfb xauth zip unzip python3 fp-utils"
for arch in "$@"; do
    case "$arch" in
        i686) packages="$packages wine32:i386" ;;
        x86_64) packages="$packages g++-mingw-w64-x86-64-posix" ;;
        *) echo "setup.sh: unknown build '$arch'" >&2; exit 2 ;;
    esac
done
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=
for package in $packages; do
    dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
case "$missing" in
    *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386 ;;
esac
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
