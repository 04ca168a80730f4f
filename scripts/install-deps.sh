#!/bin/bash
# Installs, as root on Debian 12, every package the builds, tests, benchmarks
# and the run command need. Does nothing when all are present.
set -eu
packages=(
    cmake ninja-build g++ clang-14 libclang-rt-14-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev sqlite3 libsqlite3-dev
    g++-mingw-w64-i686-posix mingw-w64-i686-dev
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
    wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick file
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]}; run this as root to install them" >&2
    exit 1
fi
echo "installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
