# Sourced by the scripts: the environment of a Tidewrack Wine prefix.
# Usage: tidewrack_wine_env PREFIX HOME_DIR
tidewrack_wine_env() {
    export WINEPREFIX="$1"
    export WINEARCH=win32
    # Wine's recycle bin and shell folders live under HOME: keep them inside our own tree.
    export HOME="$2"
    export XDG_DATA_HOME="$2/.local/share"
    export XDG_CONFIG_HOME="$2/.config"
    export WINEDEBUG="${WINEDEBUG:--all}"
    # No Mono/Gecko download prompts and no menu entries written for the host desktop.
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
}
