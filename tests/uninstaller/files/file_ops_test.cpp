// The file primitives on real files in a scratch directory.
#include "uninstaller/files/file_ops.h"
#include "uninstaller/system/file_attributes.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/scratch_dir.h"
#include "tests/uninstaller/system/wine_restart.h"

#include <gtest/gtest.h>

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
