// End to end through the main dialog: the installation with records of all
// 23 kinds (all_kinds_installation.h) undone by the uninstaller's entry,
// with Start pressed, the confirmation and every question answered "Yes" /
// "Delete" from a watcher thread as a user would, in the order the undo
// meets them (last record first), then Quit and the reboot notice. The
// shared file is held open, so Windows has to be restarted: that restart
// is recorded here and simulated with "wineboot -r" afterwards.
#include "uninstaller/core/uninstaller_entry.h"
#include "uninstaller/res/resource.h"

#include "tests/uninstaller/core/all_kinds_installation.h"
#include "tests/uninstaller/gui/dialog_driver.h"
#include "tests/uninstaller/gui/recording_entry_system.h"
#include "tests/uninstaller/system/recording_reports.h"

#include <gtest/gtest.h>

using namespace all_kinds;

namespace {

bool wait_for_text(HWND dialog, int id, const std::string& text, DWORD timeout_ms = 30000)
{
    DWORD start = GetTickCount();
    while (control_text(dialog, id) != text) {
        if (GetTickCount() - start >= timeout_ms)
            return false;
        Sleep(20);
    }
    return true;
}

void answer(const char* caption, std::vector<std::string>* asked)
{
    HWND box = wait_for_dialog(caption, 30000);
    ASSERT_NE(nullptr, box) << caption;
    asked->push_back(caption);
    click_button(box, 103);   // "&Yes", or "Delete" for the shared file
    ASSERT_TRUE(wait_until_closed(box));
}

}  // namespace

TEST(MainDialogAllKinds, EveryKindIsUndoneThroughTheDialog)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    ScopedRecordingReports reports;
    AllKindsInstallation inst;
    ASSERT_NO_FATAL_FAILURE(inst.set_up());
    std::string windows = inst.dir / "Windows";
    CreateDirectoryA(windows.c_str(), nullptr);
    HANDLE held = CreateFileA(inst.shared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    RecordingEntrySystem system(windows);
    std::vector<std::string> asked;
    std::string reboot_text;
    int exit_code = -1;
    {
        DialogWatcher watcher([&] {
            HWND main = wait_for_dialog("Halbern Uninstaller - [Ravel 3.0]");
            ASSERT_NE(nullptr, main);
            click_button(main, IDC_START);
            answer("Warning", &asked);
            answer("Non-Empty INI Section", &asked);
            answer("Non-Empty Registration Key", &asked);
            answer("Non-Empty Program Group", &asked);
            answer("Delete Shared File", &asked);
            answer("Non-Empty Directory", &asked);
            ASSERT_TRUE(wait_for_text(main, IDC_START, "&Restart"));
            click_button(main, IDC_QUIT);
            HWND reboot = wait_for_dialog("Reboot");
            ASSERT_NE(nullptr, reboot);
            reboot_text = control_text(reboot, 102);
            press_key(reboot, VK_ESCAPE);
        });
        exit_code = run_uninstaller(GetModuleHandleA(nullptr), inst.log.c_str(), system);
    }
    CloseHandle(held);

    EXPECT_EQ(0, exit_code);
    EXPECT_EQ(6u, asked.size());
    EXPECT_TRUE(reports->errors.empty());
    EXPECT_EQ("We need to reboot Windows for the changes to take effect", reboot_text);
    EXPECT_EQ(1, system.restarts);
    EXPECT_FALSE(exists(inst.log));
    EXPECT_FALSE(exists(windows + "\\uxlog.ini")) << "a complete undo deletes the log";

    inst.expect_everything_undone();
    EXPECT_TRUE(exists(inst.shared));
    ASSERT_TRUE(simulate_restart());
    EXPECT_FALSE(exists(inst.shared));
    inst.tear_down();
}
