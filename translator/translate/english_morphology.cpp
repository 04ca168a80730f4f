// English verb forms: reduction of -s, -ied, -ed, -ing forms and
// "will"/"would" phrases to a "to " entry, the subject pronouns that choose
// the Spanish person, and generation of an English form for a Spanish verb.
#include "translator/translate/morphology.h"

#include "translator/translate/text_pieces.h"

#include <cstring>

int AnalyseEnglishForm(const char* token, VerbAnalysis& analysis, WordLookup& lookup)
{
    char w[kWorkTextCapacity];
    CopyAtMost(w, token, kWorkTextCapacity - 8);
    AppendText(w, sizeof w, " ");
    ReplaceFirst(w, sizeof w, "s ", " ");
    ReplaceFirst(w, sizeof w, "ied ", "yed ");

    char phrase[kWorkTextCapacity] = "to ";
    AppendText(phrase, sizeof phrase, w);
    if (ReplaceFirst(phrase, sizeof phrase, "ed ", ""))
        analysis.tense = kTensePast;
    if (ReplaceFirst(phrase, sizeof phrase, "ing ", ""))
        analysis.tense = kTenseGerund;
    if (ReplaceFirst(phrase, sizeof phrase, "will ", ""))
        analysis.tense = kTenseFuture;
    if (ReplaceFirst(phrase, sizeof phrase, "would ", ""))
        analysis.tense = kTenseConditional;

    char translation[kWordBufferSize] = {};
    if (lookup.LookupWord(phrase, translation) != 1)
        return 1;
    CopyAtMost(analysis.form, translation, kMaxTokenWordLength);
    GenerateSpanishForm(analysis);
    CopyAtMost(analysis.infinitive, phrase, kMaxTokenWordLength);
    analysis.form[kMaxFormLength] = '\0';
    return 0;
}

void NotePronoun(const char* token, VerbAnalysis& analysis)
{
    static const struct {
        const char* word;
        int person;
    } kPronouns[] = {
        {"i", 0}, {"you", 1}, {"he", 2}, {"she", 2}, {"it", 2}, {"we", 3}, {"they", 5},
    };
    char lower[kWordBufferSize];
    if (std::strlen(token) > kMaxTokenWordLength)
        return;
    CopyAtMost(lower, token, kMaxTokenWordLength);
    LowercaseAscii(lower);
    for (const auto& pronoun : kPronouns)
        if (std::strcmp(lower, pronoun.word) == 0) {
            analysis.person = static_cast<int16_t>(pronoun.person);
            return;
        }
}

bool IsThirdPersonRow(int row, int table_kind)
{
    if (table_kind == kIndicativeTable)
        return row == 2 || row == 8 || row == 14;
    return row == 2 || row == 10 || row == 11 || row == 20 || row == 26;
}

void GenerateEnglishForm(VerbAnalysis& analysis, int row, int table_kind)
{
    char entry[kWordBufferSize];
    CopyAtMost(entry, analysis.form, kMaxTokenWordLength);
    TrimEntry(entry);
    // The verb after the stored "to ", without a trailing blank.
    char base[kWordBufferSize] = {};
    if (std::strlen(entry) > 3)
        CopyAtMost(base, entry + 3, kMaxTokenWordLength);
    std::size_t base_length = std::strlen(base);
    if (base_length > 0 && base[base_length - 1] == ' ')
        base[base_length - 1] = '\0';

    char text[kFormCapacity] = {};
    switch (analysis.tense) {
    case kTenseFuture:
        std::strcpy(text, "will ");
        AppendText(text, sizeof text, base);
        CopyAtMost(analysis.form, text, kFormCapacity - 1);
        return;
    case kTenseConditional:
        std::strcpy(text, "would ");
        AppendText(text, sizeof text, base);
        CopyAtMost(analysis.form, text, kFormCapacity - 1);
        break;   // on to the person step
    case kTensePast:
        CopyAtMost(text, analysis.form, kMaxTokenWordLength);
        ReplaceFirst(text, sizeof text, "e ", "");
        TrimEntry(text);
        ReplaceFirst(text, sizeof text, "to ", "");
        ReplaceFirst(text, sizeof text, " ", "");
        AppendText(text, sizeof text, "ed");
        CopyAtMost(analysis.form, text, kFormCapacity - 1);
        return;
    case kTenseGerund:
        CopyAtMost(text, analysis.form, kFormCapacity - 1);
        TrimEntry(text);
        ReplaceFirst(text, sizeof text, "to ", "");
        ReplaceFirst(text, sizeof text, " ", "");
        AppendText(text, sizeof text, "ing");
        CopyAtMost(analysis.form, text, kFormCapacity - 1);
        return;
    default:
        break;
    }

    if (IsThirdPersonRow(row, table_kind)) {
        CopyAtMost(text, base, kMaxTokenWordLength);
        AppendText(text, sizeof text, "s ");
        CopyAtMost(analysis.form, text, kFormCapacity - 1);
    }
}
