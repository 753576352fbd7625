# Sourced by the scripts: the environment of a Tidewrack Wine prefix.
# Usage: tidewrack_wine_env PREFIX HOME_DIR ARCH   (ARCH: i686 or x86_64)
# Sets TIDEWRACK_WINE, the Wine loader to call for that prefix.
tidewrack_wine_env() {
    export WINEPREFIX="$1"
    if [ "$3" = x86_64 ]; then
        export WINEARCH=win64
        # /usr/bin/wine picks the 32-bit loader whenever it is installed, even where the
        # host cannot run it: call the 64-bit loader directly.
        export WINELOADER=/usr/lib/wine/wine64
        TIDEWRACK_WINE=$WINELOADER
    else
        export WINEARCH=win32
        unset WINELOADER
        TIDEWRACK_WINE=wine
    fi
    # Wine's recycle bin and shell folders live under HOME: keep them inside our own tree.
    export HOME="$2"
    export XDG_DATA_HOME="$2/.local/share"
    export XDG_CONFIG_HOME="$2/.config"
    export WINEDEBUG="${WINEDEBUG:--all}"
    # No Mono/Gecko download prompts and no menu entries written for the host desktop.
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
}
