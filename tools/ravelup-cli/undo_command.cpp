#include "undo_command.h"

#include "installation_log.h"
#include "report.h"
#include "undo_session.h"
#include "uninstaller/core/log_transfer.h"
#include "uninstaller/core/uninstaller_entry.h"
#include "uninstaller/core/win32_undo_services.h"
#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>

namespace {

const char kRebootNotice[] = "We need to reboot Windows for the changes to take effect";

// The system primitives of the dialog, but always quiet and with the
// questions answered from the command line instead of message boxes.
class SilentUndoServices : public Win32UndoServices {
public:
    SilentUndoServices(SystemContext& context, bool answer_yes)
        : Win32UndoServices(context), answer_yes_(answer_yes) {}

    void set_quiet(bool) override { Win32UndoServices::set_quiet(true); }

    bool ask_delete_non_empty_directory(const char*) override { return answer_yes_; }
    bool ask_delete_non_empty_ini_section(const char*) override { return answer_yes_; }
    bool ask_delete_non_empty_program_group(const char*) override { return answer_yes_; }
    bool ask_delete_non_empty_registry_key(const char*) override { return answer_yes_; }
    bool ask_delete_shared_file(const char*) override { return answer_yes_; }

private:
    bool answer_yes_;
};

// The run without controls: no confirmation, no pause, and the thread's
// messages (the DDE conversation's among them) dispatched between records.
class SilentDriver : public RunDriver {
public:
    bool confirm_run(const std::string&) override { return true; }
    void run_began() override {}
    void record_selected(size_t) override {}
    void record_done(size_t) override {}
    void run_ended(RunStatus) override {}
    void records_reset() override {}
    uint32_t tick_count() override { return GetTickCount(); }
    void pump_messages(uint32_t) override
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
};

struct UndoOptions {
    std::string log_path;
    bool answer_yes = false;
    bool reboot = false;
};

bool parse_options(const std::vector<std::string>& args, UndoOptions* options)
{
    for (const std::string& arg : args) {
        if (arg == "--yes")
            options->answer_yes = true;
        else if (arg == "--reboot")
            options->reboot = true;
        else if (!arg.empty() && arg[0] != '-' && options->log_path.empty())
            options->log_path = arg;
        else
            return false;
    }
    return !options->log_path.empty();
}

// A free name in the temporary directory for the log while the run goes
// on; false when there is none.
bool working_log_path(std::string* path)
{
    char temp[MAX_PATH] = "";
    DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return false;
    return unique_name(temp, "uxl", path);
}

}  // namespace

void WindowsRestart::restart_windows()
{
    RealEntrySystem system;
    system.restart_windows();
}

int ravelup_undo_command(const std::vector<std::string>& args, std::FILE* out, Reporter& reporter,
                         RestartSeam& restart)
{
    UndoOptions options;
    if (!parse_options(args, &options)) {
        std::fprintf(stderr, "usage: ravelup-cli undo LOGFILE [--yes] [--reboot]\n");
        return 2;
    }
    InstallationLog log;
    if (!load_installation_log_file(options.log_path.c_str(), reporter, &log))
        return 1;

    fill_platform_info();
    SystemContext context;
    context.owner = nullptr;
    context.quiet = 1;

    // The log normally lies in the product's directory, which the run
    // removes: like the dialog program, the run works with the log set
    // aside (here in the temporary directory), so that the log neither
    // keeps the directory from going nor goes with it. It is put back when
    // the run stays incomplete.
    std::string working_path;
    if (!working_log_path(&working_path) || !fetch_log(context, options.log_path, working_path)) {
        reporter.report_error("Unable to move the uxlog.ini");
        return 1;
    }

    SilentUndoServices services(context, options.answer_yes);
    SilentDriver driver;
    UndoSession session(services, driver);
    session.set_records(log.title, std::move(log.records));
    session.run(0);

    std::fprintf(out, "%s\n", session.title().c_str());
    for (size_t i = 0; i < session.record_count(); ++i) {
        const Operation& op = session.record(i);
        std::fprintf(out, "%s\t%s\n", state_text(op.state()), op.describe().c_str());
    }
    if (session.completion() != CompletionComplete) {
        return_log(context, options.log_path, working_path);
        if (path_exists(working_path))
            reporter.report_error("Unable to rename file from " + working_path + " to " + options.log_path);
        return 1;
    }
    if (!DeleteFileA(working_path.c_str())) {
        reporter.report_error(format_message("Unable to delete file %s", working_path));
        return 1;
    }
    if (session.reboot_needed()) {
        std::fprintf(out, "%s\n", kRebootNotice);
        std::fflush(out);
        if (options.reboot)
            restart.restart_windows();
    }
    return 0;
}
