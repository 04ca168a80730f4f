// ShowErrorBox and ShowInfoBox through the program's Win32 presenter, on
// the real message boxes under Wine: caption, text, icon, no owner, single
// OK button, dialog colours, and use from a worker thread.
#include "tests/gui/gui_test_support.h"
#include "translator/app/message_boxes_win32.h"
#include "translator/app/messages.h"
#include "translator/framework/dialog_colors.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class MessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDialogColors(RGB(192, 192, 192), RGB(0, 0, 0));
        previous_ = SetMessagePresenter(&presenter_);
    }
    void TearDown() override { SetMessagePresenter(previous_); }

    Win32MessagePresenter presenter_;
    MessagePresenter* previous_ = nullptr;
};

struct BoxSeen {
    bool found = false;
    std::string text;
    bool has_owner = true;
    bool icon_matches = false;
    int buttons = 0;
    COLORREF background = CLR_INVALID;
    COLORREF text_color = CLR_INVALID;
};

// Waits for the box with caption, records what it shows, presses OK.
BoxSeen InspectAndClose(const char* caption, LPCSTR expected_icon)
{
    BoxSeen seen;
    HWND box = WaitForOwnWindow(caption, 10000);
    if (!box) return seen;
    seen.found = true;
    seen.has_owner = GetWindow(box, GW_OWNER) != nullptr;
    HWND text = GetDlgItem(box, 0xFFFF);
    seen.text = text ? WindowText(text) : "<no text control>";
    HWND icon = FindIconControl(box);
    HICON shown = icon ? reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)) : nullptr;
    seen.icon_matches = shown != nullptr && shown == LoadIconA(nullptr, expected_icon);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Button") == 0 && IsWindowVisible(child)) ++seen.buttons;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(box, WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(text)));
    seen.background = BrushColor(brush);
    seen.text_color = GetTextColor(dc);
    DeleteDC(dc);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return seen;
}

TEST_F(MessageBoxTest, ErrorBoxHasCaptionErrorAndTheExclamationIcon)
{
    BoxSeen seen;
    Watcher watcher([&] { seen = InspectAndClose("ERROR", IDI_EXCLAMATION); });
    ShowErrorBox("I can't open the main Index, reindex please");
    watcher.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "I can't open the main Index, reindex please");
    EXPECT_TRUE(seen.icon_matches);
    EXPECT_FALSE(seen.has_owner);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.background, RGB(192, 192, 192));
    EXPECT_EQ(seen.text_color, RGB(0, 0, 0));
}

TEST_F(MessageBoxTest, InfoBoxHasItsCaptionAndTheInformationIcon)
{
    BoxSeen seen;
    Watcher watcher([&] { seen = InspectAndClose("Message from Lexon 1.0", IDI_INFORMATION); });
    ShowInfoBox("Record deleted");
    watcher.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "Record deleted");
    EXPECT_TRUE(seen.icon_matches);
    EXPECT_FALSE(seen.has_owner);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.background, RGB(192, 192, 192));
}

TEST_F(MessageBoxTest, WorkerThreadsShowBoxesAndWaitForTheAnswer)
{
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        ShowErrorBox("Error Abriendo la Dbf");
        returned = true;
    });
    HWND box = WaitForOwnWindow("ERROR", 10000);
    ASSERT_NE(box, nullptr);
    Sleep(100);
    EXPECT_FALSE(returned) << "the call returns only when the box is closed";
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), "Error Abriendo la Dbf");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    worker.join();
    EXPECT_TRUE(returned);
}

}  // namespace
