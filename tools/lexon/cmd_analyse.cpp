// lexon analyse --from en|es WORD
// The verb analysis that the search dialog shows for a word that is not in
// the dictionary: one line "infinitive<TAB>form", the source infinitive (for
// English the "to " phrase found) and the form generated in the other
// language, trailing blanks removed. Exit 1 and no output when the word
// cannot be reduced to a dictionary verb.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"

#include "translator/storage/dictionary.h"
#include "translator/translate/search_analysis.h"
#include "translator/translate/text_translator.h"

#include <cstdio>
#include <string>

namespace {

int AnalyseUsage(const char* text)
{
    std::fprintf(stderr, "lexon: %s\nusage: lexon analyse --from en|es WORD\n", text);
    return 2;
}

std::string WithoutTrailingBlanks(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

}  // namespace

int LexonCommandAnalyse(const LexonOptions& options, const std::vector<std::string>& args)
{
    int source = -1;
    std::string word;
    bool have_word = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--from") {
            if (i + 1 >= args.size())
                return AnalyseUsage("--from needs a language");
            source = args[i + 1] == "en" ? kEnglish : args[i + 1] == "es" ? kSpanish : -2;
            ++i;
        } else if (!have_word) {
            word = args[i];
            have_word = true;
        } else {
            return AnalyseUsage("one WORD only");
        }
    }
    if (source == -2)
        return AnalyseUsage("the languages are en and es");
    if (source < 0 || !have_word)
        return AnalyseUsage("--from and WORD are required");
    std::string text;
    if (!LexonTextIn(options, word, &text)) {
        std::fprintf(stderr, "lexon: the word is not UTF-8 text that Windows-1252 can hold\n");
        return 1;
    }

    TextTranslator translator(source, source == kEnglish ? kSpanish : kEnglish, LexonDictionaryFiles(options));
    if (translator.OpenSourceIndex() != 0)
        return 1;

    VerbAnalysis& analysis = translator.Analysis();
    int result = AnalyseSearchWord(source, text.c_str(), analysis, translator);
    if (result != 0)
        return 1;
    std::string line = WithoutTrailingBlanks(analysis.infinitive) + "\t" + WithoutTrailingBlanks(analysis.form) + "\n";
    line = LexonTextOut(options, line);
    std::fwrite(line.data(), 1, line.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
