#!/usr/bin/env bash
# Creates (or repairs) a Windows XP Wine prefix for Tidewrack:
#   make-prefix.sh PREFIX PROGRAM_DIR HOME_DIR ARCH [--sandbox]
# ARCH i686 makes a 32-bit Windows XP prefix, x86_64 a 64-bit one (Windows XP x64), and
# wow64 a 64-bit one in which the 32-bit programs run as on 64-bit Windows.
# --sandbox (the test prefix under Xvfb):
# - windows are unmanaged, so Wine does not wait for a window manager that is not there,
#   which otherwise costs seconds per hidden window;
# - a crashing program gets no debugger: Wine's winedbg would wait forever for a console
#   nobody watches. Naming a debugger that does not exist makes Wine print the crash line
#   and end the program at once with a failure status.
# The host's root (drive Z:, and the root folder on the shell's desktop) is removed so that
# nothing run in the prefix can reach host files; PROGRAM_DIR, the folder holding the executables, becomes drive D:.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
prefix=$1
program_dir=$(mkdir -p "$2" && cd "$2" && pwd)
home=$(mkdir -p "$3" && cd "$3" && pwd)
arch=$4
tidewrack_wine_env "$prefix" "$home" "$arch"
wine=$TIDEWRACK_WINE

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    "$wine" wineboot -i >/dev/null 2>&1
    if [ "$arch" = i686 ]; then
        "$wine" winecfg -v winxp >/dev/null 2>&1
    else
        "$wine" winecfg -v winxp64 >/dev/null 2>&1
    fi
fi
# A 64-bit prefix keeps the machine's software keys twice, once as 64-bit programs see them
# and once (below Wow6432Node) as 32-bit ones do: the settings below go into both.
if [ "$arch" = i686 ]; then views=(""); else views=(/reg:64 /reg:32); fi
for view in "${views[@]}"; do
    # Wine's desktop also shows the host's root folder ("/") in the shell's namespace;
    # without it, the shell, like the drives, reaches nothing of the host.
    "$wine" reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\NameSpace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}' \
        /f $view >/dev/null 2>&1 || true
    if [ "${5:-}" = --sandbox ]; then
        "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
            /v Debugger /d 'nosuchdebugger.exe' /f $view >/dev/null 2>&1
    fi
done
if [ "${5:-}" = --sandbox ]; then
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Test programs clear the program's settings only where they find this mark.
    "$wine" reg add 'HKCU\Software\TidewrackTestSandbox' /v Programs /d "$program_dir" /f >/dev/null 2>&1
fi
# Wine's recycle bin is the freedesktop trash under HOME; without its folders, deletes
# "to the recycle bin" would be permanent.
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
# Drive changes take effect for processes that start after the wineserver has gone.
wineserver -w
rm -f "$prefix/dosdevices/z:"
ln -sfn "$program_dir" "$prefix/dosdevices/d:"
