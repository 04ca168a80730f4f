// The verb analysis of the search dialog: a word that the search did not
// find in the dictionary is tried as a verb form of the search language, and
// the dialog shows the infinitive found and the form generated in the other
// language. The `lexon analyse` command shows the same.
#ifndef LEXON_TRANSLATE_SEARCH_ANALYSIS_H
#define LEXON_TRANSLATE_SEARCH_ANALYSIS_H

#include "translator/translate/verb_analysis.h"

// typed_word: the word as the user typed it (display form). It is keyed as
// the search keys it (the dictionary text conversion, at most 21 bytes);
// an English word is then trimmed and analysed as English, a Spanish word
// turned back into display form (lower case, Windows accents) and analysed
// as Spanish. lookup must search the index of language. Returns 0 with the
// analysis' infinitive and form filled, nonzero when the word cannot be
// reduced.
int AnalyseSearchWord(int language, const char* typed_word, VerbAnalysis& analysis, WordLookup& lookup);

#endif
