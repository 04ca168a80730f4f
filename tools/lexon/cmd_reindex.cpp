// lexon reindex: rebuilds both indexes from the table (English first), with
// a text progress bar when standard error is a terminal.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_progress.h"
#include "tools/lexon/lexon_text.h"

#include "translator/storage/dictionary.h"

#include <cstdio>

int LexonCommandReindex(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "lexon: reindex takes no arguments\n");
        return 2;
    }
    DictionaryFiles files = LexonDictionaryFiles(options);
    TextProgressBar bar(stderr, {kEnglishIndexFileName, kSpanishIndexFileName});
    NoRebuildProgress quiet;
    RebuildProgress* progress = LexonIsTerminal(stderr) ? static_cast<RebuildProgress*>(&bar) : &quiet;
    int result = Reindex(files, progress);
    if (result != 0) return 1;
    std::printf("Both indexes rebuilt.\n");
    return 0;
}
