#!/bin/bash
# Translation throughput: `lexon translate` with the shipped dictionary
# against Apertium (Debian's apertium + apertium-eng-spa, modes eng-spa and
# spa-eng) on the same texts in the same run, in words per second.
#
#   bench/translate/run.sh [BUILD_DIR]      (default: build/bench)
#   (scripts/bench.sh runs it as build/bench/bench/translate/bench_translate)
#
# Texts: English and Spanish prose from Debian's fortunes and fortunes-es
# packages (at least 300 KB of English), turned into Windows-1252 for lexon
# (characters it cannot hold transliterated) and back into UTF-8 for
# Apertium, so both read the same words. Words are counted with `wc -w`.
# Each lexon translation is checked byte for byte against
# translate_reference, the plain translation that reads the dictionary
# files for every word.
#
# Targets: lexon at least 10 times Apertium's words per second from English
# and 5 times from Spanish. Exit 0 when both are met and the outputs are
# identical, 1 otherwise, 2 when something needed is missing.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/bench}
lexon=$build/tools/lexon/lexon
reference=$build/bench/translate/translate_reference
if [ ! -x "$lexon" ] || [ ! -x "$reference" ]; then
    echo "bench/translate: build first: cmake --preset bench && cmake --build --preset bench --target lexon translate_reference" >&2
    exit 2
fi

fortunes=/usr/share/games/fortunes
if ! command -v apertium >/dev/null || [ ! -e /usr/share/apertium/modes/eng-spa.mode ] \
        || [ ! -e $fortunes/wisdom ] || [ ! -d $fortunes/es ]; then
    if [ "$(id -u)" = 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q apertium apertium-eng-spa fortunes fortunes-es >/dev/null
    else
        echo "bench/translate: needs the Debian packages apertium apertium-eng-spa fortunes fortunes-es" >&2
        exit 2
    fi
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The shipped dictionary, built from its word list by the lexon tool. It is
# dated back as an installed dictionary is: the translation trusts its
# in-memory copies of the files only for files not modified in the last
# seconds.
mkdir -p "$work/dict"
"$lexon" --dir "$work/dict" create >/dev/null
"$lexon" --dir "$work/dict" --utf8 import "$root/dictionary/words.tsv" >/dev/null
touch -d '1 hour ago' "$work"/dict/*

cat $fortunes/wisdom $fortunes/people $fortunes/science $fortunes/politics $fortunes/literature > "$work/en.source"
cat $fortunes/es/*.fortunes > "$work/es.source"
for lang in en es; do
    iconv -f UTF-8 -t WINDOWS-1252//TRANSLIT "$work/$lang.source" > "$work/$lang.1252"
    iconv -f WINDOWS-1252 -t UTF-8 "$work/$lang.1252" > "$work/$lang.utf8"
done

now() { date +%s.%N; }

# best_time RUNS COMMAND...: the shortest wall time of RUNS runs, in seconds.
best_time() {
    local runs=$1 best="" start end elapsed
    shift
    for _ in $(seq "$runs"); do
        start=$(now)
        "$@"
        end=$(now)
        elapsed=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$elapsed < $best" | bc -l)" = 1 ]; then best=$elapsed; fi
    done
    echo "$best"
}

status=0
printf '%-8s %8s %7s %12s %12s %12s %12s %7s %7s %s\n' \
    direction KB words lexon_s apertium_s lexon_w/s apertium_w/s ratio target output
for direction in en-es es-en; do
    from=${direction%-*}
    to=${direction#*-}
    mode=$([ "$from" = en ] && echo eng-spa || echo spa-eng)
    target=$([ "$from" = en ] && echo 10 || echo 5)
    kb=$(( $(stat -c %s "$work/$from.1252") / 1024 ))
    words=$(wc -w < "$work/$from.utf8")

    lexon_run() { "$lexon" --dir "$work/dict" translate --from "$from" --to "$to" "$work/$from.1252" "$work/$from.lexon"; }
    apertium_run() { apertium "$mode" "$work/$from.utf8" > "$work/$from.apertium"; }
    lexon_seconds=$(best_time 5 lexon_run)
    apertium_seconds=$(best_time 2 apertium_run)

    "$reference" "$work/dict" "$from" "$to" "$work/$from.1252" "$work/$from.reference"
    if cmp -s "$work/$from.lexon" "$work/$from.reference"; then output=identical; else output=DIFFERENT; status=1; fi

    lexon_wps=$(echo "$words / $lexon_seconds" | bc -l)
    apertium_wps=$(echo "$words / $apertium_seconds" | bc -l)
    ratio=$(echo "$lexon_wps / $apertium_wps" | bc -l)
    met=$([ "$(echo "$ratio >= $target" | bc -l)" = 1 ] && echo "met" || echo "MISSED")
    [ "$met" = met ] || status=1
    printf '%-8s %8d %7d %12.3f %12.3f %12.0f %12.0f %7.1f %7s %s\n' \
        "$direction" "$kb" "$words" "$lexon_seconds" "$apertium_seconds" "$lexon_wps" "$apertium_wps" "$ratio" \
        ">=$target $met" "$output"
done
exit $status
