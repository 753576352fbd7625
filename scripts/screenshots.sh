#!/usr/bin/env bash
# Pictures of every sidebar page and of the program's windows (options tabs, about box,
# found files, duplicates, registry scan, space manager, shutdown warning, cookie keep-list,
# value viewer, software details, shredder window, zip progress, autostart entry, disk
# check), in German and English, as PNG files in a folder:
#   scripts/screenshots.sh [FOLDER]      (default: build/ARCH/screenshots)
# Builds the picture program (tests/screenshots) and runs it in the test sandbox under an
# Xvfb screen of its own. It is for looking at, not part of the test suite.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
. "$here/arch.sh"
tidewrack_choose_arch
arch=$TIDEWRACK_ARCH
out=${1:-$top/build/$arch/screenshots}
"$here/build.sh" "$arch" screenshots
shots="$top/build/$arch/sandbox/prefix/drive_c/shots"
rm -rf "$shots"
mkdir -p "$out"
# A window that failed to open leaves only its picture out; the rest are still converted.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$top/build/$arch/wine-run" "$top/build/$arch/bin/screenshots.exe" || echo "The picture program failed." >&2
for bitmap in "$shots"/*.bmp; do
    [ -e "$bitmap" ] || continue
    name=$(basename "$bitmap" .bmp)
    convert "$bitmap" "$out/$name.png"
done
echo "$(find "$out" -name '*.png' | wc -l) pictures in $out"
