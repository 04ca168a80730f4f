#!/bin/bash
# Screenshots for a person to look at: starts LEXON_V2.exe of a Windows
# build under Wine on a virtual desktop (so that window frames and captions
# are drawn) and captures the screen while the splash is up.
#   scripts/screenshots.sh BUILD_DIR      -> BUILD_DIR/screenshots/*.png
# Uses its own Wine prefix (BUILD_DIR/wineprefix-screenshots) and, when
# DISPLAY is unset, its own Xvfb display; ends only what it started.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/wine-env.sh"
build="$(cd "${1:?usage: screenshots.sh BUILD_DIR}" && pwd)"
exe="$build/bin/LEXON_V2.exe"
[ -f "$exe" ] || exe="$build/translator/LEXON_V2.exe"
[ -f "$exe" ] || { echo "no $exe: build first" >&2; exit 1; }
command -v import >/dev/null || { echo "ImageMagick's import is missing" >&2; exit 1; }

if [ -z "${LEXON_WINE_LOADER:-}" ]; then
    LEXON_WINE_LOADER=$(grep '^LEXON_WINE_LOADER:' "$build/CMakeCache.txt" 2>/dev/null | cut -d= -f2)
fi
export LEXON_WINE_LOADER="${LEXON_WINE_LOADER:-wine}"
LEXON_WINEPREFIX="$build/wineprefix-screenshots" wine_env_init "$build"
wine_prefix_ready
xvfb_start || exit 1
wineserver_bin="$(dirname "$(command -v wineserver || echo /usr/lib/wine/wineserver)")/wineserver"
[ -x "$wineserver_bin" ] || wineserver_bin=/usr/lib/wine/wineserver

out="$build/screenshots"
mkdir -p "$out"
run_dir="$build/screenshots/run"
mkdir -p "$run_dir"
cp "$exe" "$run_dir/"

# The splash picture has a red stripe (56 by 13 pixels of #c8102e): the
# screen is captured once that stripe is on it.
splash_visible() {
    local n
    n=$(convert "$1" -fuzz 8% -fill black +opaque '#c8102e' -fill white -opaque '#c8102e' \
        -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
    [ "${n:-0}" -ge 500 ]
}

status=1
(cd "$run_dir" && "$LEXON_WINE_LOADER" explorer /desktop=lexon,1024x768 LEXON_V2.exe >/dev/null 2>&1) &
app_pid=$!
shot="$out/main_window_with_splash.png"
for i in $(seq 1 60); do
    sleep 1
    if import -window root "$shot.tmp.png" 2>/dev/null && splash_visible "$shot.tmp.png"; then
        sleep 1   # let the picture settle
        import -window root "$shot.tmp.png" 2>/dev/null
        status=0
        break
    fi
done
[ -f "$shot.tmp.png" ] && mv "$shot.tmp.png" "$shot"
[ $status = 0 ] || echo "the splash did not appear within a minute; see $shot" >&2

# The other windows, opened from outside by the driver on the same desktop.
driver="$build/tests/gui/lexon_screenshot_driver.exe"
drive() { "$LEXON_WINE_LOADER" explorer /desktop=lexon,1024x768 "$driver" "$@" >/dev/null 2>&1; }
capture() { sleep 3; import -window root "$out/$1" 2>/dev/null || status=1; }
if [ $status = 0 ] && [ -f "$driver" ]; then
    drive key                                   # the splash goes
    drive command 57664; capture about_box.png  # Words > About Norvask
    drive cancel "Acerca de Lexon 1.0 para Windows"
    drive command 32773; capture index_confirmation.png   # Options > Index
    drive cancel "Question"                     # Cancel: nothing is started
    drive command 57600; capture text_editor_window.png   # Options > Text Editor > New File
    drive type Untitled "Querido amigo:|The file translation writes its result|to a file that opens here."
    capture text_editor_with_text.png
    drive command 32771; capture add_word_dialog.png      # Words > Add
    drive cancel "Add a word to the main dictionary"
    drive command 32772; capture search_dialog.png        # Words > Search
    drive cancel "Search a Word"
    drive command 32778; capture language_dialog.png      # Text > File
    drive cancel "Select the languajes"
fi
"$wineserver_bin" -k 2>/dev/null || true   # this script's own prefix only
wait "$app_pid" 2>/dev/null || true
xvfb_stop
rm -rf "$run_dir"
if [ $status = 0 ]; then
    echo "screenshots in $out:"
    ls "$out"/*.png
fi
exit $status
