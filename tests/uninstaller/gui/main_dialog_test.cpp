// The uninstaller driven end to end in this process: run_uninstaller with a
// log written for the test, its main dialog, questions and message boxes
// answered from a watcher thread, and the files, the log and its header
// checked afterwards. The Windows directory is a scratch directory and the
// restart of Windows is recorded, never performed.
#include "uninstaller/core/uninstaller_entry.h"
#include "uninstaller/res/resource.h"

#include "tests/uninstaller/gui/dialog_driver.h"
#include "tests/uninstaller/gui/log_builder.h"
#include "tests/uninstaller/gui/recording_entry_system.h"
#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/scratch_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A product directory with its log, and a Windows directory.
class Installation {
public:
    Installation() : root_("main")
    {
        product = root_ / "Product";
        windows = root_ / "Windows";
        CreateDirectoryA(product.c_str(), nullptr);
        CreateDirectoryA(windows.c_str(), nullptr);
        log_path = product + "\\uxlog.ini";
        working_path = windows + "\\uxlog.ini";
    }
    std::string file(const std::string& name) const { return product + "\\" + name; }
    void write_log(const LogBuilder& log) { write_file(log_path, log.bytes()); }

    // Runs the program with the argument while `drive` works the dialogs.
    int run(const std::string& argument, std::function<void()> drive)
    {
        RecordingEntrySystem system(windows);
        int exit_code = 0;
        {
            DialogWatcher watcher(drive);
            exit_code = run_uninstaller(GetModuleHandleA(nullptr), argument.c_str(), system);
        }
        restarts = system.restarts;
        return exit_code;
    }

    std::string product, windows, log_path, working_path;
    int restarts = 0;

private:
    ScratchDir root_;
};

const char kMainCaption[] = "Halbern Uninstaller - [Demo]";

bool wait_until(std::function<bool()> condition, DWORD timeout_ms = 10000)
{
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeout_ms)
            return false;
        Sleep(20);
    }
    return true;
}

HWND control(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

bool checked(HWND dialog, int id)
{
    return SendMessageA(control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool enabled(HWND dialog, int id)
{
    return IsWindowEnabled(control(dialog, id)) != 0;
}

// The radio buttons 102..106 as "checked/enabled" letters: C checked,
// E enabled, - neither, for example "CE E - - -".
std::string radio_state(HWND dialog)
{
    std::string text;
    for (int id = IDC_WILLUNDO; id <= IDC_UNDONEFAILED; ++id) {
        if (!text.empty())
            text += ' ';
        std::string one = std::string(checked(dialog, id) ? "C" : "") + (enabled(dialog, id) ? "E" : "");
        text += one.empty() ? "-" : one;
    }
    return text;
}

// Selects a list item as the user would: the list box changes its
// selection and notifies the dialog.
void select_item(HWND dialog, int index)
{
    HWND list = control(dialog, IDC_OPLIST);
    SendMessageA(list, LB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_OPLIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Ids and visibility of the controls between frame 107 and the Start
// button in the z-order: the shown panel.
std::vector<int> shown_panel(HWND dialog)
{
    std::vector<int> ids;
    HWND start = control(dialog, IDC_START);
    for (HWND window = GetWindow(control(dialog, IDC_PANELFRAME), GW_HWNDNEXT); window != nullptr && window != start;
         window = GetWindow(window, GW_HWNDNEXT)) {
        int id = static_cast<short>(GetDlgCtrlID(window));   // the statics have id -1 (0xFFFF)
        ids.push_back(IsWindowVisible(window) ? id : -1000);
    }
    return ids;
}

POINT offset_between(HWND dialog, HWND anchor, HWND window)
{
    RECT a = window_rect(anchor), w = window_rect(window);
    (void)dialog;
    return POINT{w.left - a.left, w.top - a.top};
}

void answer_warning(bool yes, std::string* text = nullptr)
{
    HWND box = wait_for_dialog("Warning");
    ASSERT_NE(nullptr, box);
    if (text != nullptr)
        *text = control_text(box, 102);
    click_button(box, yes ? 103 : 104);
    ASSERT_TRUE(wait_until_closed(box));
}

std::string header_of(const std::string& path)
{
    return read_file(path).substr(0, 12);
}

}  // namespace

TEST(MainDialog, EmptyLogDisablesEverythingAndQuitReturnsTheLog)
{
    ScopedRecordingReports reports;
    Installation setup;
    setup.write_log(LogBuilder("Demo"));
    std::string radios;
    bool start_enabled = true, reset_enabled = true;
    LRESULT count = -1;
    int exit_code = setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        count = SendMessageA(control(main, IDC_OPLIST), LB_GETCOUNT, 0, 0);
        radios = radio_state(main);
        start_enabled = enabled(main, IDC_START);
        reset_enabled = enabled(main, IDC_RESET);
        EXPECT_FALSE(exists(setup.log_path)) << "fetched into the Windows directory";
        EXPECT_TRUE(exists(setup.working_path));
        click_button(main, IDC_QUIT);
    });
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ(0, count);
    EXPECT_EQ("- - - - -", radios);
    EXPECT_FALSE(start_enabled);
    EXPECT_FALSE(reset_enabled);
    EXPECT_TRUE(exists(setup.log_path)) << "quit before any run: incomplete, log returned";
    EXPECT_FALSE(exists(setup.working_path));
    EXPECT_EQ(std::string(12, '\0'), header_of(setup.log_path));
    EXPECT_EQ(LogBuilder("Demo").bytes(), read_file(setup.log_path));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(MainDialog, SelectionSwitchesPanelsWithTheirCounts)
{
    ScopedRecordingReports reports;
    Installation setup;
    std::string ini = setup.file("demo.ini");
    setup.write_log(LogBuilder("Demo")
                        .make_dir(setup.file("data"))                                   // 0: panel 110, 2
                        .rename_file(setup.file("old.txt"), setup.file("new.txt"))     // 1: panel 112, 4
                        .delete_ini_entry(ini, "Fonts", "Face", "Helv", 1)             // 2: panel 130, 10
                        .add_ini_section(ini, "Fonts")                                 // 3: panel 130, 4
                        .delete_file(setup.file("gone.txt")));                         // 4: panel 115, 2
    std::vector<int> first, rename, ini_entry, ini_section, deleted;
    std::string dir_text, old_text, new_text, ini_value, section_text;
    POINT rename_before = {}, rename_after = {}, edit_before = {}, edit_after = {};
    bool surplus_at_home = false, surplus_hidden = false, surplus_in_order = false;
    std::string title;
    int exit_code = setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        title = window_text(main);
        HWND frame = control(main, IDC_PANELFRAME);
        first = shown_panel(main);
        dir_text = control_text(main, IDC_DIR_PATH);
        rename_before = offset_between(main, control(main, IDC_RENAME_PANEL), control(main, IDC_RENAME_OLD));
        edit_before = offset_between(main, control(main, IDC_INI_PANEL), control(main, IDC_INI_VALUE));

        select_item(main, 1);
        rename = shown_panel(main);
        old_text = control_text(main, IDC_RENAME_OLD);
        new_text = control_text(main, IDC_RENAME_NEW);
        rename_after = offset_between(main, frame, control(main, IDC_RENAME_OLD));

        select_item(main, 2);
        ini_entry = shown_panel(main);
        ini_value = control_text(main, IDC_INI_VALUE);
        edit_after = offset_between(main, frame, control(main, IDC_INI_VALUE));

        select_item(main, 3);   // the same panel with fewer controls
        ini_section = shown_panel(main);
        section_text = control_text(main, IDC_INI_SECTION);
        POINT home = offset_between(main, control(main, IDC_INI_PANEL), control(main, IDC_INI_VALUE));
        surplus_at_home = home.x == edit_before.x && home.y == edit_before.y;
        surplus_hidden = !IsWindowVisible(control(main, IDC_INI_VALUE));
        surplus_in_order = GetWindow(control(main, IDC_INI_PANEL), GW_HWNDNEXT) ==
                           GetWindow(control(main, IDC_INI_ENTRY), GW_HWNDPREV);

        select_item(main, 2);   // and back to more controls of the same panel
        EXPECT_EQ(ini_entry, shown_panel(main));

        select_item(main, 4);
        deleted = shown_panel(main);
        EXPECT_FALSE(IsWindowVisible(control(main, IDC_INI_FILE)));
        click_button(main, IDC_QUIT);
    });
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ("Halbern Uninstaller - [Demo]", title);
    EXPECT_EQ((std::vector<int>{-1, IDC_DIR_PATH}), first);
    EXPECT_EQ(setup.file("data"), dir_text);
    EXPECT_EQ((std::vector<int>{-1, IDC_RENAME_OLD, -1, IDC_RENAME_NEW}), rename);
    EXPECT_EQ(setup.file("old.txt"), old_text);
    EXPECT_EQ(setup.file("new.txt"), new_text);
    EXPECT_EQ(rename_before.x, rename_after.x) << "the offset to the anchor is kept";
    EXPECT_EQ(rename_before.y, rename_after.y);
    EXPECT_EQ((std::vector<int>{-1, IDC_INI_FILE, -1, IDC_INI_SECTION, -1, IDC_INI_ENTRY, -1, IDC_INI_SEQUENCE, -1,
                                IDC_INI_VALUE}),
              ini_entry);
    EXPECT_EQ("Helv", ini_value);
    EXPECT_EQ(edit_before.x, edit_after.x);
    EXPECT_EQ(edit_before.y, edit_after.y);
    EXPECT_EQ((std::vector<int>{-1, IDC_INI_FILE, -1, IDC_INI_SECTION}), ini_section);
    EXPECT_EQ("Fonts", section_text);
    EXPECT_TRUE(surplus_at_home) << "surplus controls go back under their group box";
    EXPECT_TRUE(surplus_hidden);
    EXPECT_TRUE(surplus_in_order) << "directly after the group box, in their order";
    EXPECT_EQ((std::vector<int>{-1, IDC_PATH_PATH}), deleted);
}

TEST(MainDialog, RadioButtonsFollowTheSelectedRecord)
{
    ScopedRecordingReports reports;
    Installation setup;
    setup.write_log(LogBuilder("Demo")
                        .create_file(setup.file("a.txt"))
                        .delete_file(setup.file("gone.txt"))
                        .install_create_file("A:\\setup\\x.dll", setup.file("x.dll"), 0));
    std::string will, wont, back, cant, install_wont;
    setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        will = radio_state(main);
        click_button(main, IDC_WONTUNDO);
        wait_until([&] { return checked(main, IDC_WONTUNDO); });
        wont = radio_state(main);
        click_button(main, IDC_WILLUNDO);
        wait_until([&] { return checked(main, IDC_WILLUNDO); });
        back = radio_state(main);
        select_item(main, 1);
        cant = radio_state(main);
        select_item(main, 2);
        install_wont = radio_state(main);
        click_button(main, IDC_QUIT);
    });
    EXPECT_EQ("CE E - - -", will);
    EXPECT_EQ("E CE - - -", wont);
    EXPECT_EQ("CE E - - -", back);
    EXPECT_EQ("- - CE - -", cant);
    EXPECT_EQ("E CE - - -", install_wont) << "uninstall flag 0: won't be undone";
}

TEST(MainDialog, StartConfirmStopResumeRestartAndCompleteQuit)
{
    ScopedRecordingReports reports;
    Installation setup;
    LogBuilder log("Demo");
    const int kFiles = 8;
    for (int i = 0; i < kFiles; ++i) {
        std::string name = setup.file("f" + std::to_string(i) + ".txt");
        write_file(name, "x");
        log.create_file(name);
    }
    log.delete_file(setup.file("gone.txt"));   // can't be undone: no obstacle to completion
    setup.write_log(log);
    std::string warning, label_after_no, label_running, label_stopped, label_finished;
    bool disabled_while_running = false, enabled_after = false, asked_again = false;
    int left_after_stop = -1;
    auto files_left = [&] {
        int left = 0;
        for (int i = 0; i < kFiles; ++i)
            left += exists(setup.file("f" + std::to_string(i) + ".txt")) ? 1 : 0;
        return left;
    };
    int exit_code = setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        click_button(main, IDC_START);
        answer_warning(false, &warning);
        Sleep(200);
        label_after_no = control_text(main, IDC_START);
        EXPECT_EQ(kFiles, files_left()) << "No: nothing undone";

        click_button(main, IDC_START);
        answer_warning(true);
        ASSERT_TRUE(wait_until([&] { return files_left() < kFiles; }));
        label_running = control_text(main, IDC_START);
        disabled_while_running = !enabled(main, IDC_QUIT) && !enabled(main, IDC_RESET) &&
                                 !enabled(main, IDC_ABOUT) && radio_state(main).find('E') == std::string::npos;
        click_button(main, IDC_START);   // "&Stop"
        ASSERT_TRUE(wait_until([&] { return control_text(main, IDC_START) == "&Resume"; }));
        label_stopped = control_text(main, IDC_START);
        left_after_stop = files_left();
        Sleep(300);
        EXPECT_EQ(left_after_stop, files_left()) << "stopped: nothing more is undone";

        click_button(main, IDC_START);   // "&Resume": no confirmation this time
        asked_again = wait_for_dialog("Warning", 500) != nullptr;
        ASSERT_TRUE(wait_until([&] { return control_text(main, IDC_START) == "&Restart"; }));
        label_finished = control_text(main, IDC_START);
        enabled_after = enabled(main, IDC_QUIT) && enabled(main, IDC_RESET) && enabled(main, IDC_ABOUT);
        click_button(main, IDC_QUIT);    // everything undone: no question
    });
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ("This will remove Demo from your system\n\nContinue?", warning);
    EXPECT_EQ("&Start", label_after_no);
    EXPECT_EQ("&Stop", label_running);
    EXPECT_TRUE(disabled_while_running);
    EXPECT_EQ("&Resume", label_stopped);
    EXPECT_GT(left_after_stop, 0);
    EXPECT_LT(left_after_stop, kFiles);
    EXPECT_FALSE(asked_again);
    EXPECT_EQ("&Restart", label_finished);
    EXPECT_TRUE(enabled_after);
    EXPECT_EQ(0, files_left());
    EXPECT_FALSE(exists(setup.working_path)) << "complete: the log is deleted";
    EXPECT_FALSE(exists(setup.log_path));
    EXPECT_EQ(0, setup.restarts);
    EXPECT_TRUE(reports->errors.empty()) << "the run is quiet";
}

TEST(MainDialog, FailedUndoAsksTheQuitQuestionAndResetStartsAfresh)
{
    ScopedRecordingReports reports;
    Installation setup;
    std::string busy = setup.file("busy.dll");
    std::string free_file = setup.file("free.txt");
    write_file(busy, "b");
    write_file(free_file, "f");
    setup.write_log(LogBuilder("Demo").create_file(busy).create_file(free_file));
    HANDLE hold = CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hold);
    std::string failed_radios, after_reset, question_text;
    bool stayed_open = false;
    int exit_code = setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        click_button(main, IDC_START);
        answer_warning(true);
        ASSERT_TRUE(wait_until([&] { return control_text(main, IDC_START) == "&Restart"; }));
        failed_radios = radio_state(main);   // the run ends on record 0, the busy file

        click_button(main, IDC_QUIT);
        HWND question = wait_for_dialog("Uninstallation Incomplete");
        ASSERT_NE(nullptr, question);
        question_text = control_text(question, -1);
        press_key(question, VK_ESCAPE);   // "No, don't quit"
        ASSERT_TRUE(wait_until_closed(question));
        stayed_open = IsWindow(main) != 0;

        click_button(main, IDC_RESET);
        ASSERT_TRUE(wait_until([&] { return checked(main, IDC_WILLUNDO); }));
        after_reset = radio_state(main);
        // The user writes a new log into the product directory meanwhile:
        // it is set aside when the log comes back.
        write_file(setup.log_path, "newer log");

        click_button(main, IDC_QUIT);
        question = wait_for_dialog("Uninstallation Incomplete");
        ASSERT_NE(nullptr, question);
        press_key(question, VK_RETURN);   // the default: "Yes, and consider uninstallation incomplete"
    });
    CloseHandle(hold);
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ("- - - - CE", failed_radios);
    EXPECT_TRUE(stayed_open);
    EXPECT_EQ("Uninstallation Incomplete", question_text);
    EXPECT_EQ("CE E - - -", after_reset);
    EXPECT_TRUE(exists(busy));
    EXPECT_FALSE(exists(free_file));
    EXPECT_EQ("newer log", read_file(setup.product + "\\uxlog.bak"));
    std::string header = std::string("uxlog.bak") + std::string(3, '\0');
    EXPECT_EQ(header, header_of(setup.log_path)) << "the returned log names the file it set aside";
    EXPECT_EQ(LogBuilder("Demo").create_file(busy).create_file(free_file).bytes().substr(12),
              read_file(setup.log_path).substr(12));
    EXPECT_FALSE(exists(setup.working_path));
}

TEST(MainDialog, QuitQuestionCanCallItComplete)
{
    ScopedRecordingReports reports;
    Installation setup;
    std::string busy = setup.file("busy.dll");
    write_file(busy, "b");
    setup.write_log(LogBuilder("Demo").create_file(busy));
    HANDLE hold = CreateFileA(busy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    int exit_code = setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        click_button(main, IDC_START);
        answer_warning(true);
        ASSERT_TRUE(wait_until([&] { return control_text(main, IDC_START) == "&Restart"; }));
        click_button(main, IDC_QUIT);
        HWND question = wait_for_dialog("Uninstallation Incomplete");
        ASSERT_NE(nullptr, question);
        click_button(question, IDC_QUIT_COMPLETE);
    });
    CloseHandle(hold);
    EXPECT_EQ(0, exit_code);
    EXPECT_FALSE(exists(setup.working_path));
    EXPECT_FALSE(exists(setup.log_path));
}

TEST(MainDialog, FileScheduledForDeletionAtRestartAnnouncesTheReboot)
{
    ScopedRecordingReports reports;
    Installation setup;
    char system_dir[MAX_PATH];
    GetSystemDirectoryA(system_dir, sizeof system_dir);
    std::string shared = std::string(system_dir) + "\\ravtest" + std::to_string(GetCurrentProcessId()) + ".dll";
    write_file(shared, "shared");
    const char* shared_dlls = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SharedDLLs";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, shared_dlls, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    DWORD one = 1;
    RegSetValueExA(key, shared.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    setup.write_log(LogBuilder("Demo").install_create_file("A:\\disk1\\ravtest.dll", shared, 1));
    HANDLE hold = CreateFileA(shared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string shared_question, delete_label, reboot_text, reboot_label;
    int exit_code = setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        click_button(main, IDC_START);
        answer_warning(true);
        HWND question = wait_for_dialog("Delete Shared File");
        ASSERT_NE(nullptr, question);
        shared_question = control_text(question, 102);
        delete_label = control_text(question, 103);
        click_button(question, 103);   // "Delete": the file is in use, so at the next start
        ASSERT_TRUE(wait_until([&] { return control_text(main, IDC_START) == "&Restart"; }));
        click_button(main, IDC_QUIT);
        HWND reboot = wait_for_dialog("Reboot");
        ASSERT_NE(nullptr, reboot);
        reboot_text = control_text(reboot, 102);
        reboot_label = control_text(reboot, 103);
        press_key(reboot, VK_ESCAPE);   // Esc is the only button too: the reboot follows
    });
    CloseHandle(hold);
    DWORD type = 0, size = 0;
    LONG field = RegQueryValueExA(key, shared.c_str(), nullptr, &type, nullptr, &size);
    RegCloseKey(key);
    DeleteFileA(shared.c_str());
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ("The reference count of " + shared +
                  " has reached zero. Would you like to delete it?\nWarning: some older applications may not run "
                  "without it. Contact your system manager if needed.",
              shared_question);
    EXPECT_EQ("Delete", delete_label);
    EXPECT_NE(ERROR_SUCCESS, field) << "the count of 1 was removed";
    EXPECT_EQ("We need to reboot Windows for the changes to take effect", reboot_text);
    EXPECT_EQ("&OK", reboot_label);
    EXPECT_EQ(1, setup.restarts);
    EXPECT_FALSE(exists(setup.working_path));
}

TEST(MainDialog, FetchPutsTheSetAsideLogBack)
{
    ScopedRecordingReports reports;
    Installation setup;
    setup.write_log(LogBuilder("Demo", "uxlog.bak"));
    write_file(setup.file("uxlog.bak"), "older log");
    std::string during;
    int exit_code = setup.run(setup.product + "\\SETUP.LOG", [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        during = read_file(setup.log_path);
        click_button(main, IDC_QUIT);
    });
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ("older log", during) << "the older log is back under the log's name while the dialog runs";
    EXPECT_EQ("older log", read_file(setup.file("uxlog.bak"))) << "and set aside again at the return";
    EXPECT_EQ(std::string("uxlog.bak") + std::string(3, '\0'), header_of(setup.log_path));
}

TEST(MainDialog, LogInTheWindowsDirectoryIsNeitherMovedNorReturned)
{
    ScopedRecordingReports reports;
    Installation setup;
    write_file(setup.working_path, LogBuilder("Demo").bytes());
    int exit_code = setup.run(setup.windows + "\\", [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        click_button(main, IDC_QUIT);
    });
    EXPECT_EQ(0, exit_code);
    EXPECT_EQ(LogBuilder("Demo").bytes(), read_file(setup.working_path));
}

TEST(MainDialog, AboutBoxOpensOverTheMainDialog)
{
    ScopedRecordingReports reports;
    Installation setup;
    setup.write_log(LogBuilder("Demo"));
    bool about_seen = false;
    setup.run(setup.log_path, [&] {
        HWND main = wait_for_dialog(kMainCaption);
        ASSERT_NE(nullptr, main);
        click_button(main, IDC_ABOUT);
        HWND about = wait_for_dialog("About");
        ASSERT_NE(nullptr, about);
        about_seen = GetWindow(about, GW_OWNER) == main;
        press_key(about, VK_RETURN);
        ASSERT_TRUE(wait_until_closed(about));
        click_button(main, IDC_QUIT);
    });
    EXPECT_TRUE(about_seen);
}

TEST(Entry, UsageAndUnmovableLogEndWithCodeOne)
{
    ScopedRecordingReports reports;
    Installation setup;
    setup.write_log(LogBuilder("Demo"));
    EXPECT_EQ(1, setup.run("", [] {}));
    // A quoted argument keeps its quotes: its directory does not exist.
    EXPECT_EQ(1, setup.run("\"" + setup.log_path + "\"", [] {}));
    ASSERT_EQ(3u, reports->errors.size());
    EXPECT_EQ("Usage: ravelup <logfile>", reports->errors[0]);
    // The move reports its own failure first.
    EXPECT_EQ("File \"" + setup.product + "\\uxlog.ini not found", reports->errors[1]);
    EXPECT_EQ("Unable to move the uxlog.ini", reports->errors[2]);
    EXPECT_TRUE(exists(setup.log_path)) << "the log stays where it was";
}

TEST(Entry, UnreadableLogEndsTheDialogAndReturnsTheLog)
{
    ScopedRecordingReports reports;
    Installation setup;
    std::string bad = std::string(12, '\0') + std::string("\x01\x00\x00\x00", 4) + "x";
    write_file(setup.log_path, bad);
    EXPECT_EQ(0, setup.run(setup.log_path, [] {}));
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Incorrect version of log file", reports->errors[0]);
    EXPECT_EQ(bad, read_file(setup.log_path));
    EXPECT_FALSE(exists(setup.working_path));
}
