// The add-word and search dialogs, in-process under Wine: the real
// CAddWordDlg and CSearchWordDlg with the real templates, run by the real
// Words > Add and Words > Search commands (RunAddWordLoop, RunSearchLoop)
// on this thread, and driven from a watcher thread the way a user would:
// texts typed into the edit controls, buttons clicked, list entries
// double-clicked, message boxes and the conjugation result answered.
// Every test works on a fresh dictionary in a private current folder, and
// the table and indexes must agree at its end.
#include "tests/dialogs/word_test_dictionary.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/windows_path.h"
#include "tests/support/recording_presenter.h"
#include "translator/app/word_commands.h"
#include "translator/dialogs/word_dialog_ids.h"
#include "translator/dialogs/word_ops.h"
#include "translator/translate/translate_resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace {

const char kAddCaption[] = "Add a word to the main dictionary";
const char kSearchCaption[] = "Search a Word";
const char kConjugationCaption[] = "Conjuged result";
const int kMessageBoxTextId = 0xFFFF;

struct OwnedPopupSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedPopup(HWND hwnd, LPARAM lparam)
{
    OwnedPopupSearch* search = reinterpret_cast<OwnedPopupSearch*>(lparam);
    if (IsWindowVisible(hwnd) && GetWindow(hwnd, GW_OWNER) == search->owner) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible window owned by owner (a message box or a dialog it opened).
HWND FindOwnedPopup(HWND owner)
{
    OwnedPopupSearch search = {owner, nullptr};
    EnumWindows(MatchOwnedPopup, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForOwnedPopup(HWND owner, DWORD timeout_ms = 5000)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND popup = FindOwnedPopup(owner);
        if (popup || GetTickCount() - start > timeout_ms) return popup;
        Sleep(10);
    }
}

// Waits for a window with caption other than previous (a dialog shown again).
HWND WaitForNewWindow(const std::string& caption, HWND previous, DWORD timeout_ms = 5000)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindOwnWindow(caption);
        if ((hwnd && hwnd != previous) || GetTickCount() - start > timeout_ms) return hwnd != previous ? hwnd : nullptr;
        Sleep(10);
    }
}

HWND FocusOfThreadOf(HWND hwnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// The focus of the dialog's thread once it has come back from a message box
// that was just answered: the dialog's thread gets there a moment after the
// box has gone, so wait up to two seconds for the expected field.
// On a display without a window manager the X server may afterwards move
// its input focus away from the program's windows, and the dialog is then
// deactivated with no focus anywhere. The dialog keeps the control that had
// the focus and gives it back when it is active again: in that case the
// dialog is activated again and the focus it gives back is the answer.
HWND FocusAfterMessageBox(HWND dialog, int expected_field)
{
    HWND field = GetDlgItem(dialog, expected_field);
    for (int wait = 0; wait < 40 && FocusOfThreadOf(dialog) != field; ++wait) Sleep(50);
    if (FocusOfThreadOf(dialog) == nullptr && GetForegroundWindow() != dialog) {
        SetForegroundWindow(dialog);
        for (int wait = 0; wait < 40 && FocusOfThreadOf(dialog) != field; ++wait) Sleep(50);
    }
    return FocusOfThreadOf(dialog);
}

// The controls of one dialog window, seen from the watcher thread.
class DialogDriver {
public:
    explicit DialogDriver(HWND dialog) : dialog_(dialog) {}
    HWND hwnd() const { return dialog_; }

    void Type(int id, const std::string& text)
    {
        SendMessageA(GetDlgItem(dialog_, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    std::string Text(int id) const { return ItemText(dialog_, id); }
    // A click whose handler opens no window: returns when it has run.
    void Click(int id)
    {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }
    // A click whose handler opens a modal window or ends the dialog.
    void PostClick(int id)
    {
        PostMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog_, id)));
    }
    // Waits until the dialog's thread is back in its message loop.
    void Sync() { SendMessageA(dialog_, WM_NULL, 0, 0); }

    // Answers the message box or dialog the last click opened: its text
    // (static 0xFFFF for a message box) is returned and it is closed with OK.
    std::string AnswerPopup(int text_id = kMessageBoxTextId)
    {
        HWND popup = WaitForOwnedPopup(dialog_);
        if (!popup) {
            ADD_FAILURE() << "no window opened";
            return std::string();
        }
        last_popup_caption = WindowText(popup);
        std::string text = ItemText(popup, text_id);
        last_popup_texts.clear();
        for (int id : {IDC_CONJUGATION_INFINITIVE, IDC_CONJUGATION_TRANSLATED, IDC_CONJUGATION_TENSE})
            last_popup_texts.push_back(ItemText(popup, id));
        PostMessageA(popup, WM_COMMAND, IDOK, 0);
        DWORD start = GetTickCount();
        while (IsWindow(popup) && GetTickCount() - start < 5000) Sleep(10);
        Sync();
        return text;
    }

    std::vector<std::string> ListTexts() const
    {
        HWND list = GetDlgItem(dialog_, IDC_SEARCH_LIST);
        std::vector<std::string> texts;
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[64] = {};
            SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            texts.push_back(text);
        }
        return texts;
    }
    std::vector<int32_t> ListRecords() const
    {
        HWND list = GetDlgItem(dialog_, IDC_SEARCH_LIST);
        std::vector<int32_t> records;
        LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i)
            records.push_back(static_cast<int32_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
        return records;
    }
    // Selects the list entry at index and double-clicks it.
    void DoubleClickEntry(int index)
    {
        HWND list = GetDlgItem(dialog_, IDC_SEARCH_LIST);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SEARCH_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    }

    std::string last_popup_caption;
    std::vector<std::string> last_popup_texts;

private:
    HWND dialog_;
};

class WordDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, previous);
        previous_dir_ = previous;
        ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));
        ASSERT_EQ(0, CreateDictionary(files_, 2026, 1, 1));
    }
    void TearDown() override
    {
        ExpectConsistent(files_);
        SetCurrentDirectoryA(previous_dir_.c_str());
    }

    // Runs command (a word command, on this thread) while script drives its
    // dialogs from a watcher thread. Whatever the script leaves open is
    // cancelled afterwards, so a failed step cannot hang the test.
    void Run(void (*command)(), const std::function<void()>& script)
    {
        std::atomic<bool> command_done(false);
        Watcher watcher([&] {
            script();
            DWORD start = GetTickCount();
            while (!command_done && GetTickCount() - start < 10000) {
                for (HWND hwnd : OwnTopLevelWindows()) PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
                Sleep(50);
            }
        });
        command();
        command_done = true;
        watcher.Join();
    }

    // Adds pairs directly (the dictionary a search scenario starts from).
    void Given(const std::vector<std::vector<const char*>>& pairs)
    {
        for (const auto& p : pairs) ASSERT_EQ(0, AddWordRecord(p[0], p[1], p[2], files_));
    }

    TempFolder folder_;
    std::string previous_dir_;
    DictionaryFiles files_;   // bare names: the current folder, as the program uses them
    ScopedRecordingPresenter messages_;
};

}  // namespace

// ---- The add-word dialog ----------------------------------------------------

TEST_F(WordDialogsTest, AddDialogHasItsTemplateAndStartsEmpty)
{
    Run(RunAddWordLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kAddCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver add(hwnd);
        EXPECT_EQ("Add", add.Text(IDOK));
        EXPECT_EQ("Cancel/Exit", add.Text(IDCANCEL));
        EXPECT_EQ("", add.Text(IDC_WORD_CLASS));
        EXPECT_EQ("", add.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("", add.Text(IDC_WORD_ENGLISH));
        EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(hwnd, IDOK), GWL_STYLE) & BS_DEFPUSHBUTTON);
        add.PostClick(IDCANCEL);
    });
    EXPECT_EQ(0u, TableRecords(files_));
}

TEST_F(WordDialogsTest, AddChecksTheLimitsInFieldOrderAndAddsNothingUntilTheyFit)
{
    Run(RunAddWordLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kAddCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver add(hwnd);
        add.Type(IDC_WORD_ENGLISH, "abcdefghijklmnopqrstuv");   // 22
        add.Type(IDC_WORD_CLASS, "nombre");                       // 6
        add.Type(IDC_WORD_SPANISH, "abcdefghijklmnopqrstuvw");  // 23
        struct Step {
            int field;
            const char* limit_text;
            const char* fixed;
        } steps[] = {
            {IDC_WORD_SPANISH, "Please enter no more than 21 characters.", "casa"},
            {IDC_WORD_CLASS, "Please enter no more than 5 characters.", "n"},
            {IDC_WORD_ENGLISH, "Please enter no more than 21 characters.", "house"},
        };
        for (const Step& step : steps) {
            add.PostClick(IDOK);
            EXPECT_EQ(step.limit_text, add.AnswerPopup());
            EXPECT_EQ(GetDlgItem(hwnd, step.field), FocusAfterMessageBox(hwnd, step.field));
            EXPECT_TRUE(IsWindow(hwnd));   // the dialog stays open
            EXPECT_EQ(0u, TableRecords(files_));
            add.Type(step.field, step.fixed);
        }
        add.PostClick(IDOK);
        HWND again = WaitForNewWindow(kAddCaption, hwnd);
        ASSERT_NE(again, nullptr);
        DialogDriver(again).PostClick(IDCANCEL);
    });
    ASSERT_EQ(1u, TableRecords(files_));
    EXPECT_EQ("house", ReadStoredRecord(files_, 1).english);
    EXPECT_TRUE(messages_->Messages().empty());
}

TEST_F(WordDialogsTest, AddStoresLowercaseAndShowsTheTypedTextsAgain)
{
    Run(RunAddWordLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kAddCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver add(hwnd);
        add.Type(IDC_WORD_CLASS, "n");
        add.Type(IDC_WORD_SPANISH, "Casa");
        add.Type(IDC_WORD_ENGLISH, "House");
        add.PostClick(IDOK);
        HWND again = WaitForNewWindow(kAddCaption, hwnd);
        ASSERT_NE(again, nullptr);
        DialogDriver second(again);
        EXPECT_EQ("House", second.Text(IDC_WORD_ENGLISH));
        EXPECT_EQ("Casa", second.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("n", second.Text(IDC_WORD_CLASS));
        // Two more Adds of the same texts: three records with equal keys.
        second.PostClick(IDOK);
        HWND third = WaitForNewWindow(kAddCaption, again);
        ASSERT_NE(third, nullptr);
        DialogDriver(third).PostClick(IDOK);
        HWND fourth = WaitForNewWindow(kAddCaption, third);
        ASSERT_NE(fourth, nullptr);
        DialogDriver(fourth).PostClick(IDCANCEL);
    });
    ASSERT_EQ(3u, TableRecords(files_));
    StoredRecord record = ReadStoredRecord(files_, 1);
    EXPECT_EQ("house", record.english);
    EXPECT_EQ("casa", record.spanish);
    EXPECT_EQ("n", record.word_class);
    EXPECT_EQ((std::vector<int32_t>{3, 2, 1}), RecordsKeyedAs(files_.english_index, Key21("house")));
    EXPECT_EQ((std::vector<int32_t>{3, 2, 1}), RecordsKeyedAs(files_.spanish_index, Key21("casa")));
}

TEST_F(WordDialogsTest, AddAccentedCapitalAccentedAndEmptyFields)
{
    Run(RunAddWordLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kAddCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver add(hwnd);
        add.Type(IDC_WORD_CLASS, "n");
        add.Type(IDC_WORD_SPANISH, "canci\xF3n");
        add.Type(IDC_WORD_ENGLISH, "song");
        add.PostClick(IDOK);
        HWND second = WaitForNewWindow(kAddCaption, hwnd);
        ASSERT_NE(second, nullptr);
        DialogDriver add2(second);
        add2.Type(IDC_WORD_SPANISH, "\xC1RBOL");
        add2.Type(IDC_WORD_ENGLISH, "Tree");
        add2.PostClick(IDOK);
        HWND third = WaitForNewWindow(kAddCaption, second);
        ASSERT_NE(third, nullptr);
        DialogDriver add3(third);
        add3.Type(IDC_WORD_CLASS, "");
        add3.Type(IDC_WORD_SPANISH, "");
        add3.Type(IDC_WORD_ENGLISH, "");
        add3.PostClick(IDOK);
        HWND fourth = WaitForNewWindow(kAddCaption, third);
        ASSERT_NE(fourth, nullptr);
        DialogDriver(fourth).PostClick(IDCANCEL);
    });
    ASSERT_EQ(3u, TableRecords(files_));
    EXPECT_EQ("canci\xA2n", ReadStoredRecord(files_, 1).spanish);
    EXPECT_EQ("\xC1rbol", ReadStoredRecord(files_, 2).spanish);
    EXPECT_EQ("tree", ReadStoredRecord(files_, 2).english);
    std::string empty_key(1, '\0');
    empty_key += std::string(20, ' ');
    EXPECT_EQ(std::vector<int32_t>{3}, RecordsKeyedAs(files_.english_index, empty_key));
    EXPECT_EQ(std::vector<int32_t>{3}, RecordsKeyedAs(files_.spanish_index, empty_key));
}

TEST_F(WordDialogsTest, AddWithoutTheSpanishIndexShowsItsMessageAndTheDialogComesBack)
{
    ASSERT_TRUE(DeleteFileA(files_.spanish_index.c_str()));
    Run(RunAddWordLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kAddCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver add(hwnd);
        add.Type(IDC_WORD_SPANISH, "casa");
        add.Type(IDC_WORD_ENGLISH, "house");
        add.PostClick(IDOK);
        HWND again = WaitForNewWindow(kAddCaption, hwnd);
        ASSERT_NE(again, nullptr);
        EXPECT_EQ("house", DialogDriver(again).Text(IDC_WORD_ENGLISH));
        DialogDriver(again).PostClick(IDCANCEL);
    });
    ASSERT_EQ(std::vector<std::string>{"Error Abriendo indice Castellano"}, messages_->Errors());
    EXPECT_EQ(0u, TableRecords(files_));   // refused before anything was written
    ASSERT_EQ(0, Reindex(files_, nullptr));
}

// ---- The search dialog --------------------------------------------------------

TEST_F(WordDialogsTest, SearchOpensBlankAndNeedsExactlyOneWord)
{
    Given({{"n", "casa", "house"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        EXPECT_EQ("", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ("Search", search.Text(IDOK));
        EXPECT_TRUE(GetWindowLongPtrA(GetDlgItem(hwnd, IDC_SEARCH_LIST), GWL_STYLE) & LBS_SORT);

        search.Type(IDC_WORD_CLASS, "n");
        search.Click(IDOK);
        EXPECT_EQ(std::vector<std::string>{"You must fill at least one field to perform a search"},
                  messages_->Errors());
        EXPECT_EQ("", search.Text(IDC_SEARCH_STATUS));

        search.Type(IDC_WORD_CLASS, "");
        search.Type(IDC_WORD_ENGLISH, "house");
        search.Type(IDC_WORD_SPANISH, "perro");
        search.Click(IDOK);   // both words: nothing at all
        EXPECT_EQ(1u, messages_->Messages().size());
        EXPECT_EQ("", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ("perro", search.Text(IDC_WORD_SPANISH));
        EXPECT_TRUE(IsWindow(hwnd));

        // A 22-character word is refused before anything is searched.
        search.Type(IDC_WORD_SPANISH, "");
        search.Type(IDC_WORD_ENGLISH, "abcdefghijklmnopqrstuv");
        search.PostClick(IDOK);
        EXPECT_EQ("Please enter no more than 21 characters.", search.AnswerPopup());
        EXPECT_EQ(GetDlgItem(hwnd, IDC_WORD_ENGLISH), FocusAfterMessageBox(hwnd, IDC_WORD_ENGLISH));
        search.PostClick(IDCANCEL);
    });
}

TEST_F(WordDialogsTest, SearchWithCapitalsShowsTheRecordAndTheClassWithFourCharacters)
{
    Given({{"verbo", "andar", "walk"}, {"n", "casa", "house"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Type(IDC_WORD_ENGLISH, "HOUSE");
        search.Click(IDOK);
        EXPECT_EQ("Register found and displayed", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ("house", search.Text(IDC_WORD_ENGLISH));
        EXPECT_EQ("casa", search.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("n", search.Text(IDC_WORD_CLASS));
        EXPECT_EQ(std::vector<std::string>{"walk                 "}, search.ListTexts());
        EXPECT_EQ(std::vector<int32_t>{1}, search.ListRecords());
        search.Click(IDC_SEARCH_CLEAR);
        EXPECT_EQ(" ", search.Text(IDC_SEARCH_STATUS));
        EXPECT_TRUE(search.ListTexts().empty());
        search.Type(IDC_WORD_SPANISH, "Andar");
        search.Click(IDOK);
        EXPECT_EQ("verb", search.Text(IDC_WORD_CLASS));
        EXPECT_EQ("walk", search.Text(IDC_WORD_ENGLISH));
        search.PostClick(IDCANCEL);
    });
}

TEST_F(WordDialogsTest, AnotherSearchGoesToTheCurrentRecordUntilClear)
{
    Given({{"n", "manzana", "apple"}, {"n", "gato", "cat"}, {"n", "perro", "dog"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Type(IDC_WORD_ENGLISH, "cat");
        search.Click(IDOK);
        ASSERT_EQ("gato", search.Text(IDC_WORD_SPANISH));

        // A new word typed over the record shown (the class field emptied
        // too: a class code would start the search afresh).
        search.Type(IDC_WORD_ENGLISH, "apple");   // cat's entry follows apple's
        search.Type(IDC_WORD_SPANISH, "");
        search.Type(IDC_WORD_CLASS, "");
        search.Click(IDOK);
        EXPECT_EQ("cat", search.Text(IDC_WORD_ENGLISH));
        EXPECT_EQ("Register found and displayed", search.Text(IDC_SEARCH_STATUS));

        search.Type(IDC_WORD_ENGLISH, "dog");     // it does not follow dog's
        search.Type(IDC_WORD_SPANISH, "");
        search.Type(IDC_WORD_CLASS, "");
        search.Click(IDOK);
        EXPECT_EQ("I can't find any match", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ("dog", search.Text(IDC_WORD_ENGLISH));

        search.Click(IDC_SEARCH_CLEAR);
        search.Type(IDC_WORD_ENGLISH, "dog");
        search.Click(IDOK);
        EXPECT_EQ("perro", search.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("Register found and displayed", search.Text(IDC_SEARCH_STATUS));
        search.PostClick(IDCANCEL);
    });
}

TEST_F(WordDialogsTest, WordInThreeRecordsIsBrowsedByDoubleClicks)
{
    Given({{"n", "banco", "bank"}, {"adj", "zeta", "zebra"}, {"v", "depositar", "bank"}, {"n", "orilla", "bank"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Type(IDC_WORD_ENGLISH, "bank");
        search.Click(IDOK);
        EXPECT_EQ("orilla", search.Text(IDC_WORD_SPANISH));   // the first entry: added last
        ASSERT_EQ((std::vector<std::string>{"bank                 ", "bank                 ", "zebra                "}),
                  search.ListTexts());
        std::vector<int32_t> records = search.ListRecords();
        ASSERT_EQ(3u, records.size());
        EXPECT_EQ(2, records[2]);
        // The two bank entries are records 3 and 1, in either order of the sorted list.
        EXPECT_EQ(4, records[0] + records[1]);

        int index_of_record1 = records[0] == 1 ? 0 : 1;
        search.DoubleClickEntry(index_of_record1);
        EXPECT_EQ("banco", search.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("n", search.Text(IDC_WORD_CLASS));
        EXPECT_EQ("Register found and displayed", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ(std::vector<int32_t>{2}, search.ListRecords());

        search.Click(IDC_SEARCH_CLEAR);
        search.Type(IDC_WORD_ENGLISH, "bank");
        search.Click(IDOK);
        records = search.ListRecords();
        int index_of_record3 = records[0] == 3 ? 0 : 1;
        search.DoubleClickEntry(index_of_record3);
        EXPECT_EQ("depositar", search.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("v", search.Text(IDC_WORD_CLASS));
        search.PostClick(IDCANCEL);
    });
}

TEST_F(WordDialogsTest, LastKeyAddsNoEntryAndTwoSearchesAddThirty)
{
    std::vector<std::vector<std::string>> texts;
    for (char c = 'a'; c <= 't'; ++c) texts.push_back({"n", std::string("p") + c, std::string("w") + c});
    for (const auto& t : texts) ASSERT_EQ(0, AddWordRecord(t[0].c_str(), t[1].c_str(), t[2].c_str(), files_));
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Type(IDC_WORD_ENGLISH, "wt");
        search.Click(IDOK);
        EXPECT_EQ("pt", search.Text(IDC_WORD_SPANISH));
        EXPECT_TRUE(search.ListTexts().empty());
        search.Click(IDC_SEARCH_CLEAR);
        search.Type(IDC_WORD_ENGLISH, "wa");
        search.Click(IDOK);
        EXPECT_EQ(15u, search.ListTexts().size());
        search.Type(IDC_WORD_SPANISH, "");   // the same search again, without Clear
        search.Type(IDC_WORD_CLASS, "");
        search.Click(IDOK);
        EXPECT_EQ("pa", search.Text(IDC_WORD_SPANISH));
        EXPECT_EQ(30u, search.ListTexts().size());
        search.PostClick(IDCANCEL);
    });
}

TEST_F(WordDialogsTest, SpanishVerbFormOpensTheConjugationResult)
{
    Given({{"v", "hablar", "to speak"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Type(IDC_WORD_SPANISH, "habla");
        search.PostClick(IDOK);
        search.AnswerPopup(IDC_CONJUGATION_INFINITIVE);
        EXPECT_EQ(kConjugationCaption, search.last_popup_caption);
        EXPECT_EQ((std::vector<std::string>{"hablar", "speaks ", ""}), search.last_popup_texts);
        EXPECT_EQ("I can't find any match", search.Text(IDC_SEARCH_STATUS));
        search.PostClick(IDCANCEL);
    });
}

TEST_F(WordDialogsTest, ModifyAddsTheEditedPairAndDeletesTheOldRecord)
{
    Given({{"n", "casa", "house"}, {"n", "perro", "dog"}, {"n", "zoo", "zoo"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Click(IDC_SEARCH_MODIFY);   // nothing selected yet
        EXPECT_EQ(std::vector<std::string>{"You must select a record before modify it"}, messages_->Errors());
        search.Type(IDC_WORD_ENGLISH, "house");
        search.Click(IDOK);
        ASSERT_EQ("casa", search.Text(IDC_WORD_SPANISH));
        ASSERT_EQ(1u, search.ListTexts().size());
        search.Type(IDC_WORD_SPANISH, "Hogar");
        search.Type(IDC_WORD_CLASS, "nf");
        search.Click(IDC_SEARCH_MODIFY);
        EXPECT_EQ("Current displayed record has been modified", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ("house", search.Text(IDC_WORD_ENGLISH));
        EXPECT_EQ("casa", search.Text(IDC_WORD_SPANISH));
        EXPECT_EQ("", search.Text(IDC_WORD_CLASS));
        EXPECT_TRUE(search.ListTexts().empty());
        search.PostClick(IDCANCEL);
    });
    ASSERT_EQ(4u, TableRecords(files_));
    EXPECT_TRUE(ReadStoredRecord(files_, 1).deleted);
    StoredRecord added = ReadStoredRecord(files_, 4);
    EXPECT_EQ("house", added.english);
    EXPECT_EQ("hogar", added.spanish);
    EXPECT_EQ("nf", added.word_class);
    EXPECT_EQ(std::vector<int32_t>{4}, RecordsKeyedAs(files_.english_index, Key21("house")));
    EXPECT_TRUE(RecordsKeyedAs(files_.spanish_index, Key21("casa")).empty());
}

TEST_F(WordDialogsTest, DeleteAfterClearIsRefusedAndDeleteUsesTheLastExchangedValues)
{
    Given({{"n", "casa", "house"}, {"n", "perro", "dog"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Click(IDC_SEARCH_CLEAR);
        search.Click(IDC_SEARCH_DELETE);
        EXPECT_EQ(std::vector<std::string>{"You can't delete a record if you haven't selected it"},
                  messages_->Errors());

        search.Type(IDC_WORD_ENGLISH, "house");
        search.Click(IDOK);
        ASSERT_EQ("casa", search.Text(IDC_WORD_SPANISH));
        // Typed but not exchanged: Delete still works on house/casa.
        search.Type(IDC_WORD_ENGLISH, "dog");
        search.Type(IDC_WORD_SPANISH, "perro");
        search.Click(IDC_SEARCH_DELETE);
        EXPECT_EQ("Record deleted from Main Database", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ("house", search.Text(IDC_WORD_ENGLISH));
        search.Click(IDC_SEARCH_DELETE);
        EXPECT_EQ("I can't delete that register", search.Text(IDC_SEARCH_STATUS));
        search.PostClick(IDCANCEL);
    });
    EXPECT_TRUE(ReadStoredRecord(files_, 1).deleted);
    EXPECT_FALSE(ReadStoredRecord(files_, 2).deleted);
    EXPECT_EQ(1u, LiveRecords(files_));
}

TEST_F(WordDialogsTest, SearchAndEnterKeepTheDialogOpenAndOnlyCancelEndsTheCommand)
{
    Given({{"n", "casa", "house"}});
    Run(RunSearchLoop, [&] {
        HWND hwnd = WaitForOwnWindow(kSearchCaption);
        ASSERT_NE(hwnd, nullptr);
        DialogDriver search(hwnd);
        search.Type(IDC_WORD_ENGLISH, "house");
        SetForegroundWindow(hwnd);
        PostMessageA(GetDlgItem(hwnd, IDC_WORD_ENGLISH), WM_KEYDOWN, VK_RETURN, 0);
        PostMessageA(GetDlgItem(hwnd, IDC_WORD_ENGLISH), WM_KEYUP, VK_RETURN, 0);
        DWORD start = GetTickCount();
        while (search.Text(IDC_SEARCH_STATUS) != "Register found and displayed" && GetTickCount() - start < 3000)
            Sleep(20);
        EXPECT_EQ("Register found and displayed", search.Text(IDC_SEARCH_STATUS));
        EXPECT_EQ(hwnd, FindOwnWindow(kSearchCaption));
        search.PostClick(IDCANCEL);
        start = GetTickCount();
        while (IsWindow(hwnd) && GetTickCount() - start < 3000) Sleep(20);
        EXPECT_FALSE(IsWindow(hwnd));
    });
}

// ---- The commands in the real program -------------------------------------------

#ifdef LEXON_V2_EXE
namespace {

// A top-level window of process pid with this caption, waited for.
HWND WaitForProcessWindow(DWORD pid, const std::string& caption, HWND previous = nullptr, DWORD timeout_ms = 10000)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = nullptr;
        while ((hwnd = FindWindowExA(nullptr, hwnd, nullptr, caption.c_str())) != nullptr) {
            DWORD owner_pid = 0;
            GetWindowThreadProcessId(hwnd, &owner_pid);
            if (owner_pid == pid && hwnd != previous && IsWindowVisible(hwnd)) return hwnd;
        }
        if (GetTickCount() - start > timeout_ms) return nullptr;
        Sleep(20);
    }
}

std::string ProgramPath() { return WindowsPath(LEXON_V2_EXE); }

}  // namespace

TEST_F(WordDialogsTest, TheProgramAddsAndFindsAPairThroughItsMenuCommands)
{
    std::string command = "\"" + ProgramPath() + "\"";
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION process = {};
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &process));
    WaitForInputIdle(process.hProcess, 10000);
    DWORD pid = process.dwProcessId;

    HWND main = WaitForProcessWindow(pid, "Lexon 1.0 32 bits for Windows 95/Windows NT");
    EXPECT_NE(main, nullptr);
    if (main) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(32771, 0), 0);   // Words > Add
        HWND add = WaitForProcessWindow(pid, kAddCaption);
        EXPECT_NE(add, nullptr);
        if (add) {
            DialogDriver driver(add);
            driver.Type(IDC_WORD_CLASS, "n");
            driver.Type(IDC_WORD_SPANISH, "Casa");
            driver.Type(IDC_WORD_ENGLISH, "House");
            driver.PostClick(IDOK);
            HWND again = WaitForProcessWindow(pid, kAddCaption, add);
            EXPECT_NE(again, nullptr);
            if (again) {
                EXPECT_EQ("House", DialogDriver(again).Text(IDC_WORD_ENGLISH));
                DialogDriver(again).PostClick(IDCANCEL);
            }
        }
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(32772, 0), 0);   // Words > Search
        HWND search = WaitForProcessWindow(pid, kSearchCaption);
        EXPECT_NE(search, nullptr);
        if (search) {
            DialogDriver driver(search);
            driver.Type(IDC_WORD_SPANISH, "CASA");
            driver.Click(IDOK);
            EXPECT_EQ("Register found and displayed", driver.Text(IDC_SEARCH_STATUS));
            EXPECT_EQ("house", driver.Text(IDC_WORD_ENGLISH));
            driver.PostClick(IDCANCEL);
        }
        Sleep(200);
        PostMessageA(main, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end";
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(1u, TableRecords(files_));
    EXPECT_EQ("casa", ReadStoredRecord(files_, 1).spanish);
}
#endif
