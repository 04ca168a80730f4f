#include "uninstaller/core/log_transfer.h"

#include "uninstaller/files/file_ops.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>

#include <cstring>

namespace {

const char kLogName[] = "uxlog.ini";

// A set-aside name from the header is a bare file name; anything that could
// reach outside the log's directory is ignored.
bool is_bare_name(const std::string& name)
{
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}

}  // namespace

void make_log_paths(const std::string& command_tail, const std::string& windows_directory,
                    std::string* log_path, std::string* working_path)
{
    *log_path = join_path(directory_part(command_tail), kLogName);
    *working_path = join_path(windows_directory, kLogName);
}

bool fetch_log(SystemContext& context, const std::string& log_path, const std::string& working_path)
{
    if (same_path(log_path, working_path))
        return true;
    if (file_move(context, log_path, working_path) != 1)
        return false;
    char header[kSetAsideNameSize + 1] = {};
    HANDLE file = CreateFileA(working_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD read = 0;
        ReadFile(file, header, kSetAsideNameSize, &read, nullptr);
        CloseHandle(file);
    }
    header[kSetAsideNameSize] = '\0';
    std::string set_aside = header;
    if (is_bare_name(set_aside))
        MoveFileA(join_path(directory_part(log_path), set_aside).c_str(), log_path.c_str());
    return true;
}

void return_log(SystemContext& context, const std::string& log_path, const std::string& working_path)
{
    if (!path_exists(working_path) || same_path(log_path, working_path))
        return;
    char header[kSetAsideNameSize] = {};
    if (path_exists(log_path)) {
        std::string backup;
        // Without a free backup name, or when the file there cannot be set
        // aside, the log stays in the Windows directory rather than
        // overwriting the file that is there now.
        if (!backup_name(log_path, &backup)) {
            context.report_rename_failed(log_path.c_str(), replace_extension(log_path, "bak").c_str());
            return;
        }
        if (!MoveFileA(log_path.c_str(), backup.c_str())) {
            context.report_rename_failed(log_path.c_str(), backup.c_str());
            return;
        }
        std::string name = name_part(backup);
        std::memcpy(header, name.c_str(), name.size() < kSetAsideNameSize ? name.size() : kSetAsideNameSize);
    }
    HANDLE file = CreateFileA(working_path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        context.report_open_failed(working_path.c_str());
        return;
    }
    DWORD written = 0;
    BOOL ok = WriteFile(file, header, kSetAsideNameSize, &written, nullptr);
    CloseHandle(file);
    if (!ok || written != kSetAsideNameSize) {
        context.report_write_failed(working_path.c_str());
        return;
    }
    file_move(context, working_path, log_path);
}
