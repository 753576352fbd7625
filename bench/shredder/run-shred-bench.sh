#!/usr/bin/env bash
# Compares the shredder's write rate with GNU shred's: each shreds a file of the same size
# in the same folder (inside the Wine sandbox's drive C:), three writes of the whole file
# (the shredder with one pass, shred with -n 3), each on the disk before the next (the
# shredder flushes after every pattern, shred syncs after every pass). Runs each three
# times, compares medians.
#   run-shred-bench.sh [BUILD_DIR] [MEGABYTES]
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
megabytes=${2:-256}
bytes=$((megabytes * 1048576))
folder="$build/sandbox/prefix/drive_c/shredbench"
rates=$(mktemp)
mkdir -p "$folder"
trap 'rm -rf "$folder" "$rates"' EXIT

for run in 1 2 3; do
    "$build/wine-run" "$build/bin/shred_bench.exe" 'C:\shredbench' "$megabytes" | tr -d '\r' |
        while read -r line; do
            case $line in
            RATE*) echo "ours ${line#RATE }" >>"$rates" ;;
            *) echo "$line" ;;
            esac
        done
done

for run in 1 2 3; do
    head -c "$bytes" /dev/zero | tr '\0' 'd' >"$folder/gnu.bin"
    sync "$folder/gnu.bin"
    start=$(date +%s.%N)
    shred -n 3 "$folder/gnu.bin"
    end=$(date +%s.%N)
    rm -f "$folder/gnu.bin"
    awk -v b="$bytes" -v s="$start" -v e="$end" 'BEGIN {
        printf "shred -n 3: %d MB, %.0f bytes written in %.3f s = %.1f MB/s\n",
               b / 1048576, 3 * b, e - s, 3 * b / (e - s) / 1048576 }'
    awk -v b="$bytes" -v s="$start" -v e="$end" 'BEGIN { printf "theirs %.0f\n", 3 * b / (e - s) }' >>"$rates"
done

median() { awk -v who="$1" '$1 == who { print $2 }' "$rates" | sort -g | sed -n 2p; }
awk -v ours="$(median ours)" -v theirs="$(median theirs)" 'BEGIN {
    printf "median tidewrack:  %.1f MB/s\nmedian shred -n 3: %.1f MB/s\nratio: %.2f (target >= 0.80)\n",
           ours / 1048576, theirs / 1048576, ours / theirs }'
