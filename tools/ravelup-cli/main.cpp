// ravelup-cli: the uninstaller's installation log on the command line.
//   ravelup-cli list LOGFILE   list the records with their initial states
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "list_command.h"
#include "report.h"

namespace {

typedef int (*CommandFn)(const std::vector<std::string>& args, std::FILE* out,
                         Reporter& reporter);

struct Command {
    const char* name;
    CommandFn run;
};

const Command kCommands[] = {
    {"list", ravelup_list_command},
};

void usage()
{
    std::fprintf(stderr, "usage: ravelup-cli list LOGFILE\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        usage();
        return 2;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) {
            std::vector<std::string> args(argv + 2, argv + argc);
            StderrReporter reporter;
            return command.run(args, stdout, reporter);
        }
    }
    usage();
    return 2;
}
