// lexon delete --en WORD --es WORD
// Deletes a word pair as the Delete button of the search dialog does with
// these two words in its fields and no record chosen: the live record that
// holds both words (the first such record keyed under the English word)
// loses its English key, then its Spanish key, then is flagged deleted.
// Prints the status line text: "Record deleted from Main Database" (exit 0)
// or "I can't delete that register" (exit 1; no record holds both words).
// Failures: their message on standard error, exit 1.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"
#include "tools/lexon/word_fields.h"

#include "translator/dialogs/word_ops.h"
#include "translator/storage/dictionary.h"

#include <cstdio>

namespace {

int DeleteUsage(const char* text)
{
    std::fprintf(stderr, "lexon: %s\nusage: lexon delete --en WORD --es WORD\n", text);
    return 2;
}

class StatusOnlyView : public SearchWordView {
public:
    bool shown = false;
    bool AddListEntry(const std::string&, int32_t) override { return true; }
    void ClearList() override {}
    bool ShowFields() override
    {
        shown = true;
        return true;
    }
    void ShowVerbAnalysis(const std::string&, const std::string&) override {}
};

}  // namespace

int LexonCommandDelete(const LexonOptions& options, const std::vector<std::string>& args)
{
    std::string english, spanish;
    bool have_english = false, have_spanish = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--en" || args[i] == "--es") && i + 1 < args.size()) {
            std::string* text = args[i] == "--en" ? &english : &spanish;
            (args[i] == "--en" ? have_english : have_spanish) = true;
            if (!TakeWordField(options, args[i + 1], kWordFieldLimit, text)) return 2;
            ++i;
        } else {
            return DeleteUsage("unexpected argument");
        }
    }
    if (!have_english || !have_spanish) return DeleteUsage("--en WORD and --es WORD are required");

    StatusOnlyView view;
    WordSearch search(view, LexonDictionaryFiles(options));
    search.fields.english = english;
    search.fields.spanish = spanish;
    search.Delete();
    if (!view.shown) return 1;   // refused or failed, already reported
    std::string text = LexonTextOut(options, search.fields.status) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return search.fields.status == kRecordDeletedText ? 0 : 1;
}
