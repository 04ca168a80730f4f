// lexon create: a new empty dictionary (table with its header and three
// field descriptors, two empty indexes). Existing files are never replaced.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"

#include "translator/storage/dictionary.h"

#include <cstdio>
#include <ctime>

int LexonCommandCreate(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "lexon: create takes no arguments\n");
        return 2;
    }
    DictionaryFiles files = LexonDictionaryFiles(options);
    for (const std::string* name : {&files.table, &files.english_index, &files.spanish_index}) {
        if (FILE* existing = std::fopen(name->c_str(), "rb")) {
            std::fclose(existing);
            std::fprintf(stderr, "lexon: %s already exists; a dictionary is not replaced\n", name->c_str());
            return 1;
        }
    }
    std::time_t now = std::time(nullptr);
    std::tm* today = std::localtime(&now);
    int year = today ? today->tm_year + 1900 : 2000;
    int month = today ? today->tm_mon + 1 : 1;
    int day = today ? today->tm_mday : 1;
    if (CreateDictionary(files, year, month, day) != 0) return 1;
    std::printf("Created an empty dictionary: %s, %s, %s\n", files.table.c_str(), files.english_index.c_str(),
                files.spanish_index.c_str());
    return 0;
}
