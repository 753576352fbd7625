#!/usr/bin/env bash
# Sets up, builds and starts Tidewrack under Wine, passing the arguments through
# (scripts/run.sh /scan runs a scan). The program gets a Wine prefix of its own in
# .wine-tidewrack/ (Windows XP, without the host's root as drive Z:), created on first
# use; its drive D: is the folder that holds Tidewrack.exe. Where the host cannot run
# 32-bit programs, the 64-bit build runs in a 64-bit prefix (scripts/arch.sh).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
. "$here/arch.sh"
tidewrack_choose_and_set_up_arch
echo "Running $TIDEWRACK_ARCH_REASON."
"$here/build.sh" "$TIDEWRACK_ARCH" --program-only

home="$top/.wine-tidewrack/home"
if [ "$TIDEWRACK_ARCH" = i686 ]; then prefix="$top/.wine-tidewrack/prefix"; else prefix="$top/.wine-tidewrack/prefix-x86_64"; fi
"$here/make-prefix.sh" "$prefix" "$top/build/$TIDEWRACK_ARCH/bin" "$home" "$TIDEWRACK_ARCH"
. "$here/wine-env.sh"
tidewrack_wine_env "$prefix" "$home" "$TIDEWRACK_ARCH"
if [ -n "${DISPLAY:-}" ]; then
    "$TIDEWRACK_WINE" 'D:\Tidewrack.exe' "$@"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$TIDEWRACK_WINE" 'D:\Tidewrack.exe' "$@"
fi
