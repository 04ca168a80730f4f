#include "uninstaller/system/file_attributes.h"

#include "uninstaller/files/file_ops.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>

namespace {

bool is_dot_entry(const char* name)
{
    return lstrcmpA(name, ".") == 0 || lstrcmpA(name, "..") == 0;
}

// Owns one FindFirstFile search.
class FileSearch {
public:
    FileSearch(const std::string& pattern, WIN32_FIND_DATAA* found)
        : handle_(FindFirstFileA(pattern.c_str(), found)) {}
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;
    ~FileSearch()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool next(WIN32_FIND_DATAA* found) { return FindNextFileA(handle_, found) != 0; }

private:
    HANDLE handle_;
};

}  // namespace

int set_file_attributes(SystemContext& context, const std::string& path, unsigned long attributes)
{
    DWORD current = GetFileAttributesA(path.c_str());
    if (current == INVALID_FILE_ATTRIBUTES) {
        context.report_failure("Unable to get the file attributes of %s", path.c_str());
        return 0;
    }
    if (current == attributes)
        return 1;
    if (!SetFileAttributesA(path.c_str(), attributes)) {
        context.report_failure("Unable to set the file attributes of %s", path.c_str());
        return 0;
    }
    return 1;
}

namespace {

// A directory symbolic link or junction (a directory that is a reparse
// point): its entries belong to its target, which may lie anywhere outside
// the tree, so it is removed as the link it is (RemoveDirectoryA removes
// the link, never the target) and not entered.
bool is_directory_link(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

int remove_directory_tree(SystemContext& context, const std::string& directory)
{
    if (is_directory_link(GetFileAttributesA(directory.c_str())))
        return remove_directory(context, directory);
    WIN32_FIND_DATAA found;
    {
        FileSearch search(join_path(directory, "*.*"), &found);
        bool more = search.valid();
        while (more) {
            if (!is_dot_entry(found.cFileName)) {
                std::string entry = join_path(directory, found.cFileName);
                bool removed;
                if (is_directory_link(found.dwFileAttributes))
                    removed = remove_directory(context, entry) == 1;
                else if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                    removed = remove_directory_tree(context, entry) == 1;
                else
                    removed = file_delete(context, entry) == 1;
                if (!removed)
                    break;
            }
            more = search.next(&found);
        }
    }
    return remove_directory(context, directory);
}

int remove_directory(SystemContext& context, const std::string& directory)
{
    if (!path_exists(directory))
        return 1;
    char root[MAX_PATH];
    if (GetFullPathNameA("\\", sizeof root, root, nullptr) != 0)
        SetCurrentDirectoryA(root);
    if (!RemoveDirectoryA(directory.c_str())) {
        context.report_delete_failed(directory.c_str());
        return 0;
    }
    return 1;
}

int directory_has_entries(const std::string& directory)
{
    WIN32_FIND_DATAA found;
    FileSearch search(join_path(directory, "*.*"), &found);
    bool more = search.valid();
    while (more) {
        if (!is_dot_entry(found.cFileName))
            return 1;
        more = search.next(&found);
    }
    return 0;
}
