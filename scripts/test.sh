#!/bin/bash
# The test command: installs what is missing, builds every preset and runs
# every test natively and under Wine (private Xvfb display, private prefix).
# Exits non-zero on any failure. Run from anywhere; as root on a fresh
# Debian 12 machine it installs its packages itself.
#   scripts/test.sh            everything
#   LEXON_SKIP_FUZZ=1 ...      without the fuzz smoke runs
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
. scripts/wine-env.sh

failures=0
passed_steps=0
step() {  # step NAME COMMAND...: runs one step, counts it
    local name="$1"; shift
    echo "==== $name"
    if "$@"; then
        passed_steps=$((passed_steps + 1))
    else
        echo "==== FAILED: $name"
        failures=$((failures + 1))
    fi
}

bash scripts/install-deps.sh || { echo "cannot install the packages"; exit 1; }

jobs=$(nproc)

step "native: configure" cmake --preset native -Wno-dev >/dev/null
step "native: build" cmake --build --preset native -j "$jobs"
step "native: tests" ctest --preset native -j "$jobs"

step "win32: configure" cmake --preset win32 -Wno-dev >/dev/null
step "win32: build" cmake --build --preset win32 -j "$jobs"
step "win32: the programs are PE32 GUI/console executables that need no DLL of ours" \
    bash scripts/check-pe.sh build/win32

# Wine runs PE32 programs only where the kernel runs 32-bit code. Where it
# cannot, the same sources built for x86_64 run the Wine tests instead.
wine_preset=win32
if ! bash scripts/can-run-win32.sh; then
    echo "NOTE: this machine cannot execute 32-bit x86 code (wine32 cannot start),"
    echo "      so the Wine tests run on the x86_64 build of the same sources."
    wine_preset=win64
    step "win64: configure" cmake --preset win64 -Wno-dev >/dev/null
    step "win64: build" cmake --build --preset win64 -j "$jobs"
fi

xvfb_start
export LEXON_WINE_LOADER
LEXON_WINE_LOADER=$(grep '^LEXON_WINE_LOADER:' "build/$wine_preset/CMakeCache.txt" | cut -d= -f2)
wine_env_init "$root/build/$wine_preset"
step "$wine_preset: wine prefix" wine_prefix_ready
step "$wine_preset: tests under Wine" ctest --preset "$wine_preset" -j "$jobs"
step "$wine_preset: translator screenshots" bash scripts/screenshots.sh "build/$wine_preset"
step "$wine_preset: uninstaller screenshots" bash scripts/screenshots-uninstaller.sh "build/$wine_preset"
WINEPREFIX="$root/build/$wine_preset/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
xvfb_stop

if [ -z "${LEXON_SKIP_FUZZ:-}" ]; then
    step "fuzz: configure" cmake --preset fuzz -Wno-dev >/dev/null
    step "fuzz: build" cmake --build --preset fuzz -j "$jobs"
    step "fuzz: smoke runs" bash scripts/fuzz.sh smoke
fi

echo
echo "steps: $passed_steps passed, $failures failed"
[ $failures -eq 0 ]
