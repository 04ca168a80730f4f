# Sourced by the scripts that run programs under Wine. Gives every build its
# own Wine prefix and, when no X server is given, a private Xvfb display.
#   wine_env_init BUILD_DIR   sets WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   wine_prefix_ready         creates the prefix once (wineboot -i), locked
#   xvfb_start / xvfb_stop    a private display for this run

wine_env_init() {
    export WINEPREFIX="${LEXON_WINEPREFIX:-$1/wineprefix}"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml="
    case "${LEXON_WINE_LOADER:-wine}" in
        *wine64) export WINEARCH=win64 ;;
        *) export WINEARCH=win32 ;;
    esac
}

wine_prefix_ready() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "${LEXON_WINE_LOADER:-wine}" wineboot -i >/dev/null 2>&1 || true
            # Without a window manager Wine waits for one at every window it
            # shows; unmanaged windows draw their own frames and come at once.
            "${LEXON_WINE_LOADER:-wine}" reg add 'HKCU\Software\Wine\X11 Driver' \
                /v Managed /d N /f >/dev/null 2>&1 || true
            "$(dirname "$(command -v wineserver || echo /usr/lib/wine/wineserver)")/wineserver" -w 2>/dev/null || true
        fi
    ) 9>"$WINEPREFIX.lock"
}

XVFB_PID=""
xvfb_start() {
    if [ -n "${DISPLAY:-}" ]; then return 0; fi
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            XVFB_PID=$!
            local i
            for i in $(seq 1 50); do
                [ -e "/tmp/.X11-unix/X$n" ] && break
                sleep 0.1
            done
            export DISPLAY=":$n"
            return 0
        fi
    done
    echo "no free X display for Xvfb" >&2
    return 1
}

xvfb_stop() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
