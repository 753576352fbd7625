#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite under Wine and Xvfb.
# Extra arguments go to ctest (for example -R test_registry).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
"$here/setup.sh"
"$here/build.sh"

. "$here/wine-env.sh"
tidewrack_wine_env "$top/build/sandbox/prefix" "$top/build/sandbox/home"
# One wineserver for the whole run, so each test process starts in a fraction of a second.
# When one already serves the sandbox (another run), it is shared and left running.
if wineserver -p 2>/dev/null; then
    trap 'wineserver -k 2>/dev/null || true' EXIT
fi
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$top/build" --output-on-failure "$@"
