#!/bin/bash
# Runs one Windows program under Wine with the build's private prefix.
# CTest calls it for every test program of the Windows builds:
#   LEXON_WINE_LOADER=wine LEXON_WINEPREFIX=... wine-exec.sh prog.exe [args]
# When DISPLAY is unset it runs the program on a private Xvfb display.
set -u
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh"
prog="$1"; shift
case "$prog" in /*) ;; *) prog="$PWD/$prog" ;; esac
wine_env_init "$(dirname "$prog")"
wine_prefix_ready
own_display=0
if [ -z "${DISPLAY:-}" ]; then
    xvfb_start || exit 1
    own_display=1
fi
"${LEXON_WINE_LOADER:-wine}" "$prog" "$@"
rc=$?
if [ $own_display = 1 ]; then xvfb_stop; fi
exit $rc
