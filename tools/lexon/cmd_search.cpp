// lexon search --en WORD | --es WORD
// Searches a word as a freshly opened search dialog does (no current
// record). When the word is found: the record shown, as the dialog shows it
// ("english<TAB>spanish<TAB>class", display form, the class code with 4
// characters at most), then the up to 15 words that follow it in the index,
// one per line, in index order, trailing blanks removed. Exit 0.
// When it is not found: the verb analysis as `lexon analyse` prints it
// ("infinitive<TAB>form") when the word is a verb form, then "I can't find
// any match"; exit 1. Failures (messages on standard error): exit 1.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"
#include "tools/lexon/word_fields.h"

#include "translator/dialogs/word_ops.h"
#include "translator/storage/dictionary.h"

#include <cstdio>

namespace {

int SearchUsage(const char* text)
{
    std::fprintf(stderr, "lexon: %s\nusage: lexon search --en WORD | --es WORD\n", text);
    return 2;
}

// The dialog's view on standard output: the list in the order it is
// filled, the verb analysis as a line of its own.
class PrintedSearchView : public SearchWordView {
public:
    explicit PrintedSearchView(const LexonOptions& options) : options_(options) {}
    std::vector<std::string> list;
    bool fields_shown = false;

    bool AddListEntry(const std::string& text, int32_t) override
    {
        list.push_back(text);
        return true;
    }
    void ClearList() override { list.clear(); }
    bool ShowFields() override
    {
        fields_shown = true;
        return true;
    }
    void ShowVerbAnalysis(const std::string& infinitive, const std::string& form) override
    {
        std::string line = WordFieldOut(options_, infinitive) + "\t" + WordFieldOut(options_, form) + "\n";
        std::fwrite(line.data(), 1, line.size(), stdout);
    }

private:
    const LexonOptions& options_;
};

}  // namespace

int LexonCommandSearch(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (args.size() != 2 || (args[0] != "--en" && args[0] != "--es"))
        return SearchUsage("one of --en WORD or --es WORD is required");
    std::string word;
    if (!TakeWordField(options, args[1], kWordFieldLimit, &word)) return 2;
    if (word.empty()) return SearchUsage("the word is empty");

    PrintedSearchView view(options);
    WordSearch search(view, LexonDictionaryFiles(options));
    if (args[0] == "--en")
        search.fields.english = word;
    else
        search.fields.spanish = word;
    search.Search();
    if (!view.fields_shown) return 1;   // a failure, already reported

    if (search.fields.status == kStatusFound) {
        std::string text = WordFieldOut(options, search.fields.english) + "\t" +
                           WordFieldOut(options, search.fields.spanish) + "\t" +
                           WordFieldOut(options, search.fields.word_class) + "\n";
        for (const std::string& entry : view.list) text += WordFieldOut(options, entry) + "\n";
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    std::string text = LexonTextOut(options, search.fields.status) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    return 1;
}
