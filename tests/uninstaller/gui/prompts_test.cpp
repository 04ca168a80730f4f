// The questions of the uninstaller on the real templates: captions, texts,
// buttons, what Enter and Esc answer.
#include "uninstaller/core/prompts.h"
#include "uninstaller/res/resource.h"

#include "tests/uninstaller/gui/dialog_driver.h"

#include <gtest/gtest.h>

namespace {

struct Seen {
    std::string text, first, second;
    bool icon = false;
};

// Runs ask() while a watcher reads the box with the caption and presses key.
template <typename Ask>
auto answered_with_key(const char* caption, UINT key, Seen* seen, Ask ask) -> decltype(ask())
{
    DialogWatcher watcher([=] {
        HWND box = wait_for_dialog(caption);
        if (box == nullptr)
            return;
        seen->text = control_text(box, IDC_MSGBOX_TEXT);
        seen->first = control_text(box, IDC_MSGBOX_BUTTON1);
        seen->second = control_text(box, IDC_MSGBOX_BUTTON2);
        seen->icon = IsWindowVisible(GetDlgItem(box, IDC_MSGBOX_ICON)) != 0;
        press_key(box, key);
    });
    return ask();
}

}  // namespace

TEST(Prompts, NonEmptyQuestionsAreYesNoWithEscOnNo)
{
    struct Case {
        const char* caption;
        bool (*ask)(HWND, const char*);
        const char* argument;
        const char* text;
    } cases[] = {
        {"Non-Empty Directory", ask_non_empty_directory, "C:\\APP",
         "Directory C:\\APP not empty\nDelete all\nfiles and subdirectories?"},
        {"Non-Empty INI Section", ask_non_empty_ini_section, "Fonts", "INI section Fonts not empty\nDelete all entries?"},
        {"Non-Empty Program Group", ask_non_empty_program_group, "Lexon",
         "Program group Lexon not empty\nDelete all entries?"},
        {"Non-Empty Registration Key", ask_non_empty_registry_key, "Software\\Halbern",
         "Registration key Software\\Halbern not empty\nDelete all subkeys?"},
    };
    for (const Case& c : cases) {
        Seen seen;
        EXPECT_FALSE(answered_with_key(c.caption, VK_ESCAPE, &seen, [&] { return c.ask(nullptr, c.argument); }))
            << c.caption;
        EXPECT_EQ(c.text, seen.text);
        EXPECT_EQ("&Yes", seen.first);
        EXPECT_EQ("&No", seen.second);
        EXPECT_TRUE(seen.icon);
        EXPECT_TRUE(answered_with_key(c.caption, VK_RETURN, &seen, [&] { return c.ask(nullptr, c.argument); }))
            << c.caption;
    }
}

TEST(Prompts, ConfirmationNamesTheProduct)
{
    Seen seen;
    EXPECT_FALSE(answered_with_key("Warning", VK_ESCAPE, &seen, [] { return ask_confirmation(nullptr, "Lexon 1.0"); }));
    EXPECT_EQ("This will remove Lexon 1.0 from your system\n\nContinue?", seen.text);
    EXPECT_TRUE(answered_with_key("Warning", VK_RETURN, &seen, [] { return ask_confirmation(nullptr, "Lexon 1.0"); }));
}

TEST(Prompts, SharedFileQuestionKeepsOnEsc)
{
    Seen seen;
    EXPECT_FALSE(answered_with_key("Delete Shared File", VK_ESCAPE, &seen,
                                   [] { return ask_delete_shared_file(nullptr, "C:\\WINDOWS\\SYSTEM\\X.DLL"); }));
    EXPECT_EQ("Delete", seen.first);
    EXPECT_EQ("Keep", seen.second);
    EXPECT_EQ(0u, seen.text.find("The reference count of C:\\WINDOWS\\SYSTEM\\X.DLL has reached zero."));
    EXPECT_TRUE(answered_with_key("Delete Shared File", VK_RETURN, &seen,
                                  [] { return ask_delete_shared_file(nullptr, "C:\\X.DLL"); }));
}

TEST(Prompts, RebootNoticeHasOnlyOk)
{
    Seen seen;
    answered_with_key("Reboot", VK_ESCAPE, &seen, [] {
        show_reboot_notice(nullptr);
        return 0;
    });
    EXPECT_EQ("We need to reboot Windows for the changes to take effect", seen.text);
    EXPECT_EQ("&OK", seen.first);
    EXPECT_TRUE(seen.icon);
}

TEST(Prompts, QuitQuestionAnswersAndCentring)
{
    OwnerWindow owner(200, 150, 500, 400);
    struct Case {
        std::function<void(HWND)> press;
        int expected;
    } cases[] = {
        {[](HWND q) { press_key(q, VK_RETURN); }, kQuitIncomplete},
        {[](HWND q) { click_button(q, IDOK); }, kQuitIncomplete},
        {[](HWND q) { click_button(q, IDC_QUIT_COMPLETE); }, kQuitComplete},
        {[](HWND q) { click_button(q, IDCANCEL); }, kQuitDontQuit},
        {[](HWND q) { press_key(q, VK_ESCAPE); }, kQuitDontQuit},
    };
    for (const Case& c : cases) {
        RECT rect = {};
        std::string yes;
        DialogWatcher watcher([&] {
            HWND question = wait_for_dialog("Uninstallation Incomplete");
            if (question == nullptr)
                return;
            rect = window_rect(question);
            yes = control_text(question, IDOK);
            c.press(question);
        });
        EXPECT_EQ(c.expected, ask_quit(owner.get()));
        watcher.join();
        EXPECT_EQ("Yes", yes);
        EXPECT_EQ(200 + 250 - (rect.right - rect.left) / 2, rect.left);
        EXPECT_EQ(150 + 200 - (rect.bottom - rect.top) / 2, rect.top);
    }
}
