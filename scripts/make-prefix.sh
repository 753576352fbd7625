#!/usr/bin/env bash
# Creates (or repairs) a 32-bit Windows XP Wine prefix for Tidewrack:
#   make-prefix.sh PREFIX PROGRAM_DIR HOME_DIR [--unmanaged]
# --unmanaged (for the test sandbox under Xvfb) keeps Wine from waiting for a window
# manager that is not there, which otherwise costs seconds per hidden window.
# The host's root (drive Z:) is removed so that nothing run in the prefix can reach host
# files; PROGRAM_DIR, the folder holding the executables, becomes drive D:.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
prefix=$1
program_dir=$(mkdir -p "$2" && cd "$2" && pwd)
home=$(mkdir -p "$3" && cd "$3" && pwd)
tidewrack_wine_env "$prefix" "$home"

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    wineboot -i >/dev/null 2>&1
    wine winecfg -v winxp >/dev/null 2>&1
    if [ "${4:-}" = --unmanaged ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    fi
fi
# Wine's recycle bin is the freedesktop trash under HOME; without its folders, deletes
# "to the recycle bin" would be permanent.
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
# Drive changes take effect for processes that start after the wineserver has gone.
wineserver -w
rm -f "$prefix/dosdevices/z:"
ln -sfn "$program_dir" "$prefix/dosdevices/d:"
