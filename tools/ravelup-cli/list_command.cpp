#include "list_command.h"

#include "installation_log.h"
#include "report.h"

int ravelup_list_command(const std::vector<std::string>& args, std::FILE* out,
                         Reporter& reporter)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: ravelup-cli list LOGFILE\n");
        return 2;
    }
    InstallationLog log;
    if (!load_installation_log_file(args[0].c_str(), reporter, &log))
        return 1;
    std::fprintf(out, "%s\n", log.title.c_str());
    for (size_t i = 0; i < log.records.size(); ++i) {
        const Operation& op = *log.records[i];
        std::fprintf(out, "%s\t%s\n", state_text(op.state()), op.describe().c_str());
    }
    return 0;
}
