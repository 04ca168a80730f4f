// lexon export [FILE]: the live word pairs in table order, one a line,
// English<TAB>Spanish<TAB>class, in display form (the text the user typed).
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"

#include "translator/app/messages.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/dictionary_guard.h"

#include <cstdio>
#include <cstring>

namespace {

std::string DisplayWord(const char* stored, size_t width)
{
    std::string word(stored, strnlen(stored, width));
    return ConvertDictionaryText(word);
}

std::string DisplayClass(const char* stored)
{
    std::string code(stored, strnlen(stored, kClassLength));
    while (!code.empty() && code.back() == ' ') code.pop_back();
    return ConvertDictionaryText(code);
}

}  // namespace

int LexonCommandExport(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (args.size() > 1) {
        std::fprintf(stderr, "lexon: export takes at most one FILE\n");
        return 2;
    }
    DictionaryUse use;
    if (!use.Granted()) return 1;
    DictionaryFiles files = LexonDictionaryFiles(options);
    DBF table;
    if (table.Open(0, files.table.c_str()) != 0) {
        ShowErrorBox("I can't open the Main Database File");
        return 1;
    }
    FILE* out = stdout;
    if (!args.empty()) {
        out = std::fopen(args[0].c_str(), "wb");
        if (!out) {
            std::fprintf(stderr, "lexon: cannot write %s\n", args[0].c_str());
            return 1;
        }
    }
    int result = 0;
    uint32_t count = table.RecordCount();
    char image[kRecordImageSize];
    for (uint32_t n = 1; n <= count; ++n) {
        std::memset(image, 0, sizeof image);
        if (table.ReadRecord(image, static_cast<int32_t>(n)) != 0) {
            result = 1;
            break;
        }
        if (IsDeletedRecord(image)) continue;
        std::string line = DisplayWord(image + kEnglishOffset, kMaxWordLength) + "\t" +
                           DisplayWord(image + kSpanishOffset, kMaxWordLength) + "\t" +
                           DisplayClass(image + kClassOffset) + "\n";
        line = LexonTextOut(options, line);
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size()) {
            std::fprintf(stderr, "lexon: cannot write the export\n");
            result = 1;
            break;
        }
    }
    if (out != stdout && std::fclose(out) != 0) result = 1;
    if (out == stdout) std::fflush(stdout);
    return result;
}
