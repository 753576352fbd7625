#!/usr/bin/env bash
# Generates a tree (groups of equal files, pairs of one size with other bytes, large files
# that differ only in their last byte, unique files), runs a plain coreutils grouping (files
# that share a size, hashed with sha256sum, equal hashes grouped) and the duplicate search's
# engine (under Wine) over it, checks that both find the same groups, and prints both times
# and their ratio. The machine's load moves the figures: ROUNDS runs both that many times,
# and OTHERS (duplicate_bench.exe files of other builds, say of an older commit) runs them
# in the same rounds on the same tree, for figures side by side.
# Usage: [BUILD=build-dir] [ROUNDS=n] [OTHERS="a.exe b.exe"] bench/duplicates/run-duplicate-bench.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD:-$here/../../build/i686}
# The tree lies on the sandbox's drive C:, the only drive of it that holds files.
drive_c=$build/sandbox/prefix/drive_c
tree=$drive_c/tw-dupbench
rm -rf "$tree"
mkdir -p "$tree"
trap 'rm -rf "$tree" "$tree".*' EXIT
python3 "$here/make-tree.py" "$tree"

# The peer: only files that share their size with another are read, as ours does.
peer_groups() {
    find "$1" -type f -printf '%s\t%p\n' >"$tree.sizes"
    awk -F'\t' 'NR == FNR { count[$1]++; next } count[$1] > 1 { printf "%s%c", $2, 0 }' \
        "$tree.sizes" "$tree.sizes" |
        xargs -0 -r sha256sum | sort | uniq -w64 --all-repeated=separate | cut -c67-
}
# Both lists as sorted groups of sorted Unix paths.
normalise() { python3 - "$1" "$2" <<'PY'
import sys
prefix = sys.argv[2]
groups, group = [], []
for line in open(sys.argv[1], encoding="latin-1"):
    line = line.rstrip("\r\n")
    if not line:
        if group: groups.append(sorted(group)); group = []
        continue
    if line.upper().startswith("C:"):
        line = prefix + line[2:].replace("\\", "/")
    group.append(line.lower())
if group: groups.append(sorted(group))
for g in sorted(groups): print("|".join(g))
PY
}
# Runs one engine over the tree; prints its time and whether it found the peer's groups.
engine() {
    "$build/wine-run" "$1" 'C:\tw-dupbench' 'C:\tw-dupbench.ours' >"$tree.summary"
    if diff <(normalise "$tree.peer" "$drive_c") <(normalise "$tree.ours" "$drive_c") >/dev/null; then
        same="yes ($(normalise "$tree.ours" "$drive_c" | wc -l) groups)"
    else
        same=NO
    fi
    echo "$(sed -n 's/.*seconds \([0-9.]*\).*/\1/p' "$tree.summary") $same"
}

for round in $(seq "${ROUNDS:-1}"); do
    start=$(date +%s.%N)
    peer_groups "$tree" > "$tree.peer"
    end=$(date +%s.%N)
    peer_time=$(echo "$end - $start" | bc)
    read -r ours_time same <<<"$(engine "$build/bin/duplicate_bench.exe")"
    cat "$tree.summary"
    echo "same groups as the coreutils grouping: $same"
    echo "coreutils ${peer_time}s, ours ${ours_time}s, ratio ours/coreutils $(echo "scale=2; $ours_time / $peer_time" | bc)"
    for other in ${OTHERS:-}; do
        read -r other_time same <<<"$(engine "$other")"
        echo "  $other: ${other_time}s, same groups: $same, ratio ours/it $(echo "scale=2; $ours_time / $other_time" | bc)"
    done
done
