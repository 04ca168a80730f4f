// ravelup-cli: the uninstaller's installation log on the command line.
//   ravelup-cli list LOGFILE   list the records with their initial states
//   ravelup-cli undo LOGFILE [--yes] [--reboot]
//                              undo them without a window (Windows only)
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "list_command.h"
#include "report.h"
#ifdef _WIN32
#include "undo_command.h"
#endif

namespace {

typedef int (*CommandFn)(const std::vector<std::string>& args, std::FILE* out,
                         Reporter& reporter);

struct Command {
    const char* name;
    CommandFn run;
};

#ifdef _WIN32
int undo_with_real_restart(const std::vector<std::string>& args, std::FILE* out, Reporter& reporter)
{
    WindowsRestart restart;
    return ravelup_undo_command(args, out, reporter, restart);
}
#endif

const Command kCommands[] = {
    {"list", ravelup_list_command},
#ifdef _WIN32
    {"undo", undo_with_real_restart},
#endif
};

void usage()
{
    std::fprintf(stderr, "usage: ravelup-cli list LOGFILE\n");
#ifdef _WIN32
    std::fprintf(stderr, "       ravelup-cli undo LOGFILE [--yes] [--reboot]\n");
#endif
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
