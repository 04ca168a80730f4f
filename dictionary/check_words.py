#!/usr/bin/env python3
"""Validate the shipped dictionary word list (words.tsv).

Usage: check_words.py [path/to/words.tsv]
       check_words.py --self-test   (checks the checker on faulty lists)

Each line of the list is  English<TAB>Spanish<TAB>class  in UTF-8.  The
checker enforces what the dictionary builder and the translator rely on:

  * three fields per line, none empty, no leading/trailing or double blanks;
  * every field encodable in Windows-1252, English and Spanish words at most
    20 bytes once encoded (the record keeps 20 significant bytes), class code
    at most 5 characters and one of the documented codes;
  * words in lower case, made of a-z, digits, blank, apostrophe, hyphen and
    the eleven accented letters the text conversion knows (á ä é ë í ï ñ ó ö
    ú ü), free of the characters that end a word in the translator's
    tokenizer ( ) , . : ; ? and tab;
  * verbs (class "v") stored as "to " + verb with a Spanish infinitive
    (-ar, -er, -ir, or -ír), and every "to ..." entry is a verb;
  * the English subject pronouns i, you, he, she, it, we, they present with
    class "pron" (the translator takes the person of the next verb from them);
  * no identical lines and no English/Spanish pair repeated;
  * at least 3000 pairs and at least 400 verbs.

Prints a summary and exits 0 when the list is clean; prints every violation
and exits 1 otherwise.
"""

import os
import sys

CLASS_CODES = {
    "n": "noun",
    "v": "verb (English stored as 'to ' + verb, Spanish infinitive)",
    "adj": "adjective",
    "adv": "adverb",
    "pron": "pronoun",
    "prep": "preposition",
    "conj": "conjunction",
    "det": "determiner / article",
    "num": "number",
    "intj": "interjection",
}

MIN_PAIRS = 3000
MIN_VERBS = 400
MAX_WORD_BYTES = 20
MAX_CLASS_CHARS = 5
SUBJECT_PRONOUNS = ["i", "you", "he", "she", "it", "we", "they"]
TOKEN_SEPARATORS = set("(),.:;?\t")
# Letters the dictionary text conversion keeps in OEM codes; any other byte
# above 127 would either be left unconverted or, for the eleven partner codes
# (such as the pound sign or the inverted exclamation mark), be swapped into
# a letter, so words use plain ASCII letters plus these eleven only.
ACCENTED_LETTERS = "áäéëíïñóöúü"
ALLOWED_CHARACTERS = set("abcdefghijklmnopqrstuvwxyz0123456789 '-" + ACCENTED_LETTERS)
INFINITIVE_ENDINGS = ("ar", "er", "ir", "ír")


def field_problems(what, text):
    """Return the problems of one English or Spanish word."""
    problems = []
    if text == "":
        return ["empty %s word" % what]
    if text != text.strip(" "):
        problems.append("%s word %r has a leading or trailing blank" % (what, text))
    if "  " in text:
        problems.append("%s word %r has a double blank" % (what, text))
    if text != text.lower():
        problems.append("%s word %r is not lower case" % (what, text))
    foreign = sorted(set(c for c in text if c not in ALLOWED_CHARACTERS
                         and c not in TOKEN_SEPARATORS and c.lower() == c))
    if foreign:
        problems.append("%s word %r contains character(s) outside the dictionary alphabet: %r"
                        % (what, text, "".join(foreign)))
    bad = sorted(set(c for c in text if c in TOKEN_SEPARATORS))
    if bad:
        problems.append("%s word %r contains separator(s) %r" % (what, text, "".join(bad)))
    try:
        encoded = text.encode("cp1252")
    except UnicodeEncodeError:
        problems.append("%s word %r cannot be written in Windows-1252" % (what, text))
        return problems
    if len(encoded) > MAX_WORD_BYTES:
        problems.append("%s word %r is %d bytes in Windows-1252 (limit %d)"
                        % (what, text, len(encoded), MAX_WORD_BYTES))
    if any(b < 0x20 for b in encoded):
        problems.append("%s word %r contains a control character" % (what, text))
    return problems


def check(path):
    errors = []
    try:
        with open(path, "rb") as handle:
            raw = handle.read()
    except OSError as exc:
        return ["cannot read %s: %s" % (path, exc)], None
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as exc:
        return ["%s is not valid UTF-8: %s" % (path, exc)], None
    if text.startswith("\ufeff"):
        errors.append("file starts with a byte order mark")
    if "\r" in text:
        errors.append("file contains carriage returns (use LF line ends)")

    seen_lines = {}
    seen_pairs = {}
    english_classes = {}
    pronoun_lines = {}
    pairs = 0
    verbs = 0
    per_class = {}
    for number, line in enumerate(text.split("\n"), start=1):
        if line == "":
            continue
        where = "line %d" % number
        fields = line.split("\t")
        if len(fields) != 3:
            errors.append("%s: expected 3 tab-separated fields, found %d: %r"
                          % (where, len(fields), line))
            continue
        english, spanish, code = fields
        for problem in field_problems("English", english) + field_problems("Spanish", spanish):
            errors.append("%s: %s" % (where, problem))
        if len(code) > MAX_CLASS_CHARS:
            errors.append("%s: class code %r longer than %d characters"
                          % (where, code, MAX_CLASS_CHARS))
        if code not in CLASS_CODES:
            errors.append("%s: unknown class code %r" % (where, code))
        if line in seen_lines:
            errors.append("%s: duplicate of line %d: %r" % (where, seen_lines[line], line))
            continue
        seen_lines[line] = number
        pair = (english, spanish)
        if pair in seen_pairs:
            errors.append("%s: pair %r / %r already on line %d with another class"
                          % (where, english, spanish, seen_pairs[pair]))
        else:
            seen_pairs[pair] = number
        pairs += 1
        per_class[code] = per_class.get(code, 0) + 1
        english_classes.setdefault(english, set()).add(code)

        is_to_phrase = english.startswith("to ")
        if code == "v":
            if not is_to_phrase or len(english) < 4:
                errors.append("%s: verb %r is not stored as 'to ' + verb" % (where, english))
            if not spanish.endswith(INFINITIVE_ENDINGS):
                errors.append("%s: Spanish of verb %r is not an infinitive: %r"
                              % (where, english, spanish))
            if " " in spanish:
                errors.append("%s: Spanish infinitive %r contains a blank" % (where, spanish))
            verbs += 1
        elif is_to_phrase:
            errors.append("%s: %r looks like a verb but has class %r" % (where, english, code))
        if english in SUBJECT_PRONOUNS and code == "pron":
            pronoun_lines.setdefault(english, number)

    for pronoun in SUBJECT_PRONOUNS:
        if pronoun not in pronoun_lines:
            errors.append("subject pronoun %r missing (class pron)" % pronoun)
    if pairs < MIN_PAIRS:
        errors.append("only %d pairs (at least %d required)" % (pairs, MIN_PAIRS))
    if verbs < MIN_VERBS:
        errors.append("only %d verbs (at least %d required)" % (verbs, MIN_VERBS))
    summary = {"pairs": pairs, "verbs": verbs, "classes": per_class,
               "english words": len(english_classes)}
    return errors, summary


def synthetic_list():
    """A list that satisfies every rule, built from made-up words."""
    lines = ["%s\t%s\tpron" % pair for pair in
             [("i", "yo"), ("you", "tú"), ("he", "él"), ("she", "ella"),
              ("it", "ello"), ("we", "nosotros"), ("they", "ellos")]]
    letters = "abcdefghijklmnopqrstuvwxyz"
    for n in range(MIN_VERBS):
        stem = letters[n % 26] + letters[n // 26 % 26] + "x"
        lines.append("to %s\t%sar\tv" % (stem, stem))
    for n in range(MIN_PAIRS):
        stem = letters[n % 26] + letters[n // 26 % 26] + letters[n // 676 % 26] + "q"
        lines.append("%s\t%só\tn" % (stem, stem))
    return lines


def self_test():
    """Run the checker on a clean synthetic list and on one fault at a time."""
    import tempfile
    base = synthetic_list()
    cases = [
        ("clean list", base, None),
        ("too few pairs", base[:MIN_PAIRS - 1], "pairs (at least"),
        ("too few verbs", [l for l in base if not l.startswith("to a")], "verbs (at least"),
        ("pronoun missing", [l for l in base if not l.startswith("she\t")], "'she' missing"),
        ("pronoun with other class", [l.replace("\tpron", "\tn") if l.startswith("it\t") else l
                                      for l in base], "'it' missing"),
        ("identical line", base + [base[10]], "duplicate of line"),
        ("pair repeated with another class", base + ["abaq\tabaqó\tadj"], "already on line"),
        ("two fields", base + ["house\tcasa"], "expected 3"),
        ("unknown class", base + ["house\tcasa\tnoun"], "unknown class code"),
        ("class too long", base + ["house\tcasa\tnounxx"], "longer than 5"),
        ("21 bytes in cp1252", base + ["to walkabcdefghijklmn\tandar\tv"], "21 bytes"),
        ("upper case", base + ["House\tcasa\tn"], "not lower case"),
        ("separator in word", base + ["end.\tfin\tn"], "separator"),
        ("letter outside the alphabet", base + ["cafe\tcafè\tn"], "dictionary alphabet"),
        ("not in cp1252", base + ["x\tā\tn"], "Windows-1252"),
        ("verb without to", base + ["walk\tandar\tv"], "not stored as 'to '"),
        ("verb not infinitive", base + ["to run\tcorriendo\tv"], "not an infinitive"),
        ("to-phrase not a verb", base + ["to run\tcorrer\tn"], "looks like a verb"),
        ("empty word", base + ["\tcasa\tn"], "empty English"),
        ("double blank", base + ["ice  cream\thelado\tn"], "double blank"),
    ]
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "words.tsv")
        for name, lines, expected in cases:
            with open(path, "w", encoding="utf-8", newline="\n") as handle:
                handle.write("\n".join(lines) + "\n")
            errors, _ = check(path)
            if expected is None:
                ok = not errors
            else:
                ok = any(expected in error for error in errors)
            if not ok:
                failures += 1
                sys.stderr.write("self-test %r failed: %r\n" % (name, errors[:3]))
    # 20 characters that are 21 bytes in UTF-8 but 20 in Windows-1252 are fine.
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "words.tsv")
        with open(path, "w", encoding="utf-8", newline="\n") as handle:
            handle.write("\n".join(base + ["x\tabcdefghijklmnopqrsñ\tn"]) + "\n")
        errors, _ = check(path)
        if errors:
            failures += 1
            sys.stderr.write("self-test 'width counted in cp1252' failed: %r\n" % errors[:3])
    if failures:
        sys.stderr.write("self-test: %d case(s) failed\n" % failures)
        return 1
    print("self-test: %d cases passed" % (len(cases) + 1))
    return 0


def main(argv):
    if len(argv) == 2 and argv[1] == "--self-test":
        return self_test()
    if len(argv) > 2:
        sys.stderr.write("usage: check_words.py [--self-test | words.tsv]\n")
        return 2
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "words.tsv")
    path = argv[1] if len(argv) == 2 else default
    errors, summary = check(path)
    for error in errors:
        sys.stderr.write("%s: %s\n" % (path, error))
    if errors:
        sys.stderr.write("%s: %d problem(s)\n" % (path, len(errors)))
        return 1
    classes = ", ".join("%s %d" % (c, n) for c, n in sorted(summary["classes"].items()))
    print("%s: OK, %d pairs, %d verbs, %d distinct English words (%s)"
          % (path, summary["pairs"], summary["verbs"], summary["english words"], classes))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
