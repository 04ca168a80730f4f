// lexon: the dictionary of the translator on the command line.
//   lexon [--dir DIR] [--utf8] COMMAND [ARGS...]
// Each command is a function in a file cmd_<name>.cpp, listed once in the
// table below. Messages that the program shows in message boxes go to
// standard error (the default message presenter).
#include "tools/lexon/lexon_command.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int LexonCommandCreate(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandImport(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandExport(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandReindex(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandCheck(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandTranslate(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandAnalyse(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandAdd(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandSearch(const LexonOptions& options, const std::vector<std::string>& args);
int LexonCommandDelete(const LexonOptions& options, const std::vector<std::string>& args);

namespace {

struct LexonCommandEntry {
    const char* name;
    LexonCommandFn run;
    const char* usage;   // arguments and what the command does
};

// The commands, one line each.
const LexonCommandEntry kCommands[] = {
    {"create", LexonCommandCreate, "create              make a new empty dictionary (mixto.dbf, mixing.mgm, mixesp.mgm)"},
    {"import", LexonCommandImport, "import FILE         add the pairs of a tab-separated file: English, Spanish, class"},
    {"export", LexonCommandExport, "export [FILE]       write the live pairs in table order, tab-separated"},
    {"reindex", LexonCommandReindex, "reindex             rebuild both indexes from the table"},
    {"check", LexonCommandCheck, "check               check the table and both indexes; exit 1 on a fault"},
    {"translate", LexonCommandTranslate, "translate --from en|es --to en|es [INPUT|- [OUTPUT|-]]  translate a text file as Text > File does"},
    {"analyse", LexonCommandAnalyse, "analyse --from en|es WORD  the verb analysis of a word: infinitive<TAB>form; exit 1 when none"},
    {"add", LexonCommandAdd, "add CLASS SPANISH ENGLISH  add a word pair as the Add dialog does"},
    {"search", LexonCommandSearch, "search --en WORD | --es WORD  the record found and the words that follow it; exit 1 when none"},
    {"delete", LexonCommandDelete, "delete --en WORD --es WORD  delete a word pair as the Search dialog's Delete does"},
};

void PrintUsage(FILE* stream)
{
    std::fprintf(stream,
                 "usage: lexon [--dir DIR] [--utf8] COMMAND [ARGS...]\n"
                 "\n"
                 "Works on the dictionary in the current folder, or in DIR.\n"
                 "Text is Windows-1252; --utf8 reads and writes UTF-8 instead.\n"
                 "\n"
                 "commands:\n");
    for (const LexonCommandEntry& command : kCommands) std::fprintf(stream, "  %s\n", command.usage);
    std::fprintf(stream,
                 "\n"
                 "exit codes: 0 success, 1 failure (or a fault found), 2 usage error\n");
}

int UsageError(const std::string& text)
{
    std::fprintf(stderr, "lexon: %s\n\n", text.c_str());
    PrintUsage(stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    LexonOptions options;
    const LexonCommandEntry* command = nullptr;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            PrintUsage(stdout);
            return 0;
        }
        if (arg == "--utf8") {
            options.utf8 = true;
        } else if (arg == "--dir") {
            if (i + 1 >= argc) return UsageError("--dir needs a folder");
            options.dir = argv[++i];
        } else if (arg.compare(0, 6, "--dir=") == 0) {
            options.dir = arg.substr(6);
        } else if (!command && arg.size() > 1 && arg[0] == '-' && arg != "-") {
            return UsageError("unknown option " + arg);
        } else if (!command) {
            for (const LexonCommandEntry& entry : kCommands)
                if (arg == entry.name) command = &entry;
            if (!command) return UsageError("unknown command " + arg);
        } else {
            args.push_back(arg);
        }
    }
    if (!command) return UsageError("no command given");
    return command->run(options, args);
}
