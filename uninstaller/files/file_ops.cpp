#include "uninstaller/files/file_ops.h"

#include "uninstaller/support/platform_info.h"
#include "uninstaller/support/sectioned_file.h"
#include "uninstaller/system/file_attributes.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>

#include <memory>
#include <new>

namespace {

bool too_long(SystemContext& context, const std::string& path)
{
    if (path.size() <= kMaxPathLength)
        return false;
    context.report_invalid_path(path.c_str());
    return true;
}

// Owns one file handle.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    // Closes now; false when the system refuses.
    bool close()
    {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

void dispatch_pending_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Copies the data of `from` into `to` (created or truncated) in chunks of
// kCopyChunkSize bytes: steps "source exists" to "close both" of the copy.
int copy_data(SystemContext& context, const std::string& from, const std::string& to)
{
    if (!path_exists(from)) {
        context.report_file_missing(from.c_str());
        return kCopyFailed;
    }
    FileHandle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.valid()) {
        context.report_open_failed(from.c_str());
        return kCopyFailed;
    }
    FileHandle destination(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!destination.valid()) {
        context.report_open_failed(to.c_str());
        return kCopyFailed;
    }
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[kCopyChunkSize]);
    if (!buffer) {
        context.report_out_of_memory();
        return kCopyFailed;
    }
    DWORD read = 0;
    do {
        if (!ReadFile(source.get(), buffer.get(), kCopyChunkSize, &read, nullptr)) {
            context.report_read_failed(from.c_str());
            return kCopyFailed;
        }
        DWORD written = 0;
        if (!WriteFile(destination.get(), buffer.get(), read, &written, nullptr) || written != read) {
            context.report_write_failed(to.c_str());
            return kCopyFailed;
        }
        dispatch_pending_messages();
    } while (read == static_cast<DWORD>(kCopyChunkSize));
    if (!source.close()) {
        context.report_close_failed(from.c_str());
        return kCopyFailed;
    }
    if (!destination.close()) {
        context.report_close_failed(to.c_str());
        return kCopyFailed;
    }
    return kCopyDone;
}

// Deletes without showing anything; true when the file is gone.
bool delete_quietly(SystemContext& context, const std::string& path)
{
    SystemContext quiet_context;
    quiet_context.owner = context.owner;
    quiet_context.quiet = 1;
    return file_delete(quiet_context, path) == 1;
}

}  // namespace

bool path_exists(const std::string& path)
{
    return is_drive_root(path) || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int file_delete(SystemContext& context, const std::string& path)
{
    if (too_long(context, path))
        return 0;
    if (!path_exists(path))
        return 1;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
        set_file_attributes(context, path, FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(path.c_str())) {
        context.report_delete_failed(path.c_str());
        return 0;
    }
    return 1;
}

int dir_make(SystemContext& context, const std::string& path)
{
    if (too_long(context, path))
        return kDirFailed;
    if (path_exists(path))
        return kDirExisted;
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        context.report_create_dir_failed(path.c_str());
        return kDirFailed;
    }
    return kDirCreated;
}

int dir_make_chain(SystemContext& context, const std::string& path)
{
    std::string parent;
    if (parent_path(path, &parent) && !parent.empty()) {
        if (dir_make_chain(context, parent) == kDirFailed)
            return kDirFailed;
    }
    return dir_make(context, path);
}

int dir_make_for_file(SystemContext& context, const std::string& file_path)
{
    std::string directory = directory_part(file_path);
    if (directory.empty())
        return kDirExisted;   // a bare name lies in the current directory
    return dir_make_chain(context, directory);
}

int file_move(SystemContext& context, const std::string& from, const std::string& to)
{
    if (too_long(context, from) || too_long(context, to))
        return 0;
    if (same_path(from, to))
        return 1;
    // Without a source there is nothing to put in the destination's place,
    // so an existing destination is left as it is.
    if (!path_exists(from)) {
        context.report_file_missing(from.c_str());
        return 0;
    }
    if (path_exists(to))
        file_delete(context, to);
    if (dir_make_for_file(context, to) == kDirFailed)
        return 0;
    if (MoveFileA(from.c_str(), to.c_str()))
        return 1;
    SystemContext copy_context;
    copy_context.owner = context.owner;
    copy_context.quiet = context.quiet;
    if (file_copy(copy_context, from, to) != kCopyDone)
        return 0;
    return file_delete(context, from) == 1 ? 1 : 0;
}

int file_copy(SystemContext& context, const std::string& from, const std::string& to)
{
    if (too_long(context, from) || too_long(context, to))
        return kCopyFailed;
    if (dir_make_for_file(context, to) == kDirFailed)
        return kCopyFailed;
    if (!path_exists(to) || delete_quietly(context, to))
        return copy_data(context, from, to);

    // The destination is in use: copy beside it and replace it later.
    std::string directory = directory_part(to);
    std::string temporary;
    if (!unique_name(directory, "tmp", &temporary)) {
        context.report_create_file_failed(join_path(directory, "tmp").c_str());
        return kCopyFailed;
    }
    int copied = copy_data(context, from, temporary);
    if (copied != kCopyDone)
        return copied;
    if (delete_quietly(context, to))
        return file_move(context, temporary, to) == 1 ? kCopyDone : kCopyFailed;
    if (!schedule_replacement(to, temporary)) {
        context.report_copy_failed(from.c_str(), to.c_str());
        return kCopyFailed;
    }
    return kCopyDeferred;
}

bool unique_name(const std::string& directory, const std::string& prefix, std::string* name)
{
    for (int n = 0; n < 1000000; ++n) {
        std::string candidate = join_path(directory, unique_name_candidate(prefix, n));
        if (!path_exists(candidate)) {
            *name = candidate;
            return true;
        }
    }
    return false;
}

bool backup_name(const std::string& path, std::string* backup)
{
    std::string candidate = replace_extension(path, "bak");
    for (int n = 0; path_exists(candidate); ++n) {
        if (n > 999)
            return false;
        char extension[8];
        wsprintfA(extension, "%03d", n);
        candidate = replace_extension(path, extension);
    }
    *backup = candidate;
    return true;
}

bool short_path(const std::string& path, std::string* shortened)
{
    if (platform_info().kind == kPlatformWin32s || is_drive_root(path)) {
        *shortened = path;
        return true;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    std::string last = name_part(path);
    if (found.cAlternateFileName[0] != '\0')
        last = found.cAlternateFileName;
    std::string directory = directory_part(path);
    if (directory.empty()) {
        *shortened = last;
        return true;
    }
    std::string short_directory;
    if (!short_path(directory, &short_directory))
        return false;
    *shortened = join_path(short_directory, last);
    return true;
}

bool shared_directory(std::string* directory)
{
    char current[MAX_PATH] = "";
    char destination[MAX_PATH] = "";
    UINT current_size = sizeof current;
    UINT destination_size = sizeof destination;
    char file_name[] = "98Lx28.$$$";
    char windows_dir[] = "";
    char application_dir[] = "c:\\";
    VerFindFileA(VFFF_ISSHAREDFILE, file_name, windows_dir, application_dir, current, &current_size,
                 destination, &destination_size);
    destination[sizeof destination - 1] = '\0';
    if (destination[0] == '\0')
        return false;
    *directory = destination;
    return true;
}

bool schedule_replacement_by_move(const std::string& destination, const std::string& replacement)
{
    return MoveFileExA(replacement.c_str(), destination.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool schedule_replacement_in_wininit(const std::string& destination, const std::string& replacement)
{
    return WritePrivateProfileStringA("rename", destination.c_str(), replacement.c_str(),
                                      "wininit.ini") != 0;
}

bool schedule_replacement(const std::string& destination, const std::string& replacement)
{
    return schedule_replacement_by_move(destination, replacement) ||
           schedule_replacement_in_wininit(destination, replacement);
}

bool delete_file_at_restart(const std::string& path)
{
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

std::string wininit_path()
{
    char directory[MAX_PATH] = "";
    UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory)
        return std::string();
    return join_path(directory, "wininit.ini");
}

// Every "NUL" line of [rename] names one file to delete, and the restart
// reads them all; the profile functions keep one value per name, so writing
// NUL=path through them would replace the deletion scheduled before. The
// line is therefore added at the end of the section with the sectioned file
// model (as the NUL entry with the next sequence number), which keeps every
// earlier line.
bool write_wininit_delete(const std::string& path)
{
    std::string file = wininit_path();
    if (file.empty())
        return false;
    int nul_entries = sectioned_file::count_entries(file.c_str(), "rename", "NUL");
    if (nul_entries < 0)
        nul_entries = 0;
    return sectioned_file::insert_entry(file.c_str(), "rename", "NUL", path.c_str(), nul_entries) == 1;
}
