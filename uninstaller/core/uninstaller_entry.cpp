#include "uninstaller/core/uninstaller_entry.h"

#include "uninstaller/core/log_transfer.h"
#include "uninstaller/core/prompts.h"
#include "uninstaller/core/uninstall_dialog.h"
#include "uninstaller/core/win32_undo_services.h"
#include "uninstaller/files/ctl3d_binding.h"
#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/system_context.h"

std::string RealEntrySystem::windows_directory()
{
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, sizeof directory);
    return directory;
}

void RealEntrySystem::restart_windows()
{
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_WRITE, &token)) {
        TOKEN_PRIVILEGES privileges = {};
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
        CloseHandle(token);
    }
    ExitWindowsEx(EWX_REBOOT, 0);
}

namespace {

// Runs the dialog and the end of the program once the log is fetched.
int run_with_log(SystemContext& context, const std::string& log_path, const std::string& working_path,
                 EntrySystem& system)
{
    Win32UndoServices services(context);
    UninstallDialog dialog(working_path, context, services);
    INT_PTR result = dialog.run_modal(nullptr, "DLGMAIN");
    context.owner = nullptr;
    if (result == -1) {
        context.report_failure("Unable to open the main dialog box");
        // The log was moved already: put it back so that the product keeps it.
        return_log(context, log_path, working_path);
        return 1;
    }
    if (result == 0) {
        file_delete(context, working_path);
        if (dialog.reboot_needed()) {
            show_reboot_notice(nullptr);
            system.restart_windows();
        }
    } else {
        return_log(context, log_path, working_path);
    }
    return 0;
}

}  // namespace

int run_uninstaller(HINSTANCE instance, const char* command_tail, EntrySystem& system)
{
    fill_platform_info();
    Ctl3dBinding ctl3d;
    ctl3d.register_binding(instance);

    SystemContext context;
    std::string tail = command_tail != nullptr ? command_tail : "";
    std::string log_path, working_path;
    make_log_paths(tail, system.windows_directory(), &log_path, &working_path);

    int exit_code = 0;
    if (tail.empty()) {
        context.report_failure("Usage: ravelup <logfile>");
        exit_code = 1;
    } else if (!fetch_log(context, log_path, working_path)) {
        context.report_failure("Unable to move the uxlog.ini");
        exit_code = 1;
    } else {
        exit_code = run_with_log(context, log_path, working_path, system);
    }
    ctl3d.unregister_binding();
    return exit_code;
}
