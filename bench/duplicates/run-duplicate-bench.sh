#!/usr/bin/env bash
# Generates a tree (groups of equal files, pairs of one size with other bytes, large files
# that differ only in their last byte, unique files), runs a plain coreutils grouping (files
# that share a size, hashed with sha256sum, equal hashes grouped) and the duplicate search's
# engine (under Wine) over it, checks that both find the same groups, and prints both times
# and their ratio.
# Usage: [BUILD=build-dir] bench/duplicates/run-duplicate-bench.sh
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
start=$(date +%s.%N)
peer_groups "$tree" > "$tree.peer"
end=$(date +%s.%N)
peer_time=$(echo "$end - $start" | bc)

"$build/wine-run" "$build/bin/duplicate_bench.exe" 'C:\tw-dupbench' 'C:\tw-dupbench.ours' | tee "$tree.summary"
ours_time=$(sed -n 's/.*seconds \([0-9.]*\).*/\1/p' "$tree.summary")

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
if diff <(normalise "$tree.peer" "$drive_c") <(normalise "$tree.ours" "$drive_c") >/dev/null; then
    echo "same groups as the coreutils grouping: yes ($(normalise "$tree.ours" "$drive_c" | wc -l) groups)"
else
    echo "same groups as the coreutils grouping: NO"
fi
echo "coreutils ${peer_time}s, ours ${ours_time}s, ratio ours/coreutils $(echo "scale=2; $ours_time / $peer_time" | bc)"
