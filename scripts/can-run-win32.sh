#!/bin/bash
# Exit 0 when Wine can run a PE32 (i386) program on this machine.
set -u
dir="$(cd "$(dirname "$0")/.." && pwd)/build/probe32"
mkdir -p "$dir"
if [ ! -f "$dir/probe.exe" ]; then
    printf 'int main(void){return 42;}\n' > "$dir/probe.c"
    i686-w64-mingw32-gcc-posix "$dir/probe.c" -o "$dir/probe.exe" || exit 1
fi
# A 32-bit ELF must start first: wine32 is one.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    exit 1
fi
export WINEPREFIX="$dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
timeout 120 wine "$dir/probe.exe" >/dev/null 2>&1
rc=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
[ $rc -eq 42 ]
