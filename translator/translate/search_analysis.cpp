#include "translator/translate/search_analysis.h"

#include "translator/storage/dictionary.h"
#include "translator/translate/dictionary_source.h"
#include "translator/translate/morphology.h"
#include "translator/translate/text_pieces.h"

int AnalyseSearchWord(int language, const char* typed_word, VerbAnalysis& analysis, WordLookup& lookup)
{
    char word[kWordBufferSize];
    CopyAtMost(word, typed_word, kMaxTokenWordLength);
    ConvertDictionaryText(word);
    if (language == kEnglish) {
        TrimEntry(word);
        return AnalyseEnglishForm(word, analysis, lookup);
    }
    ConvertDictionaryText(word);
    return AnalyseSpanishForm(word, analysis, lookup);
}
