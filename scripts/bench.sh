#!/bin/bash
# Runs the benchmarks of the bench build (preset "bench", build/bench) and
# prints their results. Builds nothing.
#   scripts/bench.sh
# BENCH_BUILD=<dir> uses another build folder.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
# What the benchmarks compare against and read: SQLite, Apertium and the
# texts of Debian's fortunes packages.
bench_packages=(sqlite3 libsqlite3-dev apertium apertium-eng-spa fortunes fortunes-es bc)
missing=()
for p in "${bench_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] && [ "$(id -u)" = 0 ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
build="${BENCH_BUILD:-$root/build/bench}"
mapfile -t benches < <(find "$build/bench" -type f -name 'bench_*' -perm -u+x 2>/dev/null | sort)
if [ ${#benches[@]} -eq 0 ]; then
    echo "no benchmarks in $build/bench: cmake --preset bench && cmake --build --preset bench" >&2
    exit 1
fi
failures=0
for bench in "${benches[@]}"; do
    echo "== $(basename "$bench")"
    if ! "$bench"; then
        echo "FAILED: $(basename "$bench")" >&2
        failures=$((failures + 1))
    fi
done
[ $failures -eq 0 ]
