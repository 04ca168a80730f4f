#!/bin/bash
# Screenshots of the uninstaller as a user sees it: runs the real
# ravelup3.exe of a Windows build folder on a demonstration log under Wine
# (the build's private prefix, a private Xvfb display when DISPLAY is
# unset) and writes PNG files into <build>/screenshots:
#   main-dialog.png, confirmation.png, main-dialog-after-run.png,
#   quit-question.png
#   scripts/screenshots-uninstaller.sh build/win64
set -u
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: screenshots-uninstaller.sh <build folder>}" && pwd)"
. "$here/wine-env.sh"
LEXON_WINE_LOADER="${LEXON_WINE_LOADER:-$(grep '^LEXON_WINE_LOADER:' "$build/CMakeCache.txt" 2>/dev/null | cut -d= -f2)}"
export LEXON_WINE_LOADER="${LEXON_WINE_LOADER:-wine}"
program="$build/uninstaller/ravelup3.exe"
driver="$build/tests/uninstaller/gui/ravelup_screenshot_driver.exe"
for f in "$program" "$driver"; do
    [ -f "$f" ] || { echo "missing $f (build the targets ravelup3 and ravelup_screenshot_driver)" >&2; exit 1; }
done
wine_env_init "$build"
wine_prefix_ready
own_display=0
if [ -z "${DISPLAY:-}" ]; then
    xvfb_start || exit 1
    own_display=1
fi
out="$build/screenshots"
mkdir -p "$out"
cd "$out" || exit 1
rm -f ./*.bmp
"$LEXON_WINE_LOADER" "$driver" "$program"
rc=$?
for bmp in ./*.bmp; do
    [ -f "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
if [ $own_display = 1 ]; then xvfb_stop; fi
ls -l "$out"/*.png 2>/dev/null
exit $rc
