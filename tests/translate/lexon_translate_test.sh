#!/bin/bash
# The translate and analyse commands of the lexon tool, end to end on a
# dictionary made with the tool itself.
#   lexon_translate_test.sh LEXON
set -u
lexon=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# check NAME EXPECTED ACTUAL
check() {
    if [ "$2" == "$3" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAILED: $1"
        echo "  expected: $(printf '%s' "$2" | od -c | head -5)"
        echo "  actual:   $(printf '%s' "$3" | od -c | head -5)"
    fi
}

dict="$work/dict"
mkdir -p "$dict"
"$lexon" --dir "$dict" create >/dev/null
printf 'hello\thola                \tn\nworld\tmundo               \tn\nto speak\thablar\tv\nto walk\tandar\tv\nwe\tnosotros\tpron\nto go\tir\tv\nis\testá\tv\n' > "$work/pairs.tsv"
"$lexon" --dir "$dict" --utf8 import "$work/pairs.tsv" >/dev/null

# standard input to standard output, text-mode line ends
out=$(printf 'Hello, world.\n' | "$lexon" --dir "$dict" translate --from en --to es | od -An -c | tr -s ' ')
check "stdin to stdout" "$(printf 'hola ,mundo .\r\n' | od -An -c | tr -s ' ')" "$out"

# files, and "-" for standard input
printf 'we will go\nHello world\n' > "$work/in.txt"
"$lexon" --dir "$dict" translate --from en --to es "$work/in.txt" "$work/out.txt"
check "file to file" "$(printf 'nosotros iremos  \r\nhola  mundo \r\n\r\n' | od -An -c)" "$(od -An -c < "$work/out.txt")"
printf 'Hello' | "$lexon" --dir "$dict" translate --from en --to es - "$work/out2.txt"
check "stdin to file" "hola " "$(cat "$work/out2.txt")"

# UTF-8 at the edges; a last line ending in an accented letter is translated
check "utf8 in and out" "is" "$(printf 'está' | "$lexon" --dir "$dict" --utf8 translate --from es --to en)"
check "utf8 spanish verb" "speaks  <el> world" \
    "$(printf 'Habló el mundo' | "$lexon" --dir "$dict" --utf8 translate --from es --to en)"
check "windows-1252 bytes" "is" "$(printf 'est\xe1' | "$lexon" --dir "$dict" translate --from es --to en)"

# the verb analysis of the search dialog
check "analyse spanish" "$(printf 'hablar\twould speak')" "$("$lexon" --dir "$dict" --utf8 analyse --from es hablaría)"
check "analyse spanish third person" "$(printf 'hablar\tspeaks')" "$("$lexon" --dir "$dict" analyse --from es HABLA)"
check "analyse english" "$(printf 'to walk\tandé')" "$("$lexon" --dir "$dict" --utf8 analyse --from en walked)"
check "analyse english present" "$(printf 'to walk\tandar')" "$("$lexon" --dir "$dict" analyse --from en walks)"
out=$("$lexon" --dir "$dict" analyse --from en xyz); code=$?
check "analyse failure" "1:" "$code:$out"

# failures and usage
out=$(printf 'x' | "$lexon" --dir "$work/none" translate --from en --to es 2>&1 >/dev/null); code=$?
check "no index" "1:ERROR: No se ha podido Abrir el indice de ingles" "$code:$out"
out=$("$lexon" --dir "$dict" translate --from en --to es "$work/missing.txt" 2>&1); code=$?
check "no input" "1:ERROR: El fichero especificado no se ha podido abrir" "$code:$out"
"$lexon" --dir "$dict" translate --from en --to fr </dev/null >/dev/null 2>&1; code=$?
check "bad language" "2" "$code"
"$lexon" --dir "$dict" analyse --from es >/dev/null 2>&1; code=$?
check "no word" "2" "$code"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
