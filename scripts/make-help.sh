#!/usr/bin/env bash
# Compiles one language's help pages into a compiled help file (.chm):
#   make-help.sh SOURCE_DIR SHARED_DIR STAGE_DIR OUTPUT_CHM
# The sources are UTF-8; the help viewer reads a file's table of contents and pages in the
# ANSI code page its language names, so they are staged as Windows-1252 (as the program's
# own texts are) and compiled there. SHARED_DIR holds what both languages use.
set -eu
source_dir=$1
shared_dir=$2
stage=$3
output=$4
rm -rf "$stage"
mkdir -p "$stage"
for file in "$source_dir"/* "$shared_dir"/*; do
    [ -f "$file" ] || continue
    iconv -f UTF-8 -t WINDOWS-1252 "$file" >"$stage/$(basename "$file")"
done
# The project names help.chm as its output; the caller's name has blanks in it.
log=$stage/chmcmd.log
if ! (cd "$stage" && chmcmd --no-html-scan help.hhp) >"$log" 2>&1 || [ ! -s "$stage/help.chm" ]; then
    cat "$log" >&2
    exit 1
fi
mv "$stage/help.chm" "$output"
