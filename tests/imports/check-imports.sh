#!/usr/bin/env bash
# check-imports.sh OBJDUMP PROGRAM AGREED_LIST
# Lists the functions PROGRAM imports, by DLL, and fails when one of them is not in
# AGREED_LIST. Windows refuses to start a program that imports a function its DLLs lack, so
# a new import is first checked against the oldest Windows the program starts on (README),
# then added to the list, or looked up at run time instead.
# A PROGRAM that is not built is skipped (status 77).
set -u
export LC_ALL=C
objdump=$1 program=$2 list=$3
if [ ! -f "$program" ]; then
    echo "SKIP: $program is not built"
    exit 77
fi
# "DLL function" per import; an import by ordinal only is named "#ordinal".
imports=$("$objdump" -p "$program" | awk '
    /^\tDLL Name:/ { dll = toupper($3) }
    /^\t[0-9a-f]+\t *[0-9]+ +[^ ]+$/ { print dll, ($NF == "<none>" ? "#" $(NF - 1) : $NF) }' | sort -u)
if [ -z "$imports" ]; then
    echo "FAIL: no imports read from $program"
    exit 1
fi
# The list: a "[DLL]" line, then its functions one a line; "#" starts a comment.
agreed=$(awk '
    { sub(/[ \t]*#.*/, "") }
    /^\[.+\]$/ { dll = toupper(substr($1, 2, length($1) - 2)); next }
    NF { print dll, $1 }' "$list" | sort -u)
unexpected=$(comm -23 <(echo "$imports") <(echo "$agreed"))
gone=$(comm -13 <(echo "$imports") <(echo "$agreed"))
echo "$(basename "$program") imports $(echo "$imports" | wc -l) functions from" \
     "$(echo "$imports" | cut -d' ' -f1 | sort -u | paste -sd' ')."
if [ -n "$gone" ]; then
    echo "Listed but no longer imported (may leave $(basename "$list")):"
    echo "$gone" | sed 's/^/  /'
fi
if [ -n "$unexpected" ]; then
    echo "FAIL: imports outside $(basename "$list"):"
    echo "$unexpected" | sed 's/^/  /'
    exit 1
fi
