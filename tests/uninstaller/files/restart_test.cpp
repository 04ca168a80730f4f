// Files in use: the copy puts the data into a temporary file beside the
// destination and schedules the replacement for the next start of Windows.
// The tests then simulate that start with "wineboot -r" in this prefix
// (under Windows they would need a real restart, so they are skipped there).
#include "uninstaller/files/file_ops.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/scratch_dir.h"
#include "tests/uninstaller/system/wine_restart.h"

#include <gtest/gtest.h>

TEST(Restart, DestinationInUseIsReplacedAtTheNextStart)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    ScopedRecordingReports reports;
    ScratchDir dir("restart");
    std::string from = dir / "new.dll";
    std::string to = dir / "shared.dll";
    ASSERT_TRUE(write_file(from, pattern_bytes(3000)));
    ASSERT_TRUE(write_file(to, "old contents"));
    ASSERT_TRUE(write_file(dir / "tmp000.000", "someone else's"));
    HeldOpen hold(to);
    ASSERT_TRUE(hold.held());

    SystemContext context;
    EXPECT_EQ(4, file_copy(context, from, to));
    EXPECT_EQ(pattern_bytes(3000), read_file(dir / "tmp000.001"));
    EXPECT_EQ("someone else's", read_file(dir / "tmp000.000"));
    EXPECT_TRUE(reports->errors.empty());

    hold.release();
    EXPECT_EQ("old contents", read_file(to)) << "replaced only at the restart";
    ASSERT_TRUE(simulate_restart());
    EXPECT_EQ(pattern_bytes(3000), read_file(to));
    EXPECT_FALSE(exists(dir / "tmp000.001"));
}

TEST(Restart, MoveOntoADestinationInUseFailsAndKeepsTheSource)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    ScopedRecordingReports reports;
    ScratchDir dir("restart");
    std::string from = dir / "log.ini";
    std::string to = dir / "busy.ini";
    ASSERT_TRUE(write_file(from, "new"));
    ASSERT_TRUE(write_file(to, "old"));
    HeldOpen hold(to);
    SystemContext context;
    context.quiet = 1;
    EXPECT_EQ(0, file_move(context, from, to));
    EXPECT_EQ("new", read_file(from));
    EXPECT_EQ("new", read_file(dir / "tmp000.000"));
    hold.release();
    ASSERT_TRUE(simulate_restart());
    EXPECT_EQ("new", read_file(to));
    EXPECT_EQ("new", read_file(from));
}

TEST(Restart, WininitRenameSectionReplacesAndDeletes)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    ScratchDir dir("restart");
    std::string target = dir / "target.txt";
    std::string replacement = dir / "tmp000.000";
    std::string doomed = dir / "doomed.txt";
    ASSERT_TRUE(write_file(target, "before"));
    ASSERT_TRUE(write_file(replacement, "after"));
    ASSERT_TRUE(write_file(doomed, "bye"));
    ASSERT_TRUE(schedule_replacement_in_wininit(target, replacement));
    ASSERT_TRUE(write_wininit_delete(doomed));
    char line[MAX_PATH];
    GetPrivateProfileStringA("rename", target.c_str(), "", line, sizeof line, "wininit.ini");
    EXPECT_EQ(replacement, std::string(line));
    ASSERT_TRUE(simulate_restart());
    EXPECT_EQ("after", read_file(target));
    EXPECT_FALSE(exists(replacement));
    EXPECT_FALSE(exists(doomed));
}

TEST(Restart, MoveFileExDeletionAtTheNextStart)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    ScratchDir dir("restart");
    std::string doomed = dir / "installed.dll";
    ASSERT_TRUE(write_file(doomed, "x"));
    HeldOpen hold(doomed);
    ASSERT_TRUE(delete_file_at_restart(doomed));
    EXPECT_TRUE(exists(doomed));
    hold.release();
    ASSERT_TRUE(simulate_restart());
    EXPECT_FALSE(exists(doomed));
}

// Several files that can only go at the restart: each NUL line must stay in
// wininit.ini (the profile functions would keep only the last), the other
// entries of [rename] stay as they were, and the restart deletes them all.
TEST(Restart, WininitKeepsEveryScheduledDeletion)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    ScratchDir dir("restart");
    std::string first = dir / "first.dll";
    std::string second = dir / "second.dll";
    std::string third = dir / "third.dll";
    std::string target = dir / "target.txt";
    std::string replacement = dir / "tmp000.000";
    for (const std::string& path : {first, second, third})
        ASSERT_TRUE(write_file(path, "in use"));
    ASSERT_TRUE(write_file(target, "before"));
    ASSERT_TRUE(write_file(replacement, "after"));

    std::string wininit = wininit_path();
    ASSERT_FALSE(wininit.empty());
    DeleteFileA(wininit.c_str());
    ASSERT_TRUE(write_wininit_delete(first));
    ASSERT_TRUE(schedule_replacement_in_wininit(target, replacement));
    ASSERT_TRUE(write_wininit_delete(second));
    ASSERT_TRUE(write_wininit_delete(third));

    EXPECT_EQ("[rename]\r\n"
              "NUL=" + first + "\r\n"
              + target + "=" + replacement + "\r\n"
              "NUL=" + second + "\r\n"
              "NUL=" + third + "\r\n",
              read_file(wininit));
    // The system's own reader sees the same file: the first NUL entry and
    // the replacement.
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("rename", "NUL", "", value, sizeof value, "wininit.ini");
    EXPECT_EQ(first, std::string(value));
    GetPrivateProfileStringA("rename", target.c_str(), "", value, sizeof value, "wininit.ini");
    EXPECT_EQ(replacement, std::string(value));

    ASSERT_TRUE(simulate_restart());
    EXPECT_FALSE(exists(first));
    EXPECT_FALSE(exists(second));
    EXPECT_FALSE(exists(third));
    EXPECT_EQ("after", read_file(target));
}
