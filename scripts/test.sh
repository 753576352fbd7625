#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite under Wine and Xvfb, for the build this
# host runs (scripts/arch.sh; TIDEWRACK_ARCH=i686 or x86_64 forces one). When the 64-bit
# build is tested, the 32-bit program and its tests are still built, so the shipped program
# never stops building. Extra arguments go to ctest (for example -R test_registry).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
. "$here/arch.sh"
tidewrack_choose_and_set_up_arch
echo "Testing $TIDEWRACK_ARCH_REASON."
arch=$TIDEWRACK_ARCH
"$here/build.sh" "$arch"
# The shipped program is the 32-bit one: it and its tests always build, so a fault that
# only the 32-bit compiler sees cannot land where its suite does not run.
if [ "$arch" = x86_64 ]; then
    if tidewrack_runs_32bit_wine; then
        "$here/build.sh" i686
    else
        "$here/build.sh" i686 --no-sandbox
    fi
fi

. "$here/wine-env.sh"
tidewrack_wine_env "$top/build/$arch/sandbox/prefix" "$top/build/$arch/sandbox/home" "$arch"
# One wineserver for the whole run, so each test process starts in a fraction of a second.
# When one already serves the sandbox (another run), it is shared and left running.
if wineserver -p 2>/dev/null; then
    trap 'wineserver -k 2>/dev/null || true' EXIT
fi
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$top/build/$arch" --output-on-failure "$@"
