#!/usr/bin/env bash
# Configures and builds Tidewrack (and its tests) into build/.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build" >/dev/null
cmake --build "$top/build" -j"$(nproc)"
