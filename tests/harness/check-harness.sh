#!/usr/bin/env bash
# check-harness.sh GTEST_RUN CRASHING_PROGRAM EARLY_EXITING_PROGRAM
# Each program must be reported as failed (non-zero status) within a minute, never pass and
# never hang; the crash must show Wine's crash line.
gtest_run=$1
failed=0
expect_failure() { # program, text the output must hold
    local started output status elapsed
    started=$(date +%s)
    output=$(timeout 240 "$gtest_run" "$1" 2>&1)
    status=$?
    elapsed=$(( $(date +%s) - started ))
    echo "$output" | tail -n 5
    if [ "$status" = 0 ]; then
        echo "FAIL: $(basename "$1") was reported as passed"; failed=1
    elif [ "$status" = 124 ] || [ "$elapsed" -ge 60 ]; then
        echo "FAIL: $(basename "$1") took ${elapsed}s (a debugger waiting?)"; failed=1
    elif ! grep -q "$2" <<<"$output"; then
        echo "FAIL: $(basename "$1"): the output does not say '$2'"; failed=1
    else
        echo "ok: $(basename "$1") failed with status $status in ${elapsed}s"
    fi
}
expect_failure "$2" "Unhandled"
expect_failure "$3" "no GoogleTest report"
exit $failed
