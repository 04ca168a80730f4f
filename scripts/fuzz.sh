#!/bin/bash
# Runs every libFuzzer target of the fuzz build (preset "fuzz", build/fuzz).
#   scripts/fuzz.sh          a million runs of each target
#   scripts/fuzz.sh smoke    a short run of each (25 s), for the test command
# Targets are the executables named fuzz_* under build/fuzz/fuzz/<area>/;
# the seeds of target T are fuzz/<area>/corpus/T/ (committed); the corpus
# grows in build/fuzz/corpus/T/ and findings land in build/fuzz/artifacts/T/.
# A file fuzz/<area>/T.options may hold extra libFuzzer options.
# Exits non-zero when a target finds a fault or no target exists.
# FUZZ_BUILD=<dir> uses another build folder.
set -u
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD:-$root/build/fuzz}"
mode="${1:-full}"
case "$mode" in
    smoke) limit=(-max_total_time=25) ;;
    full) limit=(-runs=1000000) ;;
    *) echo "usage: scripts/fuzz.sh [smoke]" >&2; exit 2 ;;
esac

mapfile -t targets < <(find "$build/fuzz" -type f -name 'fuzz_*' -perm -u+x 2>/dev/null | sort)
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $build/fuzz: build the fuzz preset first" >&2
    exit 1
fi

failures=0
for target in "${targets[@]}"; do
    name="$(basename "$target")"
    area="$(basename "$(dirname "$target")")"
    seeds="$root/fuzz/$area/corpus/$name"
    corpus="$build/corpus/$name"
    artifacts="$build/artifacts/$name"
    mkdir -p "$corpus" "$artifacts"
    extra=()
    if [ -f "$root/fuzz/$area/$name.options" ]; then
        read -r -a extra < "$root/fuzz/$area/$name.options"
    fi
    dirs=("$corpus")
    [ -d "$seeds" ] && dirs+=("$seeds")
    echo "== $name ($mode)"
    log="$build/$name.log"
    if "$target" "${limit[@]}" "${extra[@]}" -artifact_prefix="$artifacts/" -print_final_stats=1 \
            "${dirs[@]}" > "$log" 2>&1; then
        grep -E '^(Done|stat::number_of_executed_units)' "$log" | head -2
    else
        echo "FAILED: $name found a fault; see $log and $artifacts/" >&2
        tail -30 "$log" >&2
        failures=$((failures + 1))
    fi
done
[ $failures -eq 0 ]
