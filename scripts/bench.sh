#!/bin/bash
# Runs the benchmarks of the bench build (preset "bench", build/bench) and
# prints their results. Builds nothing.
#   scripts/bench.sh
# BENCH_BUILD=<dir> uses another build folder.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
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
