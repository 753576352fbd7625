#!/usr/bin/env bash
# Configures and builds one architecture of Tidewrack into build/ARCH/.
#   build.sh ARCH [--program-only] [TARGET...]
# --program-only builds Tidewrack.exe alone (the 32-bit program on a host that cannot run
# it, or the program that scripts/run.sh starts); a folder configured for it the first
# time leaves out the tests and their Wine sandbox, one that has them keeps them.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch=$1
shift
tests=-DTIDEWRACK_TESTS=ON
if [ "${1:-}" = --program-only ]; then
    tests=
    [ -f "$top/build/$arch/CMakeCache.txt" ] || tests=-DTIDEWRACK_TESTS=OFF
    shift
    set -- Tidewrack
fi
cmake -S "$top" -B "$top/build/$arch" -DTIDEWRACK_ARCH="$arch" $tests >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$top/build/$arch" -j"$(nproc)" "${targets[@]}"
