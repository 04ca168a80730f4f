// Spanish verb forms: reduction to an infinitive, the gender/number retry of
// adjectives, and generation of a conjugated form from an infinitive.
#include "translator/translate/morphology.h"

#include "translator/translate/spanish_endings.h"
#include "translator/translate/text_pieces.h"

#include <cstring>

namespace {

// Looks up stem + infinitive ending for the first occurrence of ending in w.
// On success the candidate (normalised by the lookup) and the translation
// are left in candidate and translation.
bool TryCandidate(const char* w, const char* ending, const char* infinitive_ending,
                  WordLookup& lookup, char* candidate, char* translation)
{
    const char* found = std::strstr(w, ending);
    if (found == nullptr)
        return false;
    std::size_t stem_length = static_cast<std::size_t>(found - w);
    std::memcpy(candidate, w, stem_length);
    candidate[stem_length] = '\0';
    AppendText(candidate, kWorkTextCapacity, infinitive_ending);
    std::memset(translation, 0, kWordBufferSize);
    return lookup.LookupWord(candidate, translation) == 1;
}

int IndicativeTense(int row)
{
    if (row < 6)
        return kTensePresent;
    if (row < 12)
        return kTensePast;
    return kTensePreterite;
}

int SubjunctiveTense(int row)
{
    if (row < 6)
        return kTensePresentSubjunctive;
    if (row < 18)
        return kTenseImperfectSubjunctive;
    if (row < 24)
        return kTenseFuture;
    return kTenseConditional;
}

void Succeed(VerbAnalysis& analysis, const char* candidate, const char* translation,
             int tense, int row, int table_kind)
{
    analysis.tense = static_cast<int16_t>(tense);
    CopyAtMost(analysis.form, translation, kMaxTokenWordLength);
    GenerateEnglishForm(analysis, row, table_kind);
    CopyAtMost(analysis.infinitive, candidate, kMaxTokenWordLength);
    analysis.form[kMaxFormLength] = '\0';
}

}  // namespace

int AnalyseSpanishForm(const char* token, VerbAnalysis& analysis, WordLookup& lookup)
{
    char w[kWorkTextCapacity];
    CopyAtMost(w, token, kWorkTextCapacity - 2);
    AppendText(w, sizeof w, " ");
    ReplaceFirst(w, sizeof w, "ue", "o");
    ReplaceFirst(w, sizeof w, "uie", "ue");

    char candidate[kWorkTextCapacity];
    char translation[kWordBufferSize];

    for (int i = 0; i < kParticipleEndingCount; ++i)
        for (int c = 0; c < kConjugationCount; ++c)
            if (TryCandidate(w, kParticipleEndings[i], kInfinitiveEndings[c], lookup, candidate, translation)) {
                Succeed(analysis, candidate, translation, kTensePast, i, kIndicativeTable);
                return 0;
            }

    if (TryCandidate(w, kGerundEndings[0], "ar", lookup, candidate, translation)) {
        Succeed(analysis, candidate, translation, kTenseGerund, 0, kIndicativeTable);
        return 0;
    }
    if (TryCandidate(w, kGerundEndings[1], "er", lookup, candidate, translation)
        || TryCandidate(w, kGerundEndings[1], "ir", lookup, candidate, translation)) {
        Succeed(analysis, candidate, translation, kTenseGerund, 1, kIndicativeTable);
        return 0;
    }

    for (int c = 0; c < kConjugationCount; ++c) {
        for (int row = 0; row < kIndicativeRowCount; ++row)
            if (TryCandidate(w, kIndicativeEndings[row][c], kInfinitiveEndings[c], lookup, candidate, translation)) {
                Succeed(analysis, candidate, translation, IndicativeTense(row), row, kIndicativeTable);
                return 0;
            }
        for (int row = 0; row < kSubjunctiveRowCount; ++row)
            if (TryCandidate(w, kSubjunctiveEndings[row][c], kInfinitiveEndings[c], lookup, candidate, translation)) {
                Succeed(analysis, candidate, translation, SubjunctiveTense(row), row, kSubjunctiveTable);
                return 0;
            }
    }
    return 1;
}

int ReduceGenderNumber(const char* token, VerbAnalysis& analysis, WordLookup& lookup)
{
    char w[kWorkTextCapacity];
    CopyAtMost(w, token, kWorkTextCapacity - 2);
    AppendText(w, sizeof w, " ");

    const char* found = nullptr;
    for (int i = 0; i < kGenderNumberEndingCount && found == nullptr; ++i)
        found = std::strstr(w, kGenderNumberEndings[i]);
    if (found == nullptr)
        return -1;

    static const char* const kRetryEndings[] = {"o ", "os ", "a "};
    std::size_t stem_length = static_cast<std::size_t>(found - w);
    char candidate[kWorkTextCapacity];
    char translation[kWordBufferSize];
    for (const char* ending : kRetryEndings) {
        std::memcpy(candidate, w, stem_length);
        candidate[stem_length] = '\0';
        AppendText(candidate, sizeof candidate, ending);
        std::memset(translation, 0, sizeof translation);
        if (lookup.LookupWord(candidate, translation) == 1) {
            CopyAtMost(analysis.adjective, translation, kMaxTokenWordLength);
            return 0;
        }
    }
    return -1;
}

void GenerateSpanishForm(VerbAnalysis& analysis)
{
    char text[kFormCapacity];
    CopyAtMost(text, analysis.form, kMaxTokenWordLength);
    TrimEntry(text);
    AppendText(text, sizeof text, " ");
    ReplaceFirst(text, sizeof text, "  ", " ");

    int person = analysis.person;
    if (person < 0 || person >= kPersonCount)
        person = 0;
    static const char* const kInfinitivesWithBlank[kConjugationCount] = {"ar ", "er ", "ir "};

    switch (analysis.tense) {
    case kTenseFuture:
    case kTenseConditional:
    case kTensePast:
        for (int c = 0; c < kConjugationCount; ++c) {
            if (!ReplaceFirst(text, sizeof text, kInfinitivesWithBlank[c], ""))
                continue;
            const char* ending =
                analysis.tense == kTenseFuture ? kSubjunctiveEndings[18 + person][c]
                : analysis.tense == kTenseConditional ? kSubjunctiveEndings[24 + person][c]
                : kIndicativeEndings[12 + person][c];
            AppendText(text, sizeof text, ending);
        }
        break;
    case kTenseGerund:
        AppendText(text, sizeof text, " ");
        ReplaceFirst(text, sizeof text, "ar ", "ando ");
        ReplaceFirst(text, sizeof text, "er ", "iendo ");
        ReplaceFirst(text, sizeof text, "ir ", "iendo ");
        break;
    default:
        break;
    }

    analysis.person = 0;
    analysis.tense = 0;
    CopyAtMost(analysis.form, text, kFormCapacity - 1);
}
