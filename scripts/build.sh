#!/usr/bin/env bash
# Configures and builds one architecture of Tidewrack into build/ARCH/.
#   build.sh ARCH [--program-only | --no-sandbox] [TARGET...]
# --program-only builds Tidewrack.exe alone (the program that scripts/run.sh starts); a
# folder configured for it the first time leaves out the tests and their Wine sandbox, one
# that has them keeps them.
# --no-sandbox builds the program and its tests without the Wine sandbox they run in: on a
# host that cannot run that build, its tests still have to compile.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch=$1
shift
options="-DTIDEWRACK_TESTS=ON -DTIDEWRACK_MAKE_SANDBOX=ON"
case "${1:-}" in
    --program-only)
        options=
        [ -f "$top/build/$arch/CMakeCache.txt" ] || options=-DTIDEWRACK_TESTS=OFF
        shift
        set -- Tidewrack ;;
    --no-sandbox)
        options="-DTIDEWRACK_TESTS=ON -DTIDEWRACK_MAKE_SANDBOX=OFF"
        shift ;;
esac
cmake -S "$top" -B "$top/build/$arch" -DTIDEWRACK_ARCH="$arch" $options >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$top/build/$arch" -j"$(nproc)" "${targets[@]}"
