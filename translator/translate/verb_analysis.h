// The verb analysis shared by the translation, the Spanish and English
// morphology and the search dialog: what one reduced verb form was found to
// be, and the form generated for it in the other language.
#ifndef LEXON_TRANSLATE_VERB_ANALYSIS_H
#define LEXON_TRANSLATE_VERB_ANALYSIS_H

#include <cstdint>

// Sizes of the engine's texts.
const int kMaxTokenWordLength = 21;   // longest word the dictionary can key
const int kWordBufferSize = 22;       // a word of 21 bytes and its NUL
const int kLineBufferSize = 576;      // one line (file) or unit (clipboard)
// Room for the morphology's work texts: a token (at most a line) with the
// blanks, "to " and endings the analysis adds.
const int kWorkTextCapacity = kLineBufferSize + 32;
// The generated form: at most 20 bytes once an analysis has finished; the
// generation itself appends endings behind the infinitive, hence the room.
const int kMaxFormLength = 20;
const int kFormCapacity = 48;

// Person index: 0 yo/I, 1 tu/you, 2 el/he, 3 nosotros/we, 4 vosotros/you
// (plural), 5 ellos/they.
const int kPersonCount = 6;

// Tense codes.
const int kTensePresent = 0;
const int kTensePreterite = 2;
const int kTensePresentSubjunctive = 3;
const int kTenseImperfectSubjunctive = 4;
const int kTenseFuture = 5;        // English "will"
const int kTenseConditional = 6;   // English "would"
const int kTensePast = 7;          // English -ed, Spanish participle and imperfect
const int kTenseGerund = 8;        // English -ing

// Table kinds of a Spanish ending match.
const int kIndicativeTable = 0;      // also the participle and gerund lists
const int kSubjunctiveTable = 1;     // subjunctive, future and conditional

struct VerbAnalysis {
    int16_t person = 0;
    char form[kFormCapacity] = {};              // generated target-language form
    char infinitive[kWordBufferSize] = {};      // source infinitive or "to ..." phrase
    int16_t tense = 0;
    char adjective[kWordBufferSize] = {};       // filled by ReduceGenderNumber
};

// The dictionary lookup the morphology uses: looks word up in the index of
// the source language, leaving word in its normalised form (ASCII lower
// case; OEM codes for the accented letters); returns 1 with the target
// language's text (at most 21 bytes, display form) in result, which holds
// kWordBufferSize bytes, or a negative value when not found.
class WordLookup {
public:
    virtual ~WordLookup() = default;
    virtual int LookupWord(char* word, char* result) = 0;
};

#endif
