#!/bin/bash
# Checks that the delivered programs of a Windows build are PE32 i386
# executables that import only system DLLs (nothing to ship beside them).
set -u
build="$1"
status=0
system_dlls='^(kernel32|user32|gdi32|comdlg32|comctl32|shell32|ole32|oleaut32|advapi32|version|msvcrt|winmm|shlwapi|uuid)\.dll$'
found=0
for exe in $(find "$build" -maxdepth 3 -name 'LEXON_V2.exe' -o -maxdepth 3 -name 'ravelup3.exe' -o -maxdepth 3 -name 'lexon.exe' -o -maxdepth 3 -name 'ravelup-cli.exe'); do
    found=1
    desc=$(file -b "$exe")
    case "$desc" in
        PE32\ executable*Intel\ 80386*) ;;
        *) echo "$exe: not a PE32 i386 executable: $desc"; status=1 ;;
    esac
    for dll in $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        if ! echo "$dll" | grep -Eq "$system_dlls"; then
            echo "$exe: imports $dll, which Windows does not provide"; status=1
        fi
    done
    echo "$exe: $desc"
done
[ $found = 1 ] || { echo "no program found in $build"; status=1; }
exit $status
