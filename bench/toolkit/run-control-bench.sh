#!/usr/bin/env bash
# Prints how long batches of controls (labels, pictures, panels, tab sheets) and the main
# form take to make, under Xvfb in the build's Wine sandbox, best of a few rounds each.
# Usage: [BUILD=build-dir] bench/toolkit/run-control-bench.sh [ROUNDS]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../../build/i686}
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/wine-run" "$build/bin/control_bench.exe" "$@"
