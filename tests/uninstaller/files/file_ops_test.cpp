// The file primitives on real files in a scratch directory.
#include "uninstaller/files/file_ops.h"
#include "uninstaller/system/file_attributes.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/scratch_dir.h"
#include "tests/uninstaller/system/wine_restart.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

TEST(FileDelete, MissingFileCountsAsDeletedWithoutMessage)
{
    ScopedRecordingReports reports;
    ScratchDir dir("del");
    SystemContext context;
    EXPECT_EQ(1, file_delete(context, dir / "never.txt"));
    EXPECT_TRUE(reports->errors.empty());
    EXPECT_EQ(0u, context.error_code);
}

TEST(FileDelete, ReadOnlyHiddenSystemFileIsDeleted)
{
    ScopedRecordingReports reports;
    ScratchDir dir("del");
    std::string path = dir / "ro.txt";
    ASSERT_TRUE(write_file(path, "x"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(),
                                   FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    SystemContext context;
    EXPECT_EQ(1, file_delete(context, path));
    EXPECT_FALSE(exists(path));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(FileDelete, FileInUseFailsWithItsMessageOwnedByTheContextWindow)
{
    ScopedRecordingReports reports;
    ScratchDir dir("del");
    std::string path = dir / "busy.dll";
    ASSERT_TRUE(write_file(path, "x"));
    HeldOpen hold(path);
    ASSERT_TRUE(hold.held());
    SystemContext context;
    context.owner = GetDesktopWindow();
    EXPECT_EQ(0, file_delete(context, path));
    EXPECT_EQ(2u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to delete file " + path, reports->errors[0]);
    EXPECT_EQ(GetDesktopWindow(), reports->owners[0]);
}

TEST(FileDelete, QuietContextShowsNothingButKeepsTheCode)
{
    ScopedRecordingReports reports;
    ScratchDir dir("del");
    std::string path = dir / "busy.dll";
    ASSERT_TRUE(write_file(path, "x"));
    HeldOpen hold(path);
    SystemContext context;
    context.quiet = 1;
    EXPECT_EQ(0, file_delete(context, path));
    EXPECT_EQ(2u, context.error_code);
    EXPECT_TRUE(reports->errors.empty());
}

TEST(FileDelete, OverlongPathIsRefusedAsInvalid)
{
    ScopedRecordingReports reports;
    SystemContext context;
    std::string path = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(0, file_delete(context, path));
    EXPECT_EQ(13u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("The path " + path + " is invalid", reports->errors[0]);
}

TEST(DirMake, ChainCreatesMissingLevelsTopDown)
{
    ScopedRecordingReports reports;
    ScratchDir dir("chain");
    SystemContext context;
    std::string deepest = dir / "b\\c";
    EXPECT_EQ(0, dir_make_chain(context, deepest));
    EXPECT_TRUE(exists(dir / "b"));
    EXPECT_TRUE(exists(deepest));
    EXPECT_EQ(1, dir_make_chain(context, deepest));
    EXPECT_EQ(1, dir_make_chain(context, dir.path()));
    EXPECT_EQ(1, dir_make(context, "C:"));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(DirMake, BlockedByAFileFailsWithMessage)
{
    ScopedRecordingReports reports;
    ScratchDir dir("chain");
    ASSERT_TRUE(write_file(dir / "file", "x"));
    SystemContext context;
    // "file" exists (as a file), so the chain goes on to "file\sub", which cannot be made.
    EXPECT_EQ(2, dir_make_chain(context, dir / "file\\sub\\deeper"));
    EXPECT_EQ(9u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to create dir " + (dir / "file\\sub"), reports->errors[0]);
    EXPECT_EQ(0, dir_make_for_file(context, dir / "x\\y\\f.txt"));
    EXPECT_TRUE(exists(dir / "x\\y"));
}

TEST(FileMove, OntoItselfInAnotherLetterCaseLeavesTheFile)
{
    ScopedRecordingReports reports;
    ScratchDir dir("move");
    std::string path = dir / "Self.txt";
    ASSERT_TRUE(write_file(path, "keep me"));
    SystemContext context;
    EXPECT_EQ(1, file_move(context, path, dir / "SELF.TXT"));
    EXPECT_EQ("keep me", read_file(path));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(FileMove, IntoANewDirectoryChainReplacingNothing)
{
    ScopedRecordingReports reports;
    ScratchDir dir("move");
    std::string from = dir / "uxlog.ini";
    std::string to = dir / "new\\chain\\uxlog.ini";
    ASSERT_TRUE(write_file(from, pattern_bytes(5000)));
    SystemContext context;
    EXPECT_EQ(1, file_move(context, from, to));
    EXPECT_FALSE(exists(from));
    EXPECT_EQ(pattern_bytes(5000), read_file(to));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(FileMove, ExistingDestinationIsReplaced)
{
    ScopedRecordingReports reports;
    ScratchDir dir("move");
    ASSERT_TRUE(write_file(dir / "a", "new"));
    ASSERT_TRUE(write_file(dir / "b", "old and longer"));
    SetFileAttributesA((dir / "b").c_str(), FILE_ATTRIBUTE_READONLY);
    SystemContext context;
    EXPECT_EQ(1, file_move(context, dir / "a", dir / "b"));
    EXPECT_EQ("new", read_file(dir / "b"));
    EXPECT_FALSE(exists(dir / "a"));
}

TEST(FileMove, MissingSourceLeavesTheExistingDestinationAlone)
{
    ScopedRecordingReports reports;
    ScratchDir dir("move");
    ASSERT_TRUE(write_file(dir / "dst", "the only copy"));
    SystemContext context;
    EXPECT_EQ(0, file_move(context, dir / "gone", dir / "dst"));
    EXPECT_EQ("the only copy", read_file(dir / "dst"));
    EXPECT_EQ(12u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("File " + (dir / "gone") + " not found", reports->errors[0]);
}

TEST(FileMove, RenameRefusedFallsBackToCopyThenFailsOnTheLockedSource)
{
    ScopedRecordingReports reports;
    ScratchDir dir("move");
    std::string from = dir / "src.bin";
    std::string to = dir / "sub\\dst.bin";
    ASSERT_TRUE(write_file(from, pattern_bytes(4096)));
    // Readers may share it, but it may be neither renamed nor deleted.
    HANDLE reader = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, reader);
    SystemContext context;
    EXPECT_EQ(0, file_move(context, from, to));
    CloseHandle(reader);
    EXPECT_EQ(pattern_bytes(4096), read_file(to));   // copied in full
    EXPECT_EQ(pattern_bytes(4096), read_file(from));  // and the source stays
    EXPECT_EQ(2u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to delete file " + from, reports->errors[0]);
}

TEST(FileCopy, CopiesExactBytesAroundTheChunkSize)
{
    ScopedRecordingReports reports;
    ScratchDir dir("copy");
    SystemContext context;
    for (size_t length : {0u, 1u, 2047u, 2048u, 2049u, 4096u, 10000u}) {
        std::string from = dir / "src";
        std::string to = dir / "out\\dst";
        ASSERT_TRUE(write_file(from, pattern_bytes(length)));
        EXPECT_EQ(0, file_copy(context, from, to)) << length;
        EXPECT_EQ(pattern_bytes(length), read_file(to)) << length;
        EXPECT_EQ(pattern_bytes(length), read_file(from)) << length;
    }
    EXPECT_TRUE(reports->errors.empty());
}

TEST(FileCopy, LongerOldDestinationIsTruncated)
{
    ScopedRecordingReports reports;
    ScratchDir dir("copy");
    ASSERT_TRUE(write_file(dir / "src", "short"));
    ASSERT_TRUE(write_file(dir / "dst", pattern_bytes(3000)));
    SystemContext context;
    EXPECT_EQ(0, file_copy(context, dir / "src", dir / "dst"));
    EXPECT_EQ("short", read_file(dir / "dst"));
}

TEST(FileCopy, MissingSourceIsReported)
{
    ScopedRecordingReports reports;
    ScratchDir dir("copy");
    SystemContext context;
    EXPECT_EQ(2, file_copy(context, dir / "nothing", dir / "dst"));
    EXPECT_EQ(12u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("File " + (dir / "nothing") + " not found", reports->errors[0]);
}

TEST(PathHelpers, UniqueAndBackupNamesTakeTheFirstFreeOne)
{
    ScratchDir dir("names");
    std::string name;
    ASSERT_TRUE(unique_name(dir.path(), "tmp", &name));
    EXPECT_EQ(dir / "tmp000.000", name);
    ASSERT_TRUE(write_file(dir / "tmp000.000", ""));
    ASSERT_TRUE(write_file(dir / "tmp000.001", ""));
    ASSERT_TRUE(unique_name(dir.path(), "tmp", &name));
    EXPECT_EQ(dir / "tmp000.002", name);

    std::string backup;
    ASSERT_TRUE(backup_name(dir / "uxlog.ini", &backup));
    EXPECT_EQ(dir / "uxlog.bak", backup);
    ASSERT_TRUE(write_file(dir / "uxlog.bak", ""));
    ASSERT_TRUE(write_file(dir / "uxlog.000", ""));
    ASSERT_TRUE(backup_name(dir / "uxlog.ini", &backup));
    EXPECT_EQ(dir / "uxlog.001", backup);
}

TEST(PathHelpers, BackupNameFailsWhenAllThousandAndOneExist)
{
    ScratchDir dir("names");
    ASSERT_TRUE(write_file(dir / "x.bak", ""));
    for (int n = 0; n < 1000; ++n) {
        char extension[8];
        wsprintfA(extension, "x.%03d", n);
        ASSERT_TRUE(write_file(dir / extension, ""));
    }
    std::string backup;
    EXPECT_FALSE(backup_name(dir / "x.ini", &backup));
}

TEST(PathHelpers, ExistenceCountsDriveRootsFilesAndDirectories)
{
    ScratchDir dir("exists");
    EXPECT_TRUE(path_exists("C:"));
    EXPECT_TRUE(path_exists(dir.path()));
    EXPECT_FALSE(path_exists(dir / "nothing"));
}

TEST(PathHelpers, ShortPathReplacesEveryLongComponent)
{
    ScratchDir dir("short");
    std::string long_dir = dir / "A Long Directory Name";
    std::string long_file = long_dir + "\\Some Long File Name.text";
    ASSERT_TRUE(CreateDirectoryA(long_dir.c_str(), nullptr));
    ASSERT_TRUE(write_file(long_file, "x"));
    std::string shortened;
    ASSERT_TRUE(short_path(long_file, &shortened));
    char expected[MAX_PATH];
    ASSERT_NE(0u, GetShortPathNameA(long_file.c_str(), expected, sizeof expected));
    EXPECT_TRUE(same_path(expected, shortened)) << expected << " vs " << shortened;
    EXPECT_EQ(std::string::npos, shortened.find("Long"));

    std::string plain = dir / "SHORT.TXT";
    ASSERT_TRUE(write_file(plain, "x"));
    std::string plain_dir_short;
    ASSERT_TRUE(short_path(dir.path(), &plain_dir_short));
    ASSERT_TRUE(short_path(plain, &shortened));
    EXPECT_EQ(join_path(plain_dir_short, "SHORT.TXT"), shortened);

    EXPECT_FALSE(short_path(dir / "missing\\x.txt", &shortened));
    ASSERT_TRUE(short_path("C:", &shortened));
    EXPECT_EQ("C:", shortened);
}

TEST(PathHelpers, ShortPathOfShortComponentsIsTheSameText)
{
    ScratchDir dir("short");
    // Under C:\ directly, with 8.3 names throughout.
    std::string top = "C:\\RVLTST";
    ScratchDir::remove_tree(top);
    ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
    ASSERT_TRUE(write_file(top + "\\FILE.TXT", "x"));
    std::string shortened;
    ASSERT_TRUE(short_path(top + "\\FILE.TXT", &shortened));
    EXPECT_EQ("C:\\RVLTST\\FILE.TXT", shortened);
    ScratchDir::remove_tree(top);
}

TEST(PathHelpers, SharedDirectoryIsTheSystemDirectory)
{
    std::string shared;
    ASSERT_TRUE(shared_directory(&shared));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    EXPECT_TRUE(same_path(system, shared)) << shared;
}

TEST(FileAttributes, SetAndSetAgainToTheSameValue)
{
    ScopedRecordingReports reports;
    ScratchDir dir("attr");
    std::string path = dir / "f.txt";
    ASSERT_TRUE(write_file(path, "x"));
    SystemContext context;
    EXPECT_EQ(1, set_file_attributes(context, path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    DWORD now = GetFileAttributesA(path.c_str());
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              now & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(1, set_file_attributes(context, path, now));
    EXPECT_EQ(now, GetFileAttributesA(path.c_str()));
    EXPECT_TRUE(reports->errors.empty());
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileAttributes, MissingFileIsReported)
{
    ScopedRecordingReports reports;
    ScratchDir dir("attr");
    SystemContext context;
    EXPECT_EQ(0, set_file_attributes(context, dir / "none", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(1u, context.error_code);
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to get the file attributes of " + (dir / "none"), reports->errors[0]);
}

TEST(DirectoryRemoval, TreeWithReadOnlyFilesGoesAway)
{
    ScopedRecordingReports reports;
    ScratchDir dir("tree");
    std::string top = dir / "product";
    ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((top + "\\bin").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((top + "\\bin\\empty").c_str(), nullptr));
    ASSERT_TRUE(write_file(top + "\\readme.txt", "r"));
    ASSERT_TRUE(write_file(top + "\\bin\\prog.exe", "p"));
    SetFileAttributesA((top + "\\readme.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((top + "\\bin\\prog.exe").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(1, directory_has_entries(top));
    SystemContext context;
    EXPECT_EQ(1, remove_directory_tree(context, top));
    EXPECT_FALSE(exists(top));
    EXPECT_TRUE(reports->errors.empty());
    EXPECT_EQ(0, directory_has_entries(top));
}

namespace {

bool is_reparse_point(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A junction: an empty directory given a mount-point reparse point
// (tag 0xA0000003) whose substitute name is "\??\" and the target.
bool make_junction(const std::string& link, const std::string& target)
{
    if (!CreateDirectoryA(link.c_str(), nullptr))
        return false;
    std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
    std::vector<BYTE> buffer(16 + (substitute.size() + 2) * sizeof(WCHAR), 0);
    WORD substitute_bytes = static_cast<WORD>(substitute.size() * sizeof(WCHAR));
    DWORD tag = 0xA0000003u;
    WORD data_length = static_cast<WORD>(buffer.size() - 8);
    WORD print_offset = static_cast<WORD>(substitute_bytes + sizeof(WCHAR));
    memcpy(&buffer[0], &tag, 4);
    memcpy(&buffer[4], &data_length, 2);
    memcpy(&buffer[10], &substitute_bytes, 2);   // offset 0 at 8
    memcpy(&buffer[12], &print_offset, 2);       // print name empty
    memcpy(&buffer[16], substitute.data(), substitute_bytes);
    HANDLE directory = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (directory == INVALID_HANDLE_VALUE) {
        RemoveDirectoryA(link.c_str());
        return false;
    }
    const DWORD kSetReparsePoint = 0x000900A4;   // FSCTL_SET_REPARSE_POINT
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(directory, kSetReparsePoint, buffer.data(), static_cast<DWORD>(buffer.size()),
                              nullptr, 0, &returned, nullptr);
    CloseHandle(directory);
    if (!ok || !is_reparse_point(link)) {
        RemoveDirectoryA(link.c_str());
        return false;
    }
    return true;
}

// A directory symbolic link at `link` to `target`, else a junction; false
// where the system can make neither.
bool make_directory_link(const std::string& link, const std::string& target)
{
    typedef BOOLEAN(WINAPI * CreateLink)(LPCSTR, LPCSTR, DWORD);
    const DWORD kDirectoryLink = 1;   // SYMBOLIC_LINK_FLAG_DIRECTORY
    CreateLink create_link = reinterpret_cast<CreateLink>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    if (create_link != nullptr && create_link(link.c_str(), target.c_str(), kDirectoryLink) &&
        is_reparse_point(link))
        return true;
    return make_junction(link, target);
}

}  // namespace

TEST(DirectoryRemoval, LinkedDirectoryGoesAsALinkAndItsTargetStays)
{
    ScopedRecordingReports reports;
    ScratchDir dir("tree");
    std::string outside = dir / "outside";
    ASSERT_TRUE(CreateDirectoryA(outside.c_str(), nullptr));
    ASSERT_TRUE(write_file(outside + "\\keep.txt", "not the product's"));
    std::string top = dir / "product";
    ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
    ASSERT_TRUE(write_file(top + "\\app.exe", "p"));
    if (!make_directory_link(top + "\\linked", outside))
        GTEST_SKIP() << "neither directory symbolic links nor junctions here (Wine 8 has no reparse points)";
    SystemContext context;
    EXPECT_EQ(1, remove_directory_tree(context, top));
    EXPECT_FALSE(exists(top));
    EXPECT_EQ("not the product's", read_file(outside + "\\keep.txt"));

    // The directory to remove is itself a link: only the link goes.
    ASSERT_TRUE(make_directory_link(dir / "toplink", outside));
    EXPECT_EQ(1, remove_directory_tree(context, dir / "toplink"));
    EXPECT_FALSE(exists(dir / "toplink"));
    EXPECT_EQ("not the product's", read_file(outside + "\\keep.txt"));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(DirectoryRemoval, CurrentDirectoryCanBeRemoved)
{
    ScopedRecordingReports reports;
    ScratchDir dir("tree");
    std::string top = dir / "cwd";
    ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
    char before[MAX_PATH];
    GetCurrentDirectoryA(sizeof before, before);
    ASSERT_TRUE(SetCurrentDirectoryA(top.c_str()));
    SystemContext context;
    EXPECT_EQ(1, remove_directory(context, top));
    EXPECT_FALSE(exists(top));
    SetCurrentDirectoryA(before);
    EXPECT_EQ(1, remove_directory(context, top));   // already gone: success, no message
    EXPECT_TRUE(reports->errors.empty());
}

TEST(DirectoryRemoval, FileInUseStopsTheTreeAndTheDirectoryStays)
{
    ScopedRecordingReports reports;
    ScratchDir dir("tree");
    std::string top = dir / "busy";
    ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
    ASSERT_TRUE(write_file(top + "\\held.dll", "h"));
    HeldOpen hold(top + "\\held.dll");
    SystemContext context;
    context.quiet = 1;
    EXPECT_EQ(0, remove_directory_tree(context, top));
    EXPECT_EQ(2u, context.error_code);
    EXPECT_TRUE(exists(top + "\\held.dll"));
    EXPECT_TRUE(reports->errors.empty());
}
