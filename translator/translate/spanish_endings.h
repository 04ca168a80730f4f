// The Spanish ending tables of the morphology. Every entry carries one
// trailing blank and the words are matched with one blank appended, so an
// ending matches only at the end of a word. Accented letters are in their
// Windows-1252 codes (a-acute E1, e-acute E9, i-acute ED, o-acute F3).
#ifndef LEXON_TRANSLATE_SPANISH_ENDINGS_H
#define LEXON_TRANSLATE_SPANISH_ENDINGS_H

const int kParticipleEndingCount = 5;
const int kGerundEndingCount = 2;
const int kGenderNumberEndingCount = 4;
const int kIndicativeRowCount = 18;     // 0-5 present, 6-11 imperfect, 12-17 preterite
const int kSubjunctiveRowCount = 30;    // 0-5 present subjunctive, 6-17 imperfect
                                        // subjunctive (-ra, -se per person),
                                        // 18-23 future, 24-29 conditional
const int kConjugationCount = 3;        // columns: -ar, -er, -ir

extern const char* const kParticipleEndings[kParticipleEndingCount];   // ado ido adas ados idos
extern const char* const kGerundEndings[kGerundEndingCount];           // ando iendo
extern const char* const kGenderNumberEndings[kGenderNumberEndingCount]; // as a os o
extern const char* const kInfinitiveEndings[kConjugationCount];        // "ar" "er" "ir", no blank
extern const char* const kIndicativeEndings[kIndicativeRowCount][kConjugationCount];
extern const char* const kSubjunctiveEndings[kSubjunctiveRowCount][kConjugationCount];

#endif
