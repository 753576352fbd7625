#!/usr/bin/env bash
# Sorts 100,000 found-file records by every column both ways, finds half of them again
# in their new rows after each sort, and fills their type names; prints the times.
# Usage: [BUILD=build-dir] bench/foundfiles/run-found-files-bench.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../../build/i686}
"$build/wine-run" "$build/bin/found_files_bench.exe" "$@"
