// lexon add CLASS SPANISH ENGLISH
// Adds one word pair as the Add button of the add-word dialog does: a new
// record at the end of the table, then its English key, then its Spanish
// key. The texts are given as typed; the same length limits apply (class
// code 5 characters, words 21). Exit 0 when added, 1 on a failure (its
// message on standard error), 2 on a usage error.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"
#include "tools/lexon/word_fields.h"

#include "translator/dialogs/word_ops.h"

#include <cstdio>

int LexonCommandAdd(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (args.size() != 3) {
        std::fprintf(stderr, "lexon: add needs three texts\nusage: lexon add CLASS SPANISH ENGLISH\n");
        return 2;
    }
    std::string word_class, spanish, english;
    if (!TakeWordField(options, args[0], kClassFieldLimit, &word_class) ||
        !TakeWordField(options, args[1], kWordFieldLimit, &spanish) ||
        !TakeWordField(options, args[2], kWordFieldLimit, &english))
        return 2;
    return AddWordRecord(word_class.c_str(), spanish.c_str(), english.c_str(), LexonDictionaryFiles(options)) == 0 ? 0 : 1;
}
