// ravelup-cli sub-commands, each a function of the arguments after the
// sub-command name, an output stream and a reporter for the program's
// messages. A command returns the process exit code: 0 success, 1 failure
// (the message has been reported), 2 a usage error.
#ifndef RAVELUP_CLI_LIST_COMMAND_H
#define RAVELUP_CLI_LIST_COMMAND_H

#include <cstdio>
#include <string>
#include <vector>

class Reporter;

// list LOGFILE: the product title on the first line, then one line per
// record in log order: state text, a tab, the description.
int ravelup_list_command(const std::vector<std::string>& args, std::FILE* out,
                         Reporter& reporter);

#endif
