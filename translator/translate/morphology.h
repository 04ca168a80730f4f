// The verb morphology of the translator: Spanish and English verb forms
// reduced to a dictionary infinitive and generated again in the other
// language. Every operation works on one VerbAnalysis and finds words
// through a WordLookup (the translator's dictionary lookup, which searches
// the index of the source language and returns the target-language text).
//
// Dictionary conventions: English verbs are stored as "to " + verb
// ("to walk"); Spanish verbs by their infinitive ("andar").
#ifndef LEXON_TRANSLATE_MORPHOLOGY_H
#define LEXON_TRANSLATE_MORPHOLOGY_H

#include "translator/translate/verb_analysis.h"

// Spanish source (the token in lower case, accented letters in their
// Windows codes). Reduces a conjugated form, participle or gerund to an
// infinitive that the dictionary has, sets the tense code and generates the
// English form. 0 with form, infinitive and tense filled; 1 when no reading
// is found (the analysis is then unchanged).
int AnalyseSpanishForm(const char* token, VerbAnalysis& analysis, WordLookup& lookup);

// Spanish source: retries an adjective with the masculine singular, the
// masculine plural and the feminine singular ending. 0 with the adjective
// translation filled; -1 when nothing is found.
int ReduceGenderNumber(const char* token, VerbAnalysis& analysis, WordLookup& lookup);

// Builds the Spanish form of the infinitive in analysis.form for the
// analysis' person and tense, puts it in analysis.form and resets person
// and tense to 0. Infinitives that end in none of "ar", "er", "ir" stay as
// they are.
void GenerateSpanishForm(VerbAnalysis& analysis);

// English source. Reduces -s, -ied, -ed and -ing forms and "will"/"would"
// phrases to a "to " entry of the dictionary, sets the tense code and
// generates the Spanish form for the current person. 0 with form,
// infinitive (the "to " phrase) and tense filled; 1 otherwise (a tense code
// taken from the ending stays set).
int AnalyseEnglishForm(const char* token, VerbAnalysis& analysis, WordLookup& lookup);

// Sets the person index when token is an English subject pronoun
// (i, you, he, she, it, we, they; any case).
void NotePronoun(const char* token, VerbAnalysis& analysis);

// Builds the English form from the English entry in analysis.form ("to ..."),
// the tense code, and the row and table kind of the Spanish ending matched.
void GenerateEnglishForm(VerbAnalysis& analysis, int row, int table_kind);

// True for the rows whose English form takes the third-person "s".
bool IsThirdPersonRow(int row, int table_kind);

#endif
