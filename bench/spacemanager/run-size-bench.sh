#!/usr/bin/env bash
# Builds a tree of 100,000 files in 5,000 folders in the sandbox's temp folder (removed
# afterwards), times the space manager's folder sizing and a bare find walk over it
# under Wine, then `du -sb` on the same tree on the host, and compares totals and times.
# du counts each folder's own size as well; the files alone are compared with a find.
# Usage: [BUILD=build-dir] bench/spacemanager/run-size-bench.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../../build/i686}
out=$("$build/wine-run" "$build/bin/size_bench.exe" | tr -d '\r')
echo "$out"
prefix=$build/sandbox/prefix
tree=$(find "$prefix/drive_c/users" -maxdepth 3 -type d -name tw_size_bench | head -1)
start=$(date +%s.%N)
du=$(du -sb "$tree" | cut -f1)
duTime=$(echo "$(date +%s.%N) - $start" | bc)
files=$(find "$tree" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
ours=$(echo "$out" | sed -n 's/^sizing: \([0-9]*\) bytes in \([0-9.]*\) s/\1/p')
oursTime=$(echo "$out" | sed -n 's/^sizing: \([0-9]*\) bytes in \([0-9.]*\) s/\2/p')
echo "du -sb: $du bytes in $duTime s (files alone: $files bytes)"
[ "$ours" = "$files" ] && echo "totals: the same" || echo "totals: DIFFER ($ours against $files)"
echo "time ratio sizing/du: $(echo "scale=2; $oursTime / $duTime" | bc)"
rm -rf "$tree"
