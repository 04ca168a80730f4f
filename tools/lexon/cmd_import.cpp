// lexon import FILE: adds the word pairs of a tab-separated file (English,
// Spanish, class code; one pair a line) as the add command does. Empty
// lines and lines starting with '#' are skipped; a line that cannot be a
// pair is reported with its number and not added.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"

#include "translator/storage/dictionary.h"

#include <cstdio>

namespace {

std::vector<std::string> SplitTabs(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (char c : line) {
        if (c == '\t') fields.emplace_back();
        else fields.back() += c;
    }
    return fields;
}

// Why the line cannot be added, or "" when it can.
std::string Refusal(const std::vector<std::string>& fields)
{
    if (fields.size() < 2 || fields.size() > 3) return "expected English<TAB>Spanish<TAB>class";
    if (fields[0].empty() || fields[1].empty()) return "an empty word";
    if (fields[0].size() > size_t(kMaxWordLength)) return "the English word is longer than 20 characters";
    if (fields[1].size() > size_t(kMaxWordLength)) return "the Spanish word is longer than 20 characters";
    if (fields.size() == 3 && fields[2].size() > size_t(kClassLength)) return "the class code is longer than 5 characters";
    for (const std::string& field : fields)
        for (char c : field)
            if (static_cast<unsigned char>(c) < 0x20) return "a control character";
    return "";
}

}  // namespace

int LexonCommandImport(const LexonOptions& options, const std::vector<std::string>& args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "lexon: import takes one FILE\n");
        return 2;
    }
    std::string bytes;
    if (!LexonReadFile(args[0], &bytes)) {
        std::fprintf(stderr, "lexon: cannot read %s\n", args[0].c_str());
        return 1;
    }
    DictionaryWriter writer;
    if (writer.Open(LexonDictionaryFiles(options)) != 0) return 1;

    int added = 0;
    int refused = 0;
    int line_number = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string raw = bytes.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::string line;
        if (!LexonTextIn(options, raw, &line)) {
            std::fprintf(stderr, "%s:%d: not %s text\n", args[0].c_str(), line_number,
                         options.utf8 ? "UTF-8 text that Windows-1252 can hold" : "readable");
            ++refused;
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields = SplitTabs(line);
        std::string refusal = Refusal(fields);
        if (!refusal.empty()) {
            std::fprintf(stderr, "%s:%d: %s\n", args[0].c_str(), line_number, refusal.c_str());
            ++refused;
            continue;
        }
        const char* word_class = fields.size() == 3 ? fields[2].c_str() : "";
        if (writer.Add(fields[0].c_str(), fields[1].c_str(), word_class) != 0) {
            std::fprintf(stderr, "%s:%d: not added\n", args[0].c_str(), line_number);
            writer.Close();
            return 1;
        }
        ++added;
    }
    writer.Close();
    std::printf("%d word pairs added", added);
    if (refused) std::printf(", %d lines refused", refused);
    std::printf("\n");
    return refused ? 1 : 0;
}
