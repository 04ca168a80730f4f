// lexon check: checks the table and both indexes (every live record keyed
// exactly once in each index, nothing else keyed, every index page sound).
// Exit 0 when consistent, 1 with one line per fault otherwise.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"

#include "translator/storage/dictionary_guard.h"
#include "translator/storage/integrity_check.h"

#include <cstdio>

int LexonCommandCheck(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "lexon: check takes no arguments\n");
        return 2;
    }
    DictionaryUse use;
    if (!use.Granted()) return 1;
    DictionaryCheckResult check = CheckDictionary(LexonDictionaryFiles(options));
    for (const std::string& fault : check.faults)
        std::printf("%s\n", LexonTextOut(options, fault).c_str());
    if (!check.Consistent()) {
        std::printf("%lu fault(s) found: run \"lexon reindex\" to rebuild the indexes.\n",
                    static_cast<unsigned long>(check.faults.size()));
        return 1;
    }
    std::printf("The dictionary is consistent: %lu records, %lu live.\n", static_cast<unsigned long>(check.records),
                static_cast<unsigned long>(check.live_records));
    return 0;
}
