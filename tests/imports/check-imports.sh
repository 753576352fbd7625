#!/usr/bin/env bash
# check-imports.sh OBJDUMP PROGRAM AGREED_LIST OLDEST_WINDOWS
# Lists the functions PROGRAM imports, by DLL, and fails when one of them is not in
# AGREED_LIST, or when the list gives a function no Windows version, or one newer than
# OLDEST_WINDOWS (the oldest Windows the program starts on, README). Windows refuses to
# start a program that imports a function its DLLs lack, so a new import is first looked up
# in the Windows SDK reference ("Minimum supported client"), then listed with that version,
# or looked up at run time instead when it is newer.
# Versions, oldest first: 95 NT4 98 ME 2000 XP XPSP1 XPSP2 XPSP3 Vista 7 8 8.1 10.
# A PROGRAM that is not built is skipped (status 77).
set -u
export LC_ALL=C
objdump=$1 program=$2 list=$3 oldest=$4
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
# The list: a "[DLL]" line, then its functions one a line, each with the oldest Windows
# that has it; "#" starts a comment.
listed=$(awk '
    { sub(/[ \t]*#.*/, "") }
    /^\[.+\]$/ { dll = toupper(substr($1, 2, length($1) - 2)); next }
    NF { print dll, $1, (NF > 1 ? $2 : "") }' "$list")
agreed=$(echo "$listed" | cut -d' ' -f1,2 | sort -u)
too_new=$(echo "$listed" | awk -v oldest="$oldest" '
    BEGIN { n = split("95 NT4 98 ME 2000 XP XPSP1 XPSP2 XPSP3 Vista 7 8 8.1 10", order, " ")
            for (i = 1; i <= n; i++) rank[order[i]] = i
            if (!(oldest in rank)) { print "(the oldest Windows \"" oldest "\" is no version)"; exit } }
    $3 == "" { print $1, $2, "(no version)"; next }
    !($3 in rank) { print $1, $2, "(\"" $3 "\" is no version)"; next }
    rank[$3] > rank[oldest] { print $1, $2, "(" $3 ", newer than " oldest ")" }')
unexpected=$(comm -23 <(echo "$imports") <(echo "$agreed"))
gone=$(comm -13 <(echo "$imports") <(echo "$agreed"))
echo "$(basename "$program") imports $(echo "$imports" | wc -l) functions from" \
     "$(echo "$imports" | cut -d' ' -f1 | sort -u | paste -sd' ')."
if [ -n "$gone" ]; then
    echo "Listed but no longer imported (may leave $(basename "$list")):"
    echo "$gone" | sed 's/^/  /'
fi
status=0
if [ -n "$unexpected" ]; then
    echo "FAIL: imports outside $(basename "$list"):"
    echo "$unexpected" | sed 's/^/  /'
    status=1
fi
if [ -n "$too_new" ]; then
    echo "FAIL: functions in $(basename "$list") that Windows $oldest may lack:"
    echo "$too_new" | sed 's/^/  /'
    status=1
fi
exit $status
