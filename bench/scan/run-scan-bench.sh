#!/usr/bin/env bash
# Builds a tree of 100,000 files in 5,000 folders in the sandbox's temp folder, then
# times a bare FindFirstFile/FindNextFile walk and the junk scan's walk with its per-file
# test in list mode over it, and prints files per second for both and their ratio.
# Usage: [BUILD=build-dir] bench/scan/run-scan-bench.sh [--keep]   (--keep: leave the tree for the next run)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../../build/i686}
"$build/wine-run" "$build/bin/scan_bench.exe" "$@"
