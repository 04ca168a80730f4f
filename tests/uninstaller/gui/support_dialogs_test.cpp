// The support library's platform information, dialog objects and message
// boxes, on the real templates of ravelup3.rc under Wine.
#include "uninstaller/support/dialog_object.h"
#include "uninstaller/support/message_box_dialog.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/support/reports.h"

#include "tests/uninstaller/gui/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const char kWinLogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\WinLogon";

// Sets (or with nullptr deletes) the empty-named value under WinLogon.
void set_winlogon_shell(const char* value)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kWinLogonKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key, nullptr));
    if (value != nullptr)
        RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1));
    else
        RegDeleteValueA(key, "");
    RegCloseKey(key);
}

// Shows `box` over `owner` while the watcher answers; returns the result.
int show_answered(MessageBoxDialog& box, HWND owner, const char* caption, std::function<void(HWND)> answer)
{
    DialogWatcher watcher([&] {
        HWND dialog = wait_for_dialog(caption);
        if (dialog != nullptr)
            answer(dialog);
    });
    return box.show(owner, caption, true);
}

class PlainDialog : public DialogObject {
public:
    INT_PTR handle_message(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_INITDIALOG)
            ++init_count;
        return message == WM_INITDIALOG ? TRUE : FALSE;
    }
    int init_count = 0;
};

}  // namespace

TEST(PlatformInfoRules, VersionsGiveKindsLookAndBaseKey)
{
    PlatformInfo nt351 = platform_info_from_version(2, 3, 51, nullptr);
    EXPECT_EQ(kPlatformNt, nt351.kind);
    EXPECT_TRUE(nt351.dialog_3d_look);
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", nt351.base_key);
    EXPECT_TRUE(platform_info_from_version(2, 4, 0, nullptr).dialog_3d_look);
    EXPECT_FALSE(platform_info_from_version(2, 3, 50, nullptr).dialog_3d_look);
    EXPECT_FALSE(platform_info_from_version(2, 3, 10, nullptr).dialog_3d_look);

    PlatformInfo win95 = platform_info_from_version(1, 4, 0, nullptr);
    EXPECT_EQ(kPlatformWin95, win95.kind);
    EXPECT_TRUE(win95.dialog_3d_look);
    EXPECT_TRUE(win95.shell_not_progman);
    EXPECT_STREQ("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", win95.base_key);

    PlatformInfo win32s = platform_info_from_version(0, 3, 11, "explorer.exe");
    EXPECT_EQ(kPlatformWin32s, win32s.kind);
    EXPECT_FALSE(win32s.dialog_3d_look);
    EXPECT_FALSE(win32s.shell_not_progman);
    EXPECT_EQ(nullptr, win32s.base_key);
    EXPECT_EQ(3, win32s.major_version);
    EXPECT_EQ(11, win32s.minor_version);
}

TEST(PlatformInfoRules, NtShellValueDecidesProgramManager)
{
    EXPECT_FALSE(platform_info_from_version(2, 4, 0, "progman.exe").shell_not_progman);
    EXPECT_FALSE(platform_info_from_version(2, 4, 0, "PrOgMaN.ExE").shell_not_progman);
    EXPECT_TRUE(platform_info_from_version(2, 4, 0, "explorer.exe").shell_not_progman);
    EXPECT_TRUE(platform_info_from_version(2, 4, 0, "progman.exe -x").shell_not_progman);
    EXPECT_FALSE(platform_info_from_version(2, 4, 0, nullptr).shell_not_progman);
}

TEST(PlatformInfoFill, WineIsNtWithTheThreeDimensionalLook)
{
    PlatformInfo saved = platform_info();
    set_winlogon_shell(nullptr);
    fill_platform_info();
    EXPECT_EQ(kPlatformNt, platform_info().kind);
    EXPECT_GE(platform_info().major_version, 4);
    EXPECT_TRUE(platform_info().dialog_3d_look);
    EXPECT_FALSE(platform_info().shell_not_progman) << "no shell value under WinLogon";

    set_winlogon_shell("PROGMAN.EXE");
    fill_platform_info();
    EXPECT_FALSE(platform_info().shell_not_progman);
    set_winlogon_shell("myshell.exe");
    fill_platform_info();
    EXPECT_TRUE(platform_info().shell_not_progman);
    set_winlogon_shell(nullptr);
    replace_platform_info(saved);
}

TEST(DialogObject, TemplateCopyDiffersOnlyInTheThreeDimensionalStyleBit)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(instance, "DLGMAIN", MAKEINTRESOURCEA(5));
    ASSERT_NE(nullptr, found);
    DWORD size = SizeofResource(instance, found);
    const unsigned char* original = static_cast<const unsigned char*>(LockResource(LoadResource(instance, found)));
    unsigned char* copy = copy_template_with_3d_look(instance, "dlgmain");
    ASSERT_NE(nullptr, copy);
    DWORD style = 0, original_style = 0;
    std::memcpy(&style, copy, 4);
    std::memcpy(&original_style, original, 4);
    EXPECT_EQ(original_style | DS_3DLOOK, style);
    EXPECT_EQ(0u, original_style & DS_3DLOOK);
    EXPECT_EQ(0, std::memcmp(copy + 4, original + 4, size - 4));
    delete[] copy;
    EXPECT_EQ(nullptr, copy_template_with_3d_look(instance, "NOSUCHDIALOG"));
}

// Wine gives every dialog the 3-D style whatever its template says, so the
// window cannot tell which template was used; the copy itself is checked
// above. Here: both ways of creating the dialog work and run it to its end.
TEST(DialogObject, ModalRunWorksWithAndWithoutTheThreeDimensionalCopy)
{
    for (bool look : {true, false}) {
        PlatformInfo saved = platform_info();
        PlatformInfo info = saved;
        info.dialog_3d_look = look;
        replace_platform_info(info);
        std::string label;
        MessageBoxDialog box;
        box.set_buttons(MB_RETRYCANCEL);
        int result = show_answered(box, nullptr, "Look", [&](HWND dialog) {
            label = control_text(dialog, 104);
            click_button(dialog, 104);
        });
        replace_platform_info(saved);
        EXPECT_EQ(1, result) << look;
        EXPECT_EQ("&Cancel", label) << look;
    }
}

TEST(DialogObject, MissingTemplateGivesMinusOne)
{
    PlainDialog dialog;
    EXPECT_EQ(-1, dialog.run_modal(nullptr, "NOSUCHDIALOG"));
    EXPECT_EQ(0, dialog.init_count);
}

TEST(DialogObject, ModelessWindowDestroyedWithDelLeavesNoComplaint)
{
    PlainDialog dialog;
    ASSERT_TRUE(dialog.create_modeless(nullptr, "DLGABOUT"));
    EXPECT_EQ(1, dialog.init_count);
    ASSERT_NE(nullptr, dialog.window());
    EXPECT_TRUE(dialog.owns_window());
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&dialog), GetWindowLongPtrA(dialog.window(), DWLP_USER));
    HWND window = dialog.window();
    dialog.del();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(dialog.owns_window());
}

TEST(DialogObject, ObjectDestroyedWithItsWindowStillOpenSaysSo)
{
    std::string caption;
    bool answered = false;
    HWND window = nullptr;
    DialogWatcher watcher([&] {
        HWND box = wait_for_message_box_with_text(kDelBeforeDestructionText);
        if (box == nullptr)
            return;
        caption = window_text(box);
        answered = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    {
        PlainDialog dialog;
        ASSERT_TRUE(dialog.create_modeless(nullptr, "DLGABOUT"));
        window = dialog.window();
    }   // destroyed without del()
    watcher.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ("Error", caption) << "the system's default caption of a box without one";
    DestroyWindow(window);
}

TEST(Centring, PositionIsPushedInsideTheScreen)
{
    RECT owner = {900, 700, 1020, 760};
    POINT at = centered_position(owner, 400, 200, 1024, 768);
    EXPECT_EQ(1024 - 1 - 400, at.x);
    EXPECT_EQ(768 - 1 - 200, at.y);
    RECT top_left = {-50, -40, 10, 20};
    at = centered_position(top_left, 300, 100, 1024, 768);
    EXPECT_EQ(0, at.x);
    EXPECT_EQ(0, at.y);
    RECT middle = {100, 100, 301, 201};   // halves truncated: 201 / 2 = 100, 101 / 2 = 50
    at = centered_position(middle, 51, 31, 1024, 768);
    EXPECT_EQ(100 + 100 - 25, at.x);
    EXPECT_EQ(100 + 50 - 15, at.y);
}

TEST(MessageBoxDialog, ButtonTypesGiveLabelsAndEscButtons)
{
    MessageBoxDialog box;
    EXPECT_EQ(0, box.button_count());
    EXPECT_EQ(-1, box.esc_button());
    box.set_buttons(MB_OK);
    EXPECT_EQ(1, box.button_count());
    EXPECT_STREQ("&OK", box.label(0));
    EXPECT_EQ(103, box.esc_button());
    box.set_buttons(MB_OKCANCEL);
    EXPECT_STREQ("&Cancel", box.label(1));
    EXPECT_EQ(104, box.esc_button());
    box.set_buttons(MB_RETRYCANCEL);
    EXPECT_STREQ("&Retry", box.label(0));
    box.set_buttons(MB_YESNO);
    EXPECT_EQ(2, box.button_count());
    EXPECT_STREQ("&Yes", box.label(0));
    EXPECT_STREQ("&No", box.label(1));
    box.set_buttons(MB_YESNOCANCEL);   // not one of the four: nothing changes
    EXPECT_EQ(2, box.button_count());
    EXPECT_STREQ("&Yes", box.label(0));
    box.set_labels("Delete", "Keep", "Later");
    EXPECT_EQ(3, box.button_count());
    box.set_text("%s has %d bytes", "uxlog.ini", 1234);
    EXPECT_STREQ("uxlog.ini has 1234 bytes", box.text());
    box.set_icon(MB_ICONQUESTION);
    EXPECT_EQ(LoadIconA(nullptr, IDI_QUESTION), box.icon());
    box.set_icon(7);
    EXPECT_EQ(nullptr, box.icon());
}

TEST(MessageBoxDialog, OverlongTextsAreCut)
{
    MessageBoxDialog box;
    std::string long_text(3000, 'x');
    box.set_text("%s", long_text.c_str());
    EXPECT_EQ(1023u, std::strlen(box.text()));
    box.set_labels(std::string(40, 'L').c_str());
    EXPECT_EQ(19u, std::strlen(box.label(0)));
}

TEST(MessageBoxDialog, YesNoEnterIsYesAndEscIsNo)
{
    MessageBoxDialog box;
    box.set_text("Directory %s not empty", "C:\\APP");
    box.set_icon(MB_ICONQUESTION);
    box.set_buttons(MB_YESNO);
    std::string text, yes, no;
    bool icon_visible = false;
    int enter = show_answered(box, nullptr, "Question", [&](HWND dialog) {
        text = control_text(dialog, kMsgBoxTextId);
        yes = control_text(dialog, 103);
        no = control_text(dialog, 104);
        icon_visible = IsWindowVisible(GetDlgItem(dialog, kMsgBoxIconId)) != 0;
        press_key(dialog, VK_RETURN);
    });
    EXPECT_EQ(0, enter);
    EXPECT_EQ("Directory C:\\APP not empty", text);
    EXPECT_EQ("&Yes", yes);
    EXPECT_EQ("&No", no);
    EXPECT_TRUE(icon_visible);
    int esc = show_answered(box, nullptr, "Question", [](HWND dialog) { press_key(dialog, VK_ESCAPE); });
    EXPECT_EQ(1, esc);
    int second = show_answered(box, nullptr, "Question", [](HWND dialog) { click_button(dialog, 104); });
    EXPECT_EQ(1, second);
}

TEST(MessageBoxDialog, OkWithEscOnItGivesZeroEitherWay)
{
    MessageBoxDialog box;
    box.set_buttons(MB_OK);
    bool icon_visible = true;
    EXPECT_EQ(0, show_answered(box, nullptr, "Ok", [&](HWND dialog) {
        icon_visible = IsWindowVisible(GetDlgItem(dialog, kMsgBoxIconId)) != 0;
        press_key(dialog, VK_RETURN);
    }));
    EXPECT_FALSE(icon_visible) << "no icon set: the icon control stays hidden";
    EXPECT_EQ(0, show_answered(box, nullptr, "Ok", [](HWND dialog) { press_key(dialog, VK_ESCAPE); }));
}

TEST(MessageBoxDialog, CustomLabelsWithoutEscButtonIgnoreEsc)
{
    MessageBoxDialog box;
    box.set_labels("Delete", "Keep");
    bool still_open = false;
    int result = show_answered(box, nullptr, "Delete Shared File", [&](HWND dialog) {
        press_key(dialog, VK_ESCAPE);
        Sleep(300);
        still_open = IsWindow(dialog) != 0;
        click_button(dialog, 104);
    });
    EXPECT_TRUE(still_open) << "Esc does nothing without an Esc button";
    EXPECT_EQ(1, result);
    box.set_esc_button(1);
    EXPECT_EQ(1, show_answered(box, nullptr, "Delete Shared File",
                               [](HWND dialog) { press_key(dialog, VK_ESCAPE); }));
}

TEST(MessageBoxDialog, ThreeButtonsAndTheTemplateForEachCount)
{
    MessageBoxDialog box;
    box.set_labels("One", "Two", "Three");
    std::string third;
    RECT client = {}, expected = {0, 0, 280, 87};
    EXPECT_EQ(2, show_answered(box, nullptr, "Three", [&](HWND dialog) {
        third = control_text(dialog, 105);
        GetClientRect(dialog, &client);
        MapDialogRect(dialog, &expected);
        click_button(dialog, 105);
    }));
    EXPECT_EQ("Three", third);
    EXPECT_EQ(expected.right, client.right);
    EXPECT_EQ(expected.bottom, client.bottom);
}

TEST(MessageBoxDialog, WithoutButtonsEnterAndEscDoNothing)
{
    MessageBoxDialog box;
    bool open_after_keys = false;
    HWND seen = nullptr;
    int result = show_answered(box, nullptr, "Working", [&](HWND dialog) {
        seen = dialog;
        press_key(dialog, VK_RETURN);
        press_key(dialog, VK_ESCAPE);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Sleep(300);
        open_after_keys = IsWindow(dialog) != 0;
        EndDialog(dialog, 7);   // a dialog may be ended from another thread of the process
        PostMessageA(dialog, WM_NULL, 0, 0);
    });
    EXPECT_TRUE(open_after_keys);
    EXPECT_EQ(7, result);
}

TEST(MessageBoxDialog, CentredNearTheScreenCornerStaysVisible)
{
    int screen_width = GetSystemMetrics(SM_CXSCREEN);
    int screen_height = GetSystemMetrics(SM_CYSCREEN);
    OwnerWindow owner(screen_width - 60, screen_height - 40, 50, 30);
    ASSERT_NE(nullptr, owner.get());
    MessageBoxDialog box;
    box.set_buttons(MB_OK);
    box.set_text("corner");
    RECT rect = {};
    EXPECT_EQ(0, show_answered(box, owner.get(), "Corner", [&](HWND dialog) {
        rect = window_rect(dialog);
        press_key(dialog, VK_RETURN);
    }));
    EXPECT_GE(rect.left, 0);
    EXPECT_GE(rect.top, 0);
    EXPECT_EQ(screen_width - 1, rect.right);
    EXPECT_EQ(screen_height - 1, rect.bottom);
}

TEST(MessageBoxDialog, CentredOverItsOwner)
{
    OwnerWindow owner(100, 100, 600, 400);
    MessageBoxDialog box;
    box.set_buttons(MB_OK);
    RECT rect = {};
    show_answered(box, owner.get(), "Centre", [&](HWND dialog) {
        rect = window_rect(dialog);
        press_key(dialog, VK_RETURN);
    });
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    EXPECT_EQ(100 + 300 - width / 2, rect.left);
    EXPECT_EQ(100 + 200 - height / 2, rect.top);
}

TEST(Reports, ErrorReportIsAnExclamationBoxCaptionedError)
{
    std::string text, label;
    bool icon_visible = false;
    DialogWatcher watcher([&] {
        HWND dialog = wait_for_dialog("Error");
        if (dialog == nullptr)
            return;
        text = control_text(dialog, kMsgBoxTextId);
        label = control_text(dialog, 103);
        icon_visible = IsWindowVisible(GetDlgItem(dialog, kMsgBoxIconId)) != 0;
        press_key(dialog, VK_ESCAPE);
    });
    show_error_report(nullptr, "Unable to delete file %s", "C:\\x&y.txt");
    watcher.join();
    EXPECT_EQ("Unable to delete file C:\\x&y.txt", text);
    EXPECT_EQ("&OK", label);
    EXPECT_TRUE(icon_visible);
}

TEST(Reports, NumbersFormattedIntoAControl)
{
    OwnerWindow owner(0, 0, 100, 100);
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 50, 20, owner.get(), nullptr, nullptr, nullptr);
    format_into_control(edit, "%d", -42);
    EXPECT_EQ("-42", window_text(edit));
    format_into_control(edit, "%ld", 2147483647L);
    EXPECT_EQ("2147483647", window_text(edit));
    std::string long_text(600, 'z');
    format_into_control(edit, "%s", long_text.c_str());
    EXPECT_EQ(511u, window_text(edit).size());
}
