#!/bin/bash
# The run command: installs what is missing, builds the translator and
# starts LEXON_V2.exe under Wine beside its dictionary files.
#   scripts/run.sh
# The program runs from build/<preset>/run, a folder holding LEXON_V2.exe
# and the dictionary (mixto.dbf, mixing.mgm, mixesp.mgm, when the build made
# them), with the Wine prefix build/<preset>/wineprefix. The delivered
# program is the PE32 build (win32); where this machine cannot run 32-bit
# code, the same sources built for x86_64 (win64) are started instead.
# Without an X display (DISPLAY unset) it says so and shows how to use the
# command-line tool on the same dictionary instead.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
. scripts/wine-env.sh

bash scripts/install-deps.sh || { echo "cannot install the packages (run as root?)" >&2; exit 1; }

build() {  # build PRESET: configures once, builds the program and the tool
    local preset="$1"
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" -Wno-dev >/dev/null || return 1
    fi
    cmake --build --preset "$preset" -j "$(nproc)" --target LEXON_V2 || return 1
    # the dictionary files, when the build knows how to make them
    cmake --build --preset "$preset" -j "$(nproc)" --target shipped_dictionary >/dev/null 2>&1 || true
}

build win32 || { echo "the win32 build failed" >&2; exit 1; }
preset=win32
loader=wine
if ! bash scripts/can-run-win32.sh; then
    echo "NOTE: this machine cannot execute 32-bit x86 code, so the x86_64 build"
    echo "      of the same sources (preset win64) is started instead."
    build win64 || { echo "the win64 build failed" >&2; exit 1; }
    preset=win64
    loader=/usr/lib/wine/wine64
fi

exe="$root/build/$preset/bin/LEXON_V2.exe"
[ -f "$exe" ] || exe="$root/build/$preset/translator/LEXON_V2.exe"
[ -f "$exe" ] || { echo "no $exe after the build" >&2; exit 1; }
run_dir="$root/build/$preset/run"
mkdir -p "$run_dir"
cp "$exe" "$run_dir/"
exe_dir="$(dirname "$exe")"
found_dictionary=1
for f in mixto.dbf mixing.mgm mixesp.mgm; do
    if [ -f "$exe_dir/$f" ]; then
        # keep a dictionary the user has already changed in the run folder
        [ -f "$run_dir/$f" ] || cp "$exe_dir/$f" "$run_dir/"
    fi
    [ -f "$run_dir/$f" ] || found_dictionary=0
done
if [ $found_dictionary = 0 ]; then
    echo "NOTE: the dictionary files (mixto.dbf, mixing.mgm, mixesp.mgm) are not in"
    echo "      $run_dir yet; the program starts, but its dictionary commands will"
    echo "      report that they cannot open them."
fi

if [ -z "${DISPLAY:-}" ]; then
    cat <<EOT
There is no X display (DISPLAY is not set), so LEXON_V2.exe cannot show its
windows here. Start this command from a graphical session (or with
DISPLAY=:0 ...), or use the command-line tool on the same dictionary:

  build/native/tools/lexon/lexon --dir $run_dir COMMAND ...

  commands: create, import, export, reindex, check, translate, analyse,
            search, add, delete     (build it with: cmake --preset native &&
            cmake --build --preset native --target lexon)
EOT
    exit 2
fi

export LEXON_WINE_LOADER="$loader"
wine_env_init "$root/build/$preset"
echo "preparing the Wine prefix $WINEPREFIX ..."
wine_prefix_ready
echo "starting $run_dir/LEXON_V2.exe"
cd "$run_dir" && exec "$loader" LEXON_V2.exe
