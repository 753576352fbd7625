#!/usr/bin/env bash
# Configures and builds one architecture of Tidewrack into build/ARCH/.
#   build.sh ARCH [--program-only] [TARGET...]
# --program-only builds Tidewrack.exe alone, without the tests and their Wine sandbox
# (the 32-bit program on a host that cannot run it).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
arch=$1
shift
tests=ON
if [ "${1:-}" = --program-only ]; then
    tests=OFF
    shift
    set -- Tidewrack
fi
cmake -S "$top" -B "$top/build/$arch" -DTIDEWRACK_ARCH="$arch" -DTIDEWRACK_TESTS=$tests >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$top/build/$arch" -j"$(nproc)" "${targets[@]}"
