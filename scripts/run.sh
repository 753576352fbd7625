#!/usr/bin/env bash
# Sets up, builds and starts Tidewrack under Wine, passing the arguments through
# (scripts/run.sh /scan runs a scan). The program gets a Wine prefix of its own in
# .wine-tidewrack/ (32-bit, Windows XP, without the host's root as drive Z:),
# created on first use; its drive D: is the folder that holds Tidewrack.exe.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
"$here/setup.sh"
"$here/build.sh"

home="$top/.wine-tidewrack/home"
prefix="$top/.wine-tidewrack/prefix"
"$here/make-prefix.sh" "$prefix" "$top/build/bin" "$home"
. "$here/wine-env.sh"
tidewrack_wine_env "$prefix" "$home"
if [ -n "${DISPLAY:-}" ]; then
    wine 'D:\Tidewrack.exe' "$@"
else
    xvfb-run -a -s "-screen 0 1280x1024x24" wine 'D:\Tidewrack.exe' "$@"
fi
