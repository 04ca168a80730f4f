# cmake -DIN=words.tsv -DOUT=words.reversed.tsv -P reverse_lines.cmake
# Writes the lines of IN in reverse order. The index puts a new key before
# the equal keys already there, so a word with several senses is found under
# the sense added last: importing the list backwards makes the first line of
# each word (its usual sense) the one a lookup finds.
file(STRINGS "${IN}" lines ENCODING UTF-8)
list(REVERSE lines)
list(JOIN lines "\n" text)
file(WRITE "${OUT}" "${text}\n")
