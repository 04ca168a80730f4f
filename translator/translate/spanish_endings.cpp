#include "translator/translate/spanish_endings.h"

// "\xED" "a " is written in two pieces because "\xEDa" would read as one
// hexadecimal escape.

const char* const kParticipleEndings[kParticipleEndingCount] = {
    "ado ", "ido ", "adas ", "ados ", "idos "};

const char* const kGerundEndings[kGerundEndingCount] = {"ando ", "iendo "};

const char* const kGenderNumberEndings[kGenderNumberEndingCount] = {"as ", "a ", "os ", "o "};

const char* const kInfinitiveEndings[kConjugationCount] = {"ar", "er", "ir"};

const char* const kIndicativeEndings[kIndicativeRowCount][kConjugationCount] = {
    // present
    {"o ", "o ", "o "},
    {"as ", "es ", "es "},
    {"a ", "e ", "e "},
    {"amos ", "emos ", "imos "},
    {"\xE1is ", "\xE9is ", "\xEDs "},
    {"an ", "en ", "en "},
    // imperfect
    {"aba ", "\xED" "a ", "\xED" "a "},
    {"abas ", "\xED" "as ", "\xED" "as "},
    {"aba ", "\xED" "a ", "\xED" "a "},
    {"\xE1" "bamos ", "\xED" "amos ", "\xED" "amos "},
    {"abais ", "\xED" "ais ", "\xED" "ais "},
    {"aban ", "\xED" "an ", "\xED" "an "},
    // preterite
    {"\xE9 ", "\xED ", "\xED "},
    {"aste ", "iste ", "iste "},
    {"\xF3 ", "i\xF3 ", "i\xF3 "},
    {"amos ", "imos ", "imos "},
    {"asteis ", "isteis ", "isteis "},
    {"aron ", "ieron ", "ieron "},
};

const char* const kSubjunctiveEndings[kSubjunctiveRowCount][kConjugationCount] = {
    // present subjunctive
    {"e ", "a ", "a "},
    {"es ", "as ", "as "},
    {"e ", "a ", "a "},
    {"emos ", "amos ", "amos "},
    {"\xE9is ", "\xE1is ", "\xE1is "},
    {"en ", "an ", "an "},
    // imperfect subjunctive, -ra and -se form of each person
    {"ara ", "iera ", "iera "},
    {"ase ", "iese ", "iese "},
    {"aras ", "ieras ", "ieras "},
    {"ases ", "ieses ", "ieses "},
    {"ara ", "iera ", "iera "},
    {"ase ", "iese ", "iese "},
    {"\xE1ramos ", "i\xE9ramos ", "i\xE9ramos "},
    {"\xE1semos ", "i\xE9semos ", "i\xE9semos "},
    {"arais ", "ierais ", "ierais "},
    {"aseis ", "ieseis ", "ieseis "},
    {"aran ", "ieran ", "ieran "},
    {"asen ", "iesen ", "iesen "},
    // future
    {"ar\xE9 ", "er\xE9 ", "ir\xE9 "},
    {"ar\xE1s ", "er\xE1s ", "ir\xE1s "},
    {"ar\xE1 ", "er\xE1 ", "ir\xE1 "},
    {"aremos ", "eremos ", "iremos "},
    {"ar\xE9is ", "er\xE9is ", "ir\xE9is "},
    {"ar\xE1n ", "er\xE1n ", "ir\xE1n "},
    // conditional
    {"ar\xED" "a ", "er\xED" "a ", "ir\xED" "a "},
    {"ar\xED" "as ", "er\xED" "as ", "ir\xED" "as "},
    {"ar\xED" "a ", "er\xED" "a ", "ir\xED" "a "},
    {"ar\xED" "amos ", "er\xED" "amos ", "ir\xED" "amos "},
    {"ar\xED" "ais ", "er\xED" "ais ", "ir\xED" "ais "},
    {"ar\xED" "an ", "er\xED" "an ", "ir\xED" "an "},
};
