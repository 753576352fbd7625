# Sourced by the scripts: the environment of a Tidewrack Wine prefix.
# Usage: tidewrack_wine_env PREFIX HOME_DIR ARCH
# ARCH: i686 or x86_64 (that build's programs in a prefix of their own kind), or wow64 (the
# 32-bit programs in a 64-bit prefix, run there as 64-bit Windows runs them).
# Sets TIDEWRACK_WINE, the Wine loader to call for that prefix.
tidewrack_wine_env() {
    export WINEPREFIX="$1"
    case "$3" in
        x86_64)
            export WINEARCH=win64
            # /usr/bin/wine picks the 32-bit loader whenever it is installed, even where
            # the host cannot run it: call the 64-bit loader directly.
            export WINELOADER=/usr/lib/wine/wine64
            TIDEWRACK_WINE=$WINELOADER ;;
        wow64)
            # The 32-bit loader runs 32-bit programs under WOW64 in a 64-bit prefix and
            # hands 64-bit ones (the prefix's own regedit) to the 64-bit loader beside it.
            export WINEARCH=win64
            unset WINELOADER
            TIDEWRACK_WINE=wine ;;
        *)
            export WINEARCH=win32
            unset WINELOADER
            TIDEWRACK_WINE=wine ;;
    esac
    # Wine's recycle bin and shell folders live under HOME: keep them inside our own tree.
    export HOME="$2"
    export XDG_DATA_HOME="$2/.local/share"
    export XDG_CONFIG_HOME="$2/.config"
    export WINEDEBUG="${WINEDEBUG:--all}"
    # No Mono/Gecko download prompts and no menu entries written for the host desktop.
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
}
