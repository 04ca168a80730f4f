// The Program Manager DDE client against Wine's own Program Manager server
// (shell32's, answering "PROGMAN" in every Wine session). It answers the
// group list, creates and deletes groups and deletes items, which is what is
// checked here; it does not answer a group's contents, so whether a group
// holds items cannot be told.
// Skipped outside Wine, where Program Manager may not be there at all.
#include "uninstaller/system/progman_client.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/wine_restart.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Wine's server opens a folder window for every group it creates (an
// explorer.exe of its own); close them, so that no process of the test is
// left behind.
BOOL CALLBACK close_group_window(HWND window, LPARAM group_name)
{
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (strstr(title, reinterpret_cast<const char*>(group_name)) != nullptr)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

void close_group_windows(const char* group)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        EnumWindows(close_group_window, reinterpret_cast<LPARAM>(group));
        Sleep(100);
    }
}

}  // namespace

TEST(ProgmanWine, GroupIsCreatedListedAndDeleted)
{
    if (!running_under_wine())
        GTEST_SKIP() << "Wine's own Program Manager server";
    fill_platform_info();
    ScopedRecordingReports reports;
    SystemContext context;
    context.quiet = 1;
    ASSERT_EQ(1, progman_begin(context));
    const char group[] = "Ravelup Wine Test";
    progman_delete_group(context, group);   // left over from an earlier run
    EXPECT_FALSE(progman_group_exists(context, group));

    EXPECT_EQ(1, progman_create_group(context, group));
    EXPECT_TRUE(progman_group_exists(context, group));
    // Created once only: the second call finds it in the list.
    EXPECT_EQ(1, progman_create_group(context, group));

    // Several requests in a row on one conversation all get their answer.
    std::string first, second;
    EXPECT_TRUE(progman_request(context, "GROUPS", &first));
    EXPECT_TRUE(progman_request(context, "GROUPS", &second));
    EXPECT_EQ(first, second);

    // This server does not answer a group's contents, so whether the group
    // holds items cannot be told, even when it does; an item is deleted by
    // the command alone, and the server's answer decides.
    EXPECT_EQ(-1, progman_group_has_items(context, group));
    EXPECT_TRUE(progman_execute(context, "[AddItem(c:\\windows\\notepad.exe, \"Notepad X\", "
                                         "c:\\windows\\notepad.exe, 0, 10, 10, c:\\windows, 0, 0)]"));
    EXPECT_EQ(-1, progman_group_has_items(context, group));
    EXPECT_EQ(1, progman_delete_item(context, group, "Notepad X"));
    EXPECT_EQ(0, progman_delete_item(context, group, "Notepad X")) << "gone: the server refuses";

    EXPECT_EQ(1, progman_delete_group(context, group));
    EXPECT_FALSE(progman_group_exists(context, group));
    EXPECT_EQ(1, progman_delete_group(context, group)) << "a missing group counts as deleted";
    progman_end(context, false);
    close_group_windows(group);
    EXPECT_TRUE(reports->errors.empty());
}
