# Sourced by the scripts: which Windows build runs on this host.
#
# Tidewrack ships as a 32-bit program, run here in a 32-bit Wine prefix. Some Linux kernels
# refuse 32-bit executables, Wine's own 32-bit loader included; there the 64-bit build runs
# in a 64-bit Windows XP prefix instead. TIDEWRACK_ARCH=i686 or TIDEWRACK_ARCH=x86_64 forces
# either choice.

# True when the kernel runs 32-bit x86 Linux programs. Asked before Wine is installed, so
# the probe is a minimal i386 ELF program of our own that only calls exit(0).
tidewrack_host_runs_32bit() {
    local probe status
    probe=$(mktemp)
    # ELF header, one loadable segment at 0x08048000, then: mov eax,1; xor ebx,ebx; int 0x80
    printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0' >"$probe"
    printf '\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0' >>"$probe"
    printf '\270\1\0\0\0\061\333\315\200' >>"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    return $status
}

# True when 32-bit Windows programs run here: the kernel runs 32-bit programs and the
# 32-bit Wine is installed.
tidewrack_runs_32bit_wine() {
    tidewrack_host_runs_32bit && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Sets TIDEWRACK_ARCH (i686 or x86_64) and TIDEWRACK_ARCH_REASON, the one line that says why.
tidewrack_choose_arch() {
    case "${TIDEWRACK_ARCH:-}" in
        i686|x86_64)
            TIDEWRACK_ARCH_FORCED=1
            TIDEWRACK_ARCH_REASON="the $TIDEWRACK_ARCH build, as TIDEWRACK_ARCH asks" ;;
        "")
            if tidewrack_host_runs_32bit; then
                TIDEWRACK_ARCH=i686
                TIDEWRACK_ARCH_REASON="the 32-bit build (i686): this host runs 32-bit programs"
            else
                TIDEWRACK_ARCH=x86_64
                TIDEWRACK_ARCH_REASON="the 64-bit build (x86_64) under wine64: this host cannot run 32-bit programs"
            fi ;;
        *)
            echo "TIDEWRACK_ARCH must be i686 or x86_64, not '$TIDEWRACK_ARCH'" >&2
            return 1 ;;
    esac
    export TIDEWRACK_ARCH TIDEWRACK_ARCH_REASON
}

# Chooses the build and installs what it needs (scripts/setup.sh). Where the 32-bit Wine
# cannot be installed and no build was forced, the 64-bit build is chosen, as on a host
# that cannot run 32-bit programs.
tidewrack_choose_and_set_up_arch() {
    local status=0
    tidewrack_choose_arch || return
    "$(dirname "${BASH_SOURCE[0]}")/setup.sh" "$TIDEWRACK_ARCH" || status=$?
    if [ "$status" = 3 ] && [ -z "${TIDEWRACK_ARCH_FORCED:-}" ]; then
        TIDEWRACK_ARCH=x86_64
        TIDEWRACK_ARCH_REASON="the 64-bit build (x86_64) under wine64: the 32-bit Wine could not be installed"
        status=0
        "$(dirname "${BASH_SOURCE[0]}")/setup.sh" x86_64 || status=$?
    fi
    return "$status"
}
