// One sub-command of the lexon tool: `lexon [--dir DIR] [--utf8] NAME ARGS...`.
// Each command lives in a file of its own and is listed in the command table
// of main.cpp. A command returns the process exit code: 0 success, 1 a
// failure or a negative answer (the command says which), 2 a usage error.
#ifndef LEXON_TOOLS_LEXON_COMMAND_H
#define LEXON_TOOLS_LEXON_COMMAND_H

#include <string>
#include <vector>

struct LexonOptions {
    std::string dir;      // folder of the dictionary files ("" = current folder)
    bool utf8 = false;    // convert text from and to UTF-8 at the edges
};

typedef int (*LexonCommandFn)(const LexonOptions& options, const std::vector<std::string>& args);

#endif
