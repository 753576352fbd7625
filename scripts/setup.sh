#!/usr/bin/env bash
# Installs what building, running and testing Tidewrack needs on Debian 12, if missing.
#   setup.sh ARCH   the build to run here: i686 (32-bit Wine) or x86_64 (wine64).
# Both programs and their tests are built on every host, so both compilers are always
# installed. Exit status 3: the 32-bit Wine could not be installed (the caller may run the
# 64-bit build instead).
set -eu
packages="wine wine64 g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          googletest cmake make xvfb xauth zip unzip python3 fp-utils"
case "${1:-}" in
    i686|x86_64) arch=$1 ;;
    *) echo "setup.sh: unknown build '${1:-}'" >&2; exit 2 ;;
esac
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing_of() {
    local package missing=
    for package in "$@"; do
        dpkg -s "$package" >/dev/null 2>&1 || missing="$missing $package"
    done
    echo "$missing"
}
updated=
update_once() {
    [ -n "$updated" ] && return
    updated=1
    # A mirror in the middle of a sync fails one index ("File has unexpected size"); the
    # packages of the others can still be installed, so go on.
    as_root apt-get update -qq || echo "setup.sh: warning: some package indexes could not be updated; going on with what is there." >&2
}
install() {
    update_once
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"
}

missing=$(missing_of $packages)
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    install $missing
fi
[ "$arch" = i686 ] || exit 0
[ -z "$(missing_of wine32:i386)" ] && exit 0
echo "Installing: wine32:i386"
dpkg --print-foreign-architectures | grep -qx i386 || as_root dpkg --add-architecture i386
updated=
log=$(mktemp)
if ! install wine32:i386 >"$log" 2>&1; then
    echo "setup.sh: the 32-bit Wine (wine32:i386) could not be installed: $(grep -m1 '^E:' "$log" || tail -n 1 "$log")" >&2
    rm -f "$log"
    exit 3
fi
rm -f "$log"
