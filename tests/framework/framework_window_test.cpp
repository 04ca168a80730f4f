// The framework's windows in-process under Wine: command routing, frame
// titles, single-document templates with the save prompt, dialogs with
// data exchange and the length check, dialog colours, worker threads, and
// the scope that makes a prompt modal to all of the thread's windows.
#include "tests/framework/framework_test_ids.h"
#include "tests/gui/gui_test_support.h"
#include "translator/framework/app.h"
#include "translator/framework/dialog.h"
#include "translator/framework/dialog_colors.h"
#include "translator/framework/doc_template.h"
#include "translator/framework/modal_prompt_scope.h"
#include "translator/framework/worker_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

std::vector<std::string> g_handled;  // which object handled each command

class RoutingView : public View {
public:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;
    static const MessageMapEntry kEntries[];
    void OnAll(Message&) { g_handled.push_back("view"); }
};
const MessageMapEntry RoutingView::kEntries[] = {
    CommandEntry(ID_ALL_HANDLE, &RoutingView::OnAll),
    EndOfMap(),
};
const MessageMap RoutingView::kMessageMap = {&View::kMessageMap, RoutingView::kEntries};

class RoutingDoc : public Document {
public:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;
    static const MessageMapEntry kEntries[];
    void OnCommand(Message&) { g_handled.push_back("document"); }
};
const MessageMapEntry RoutingDoc::kEntries[] = {
    CommandEntry(ID_ALL_HANDLE, &RoutingDoc::OnCommand),
    CommandEntry(ID_DOC_FRAME_APP, &RoutingDoc::OnCommand),
    EndOfMap(),
};
const MessageMap RoutingDoc::kMessageMap = {&Document::kMessageMap, RoutingDoc::kEntries};

class RoutingFrame : public FrameWnd {
public:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;
    static const MessageMapEntry kEntries[];
    void OnCommand(Message&) { g_handled.push_back("frame"); }
};
const MessageMapEntry RoutingFrame::kEntries[] = {
    CommandEntry(ID_ALL_HANDLE, &RoutingFrame::OnCommand),
    CommandEntry(ID_DOC_FRAME_APP, &RoutingFrame::OnCommand),
    CommandEntry(ID_FRAME_APP, &RoutingFrame::OnCommand),
    EndOfMap(),
};
const MessageMap RoutingFrame::kMessageMap = {&FrameWnd::kMessageMap, RoutingFrame::kEntries};

class RoutingApp : public WinApp {
public:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageMap kMessageMap;
    static const MessageMapEntry kEntries[];
    void OnCommand(Message&) { g_handled.push_back("application"); }
};
const MessageMapEntry RoutingApp::kEntries[] = {
    CommandEntry(ID_ALL_HANDLE, &RoutingApp::OnCommand),
    CommandEntry(ID_DOC_FRAME_APP, &RoutingApp::OnCommand),
    CommandEntry(ID_FRAME_APP, &RoutingApp::OnCommand),
    CommandEntry(ID_APP_ONLY, &RoutingApp::OnCommand),
    EndOfMap(),
};
const MessageMap RoutingApp::kMessageMap = {&WinApp::kMessageMap, RoutingApp::kEntries};

// A document whose content is one text, stored raw.
class TextDoc : public Document {
public:
    std::string text;
    void DeleteContents() override { text.clear(); }
    void Serialize(Archive& archive) override
    {
        if (archive.IsStoring())
            archive.Write(text.data(), text.size());
        else
            archive.ReadAll(text, 1 << 20);
    }
};

class FrameworkWindowTest : public ::testing::Test {
protected:
    void SetUp() override { g_handled.clear(); }
    void TearDown() override
    {
        for (size_t i = 0; i < app_.TemplateCount(); ++i) {
            if (app_.GetTemplate(i)->GetDocument()) app_.GetTemplate(i)->GetDocument()->SetModifiedFlag(false);
            app_.GetTemplate(i)->CloseDocument();
        }
        PumpFor(app_, 20);
    }
    RoutingApp app_;
};

TEST_F(FrameworkWindowTest, CommandsGoToViewDocumentFrameThenApplication)
{
    SingleDocTemplate* t = app_.AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_TITLED_FRAME, CreateDocument<RoutingDoc>,
                              CreateFrame<RoutingFrame>, CreateView<RoutingView>)));
    ASSERT_NE(t->OpenDocumentFile(nullptr, true), nullptr);
    HWND frame = t->GetFrame()->GetHwnd();
    for (UINT id : {ID_ALL_HANDLE, ID_DOC_FRAME_APP, ID_FRAME_APP, ID_APP_ONLY, ID_NOBODY})
        SendMessageA(frame, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(g_handled, (std::vector<std::string>{"view", "document", "frame", "application"}));
    // accelerator commands (code 1) route the same way; other notifications do not match
    g_handled.clear();
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(ID_FRAME_APP, 1), 0);
    SendMessageA(frame, WM_COMMAND, MAKEWPARAM(ID_FRAME_APP, EN_CHANGE), 0);
    EXPECT_EQ(g_handled, (std::vector<std::string>{"frame"}));
    EXPECT_EQ(app_.GetMainWnd(), t->GetFrame()) << "the first frame is the main window";
}

TEST_F(FrameworkWindowTest, CaptionIsTheTemplateTitleOrElseTheDocumentName)
{
    SingleDocTemplate* titled = app_.AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_TITLED_FRAME, CreateDocument<TextDoc>, CreateFrame<FrameWnd>,
                              CreateView<View>)));
    SingleDocTemplate* plain = app_.AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_PLAIN_FRAME, CreateDocument<TextDoc>, CreateFrame<FrameWnd>,
                              CreateView<View>)));
    ASSERT_NE(titled->OpenDocumentFile(nullptr, true), nullptr);
    ASSERT_NE(plain->OpenDocumentFile(nullptr, true), nullptr);
    EXPECT_EQ(WindowText(titled->GetFrame()->GetHwnd()), "Titled Frame");
    EXPECT_EQ(WindowText(plain->GetFrame()->GetHwnd()), "Untitled");

    std::string path = ::testing::TempDir() + "notes.txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("a\r\nb", f);
    std::fclose(f);
    HWND plain_frame = plain->GetFrame()->GetHwnd();
    ASSERT_NE(plain->OpenDocumentFile(path.c_str(), true), nullptr);
    EXPECT_EQ(plain->GetFrame()->GetHwnd(), plain_frame) << "the frame is reused";
    EXPECT_EQ(WindowText(plain_frame), "notes.txt");
    EXPECT_EQ(static_cast<TextDoc*>(plain->GetDocument())->text, "a\r\nb");
    std::remove(path.c_str());
}

TEST_F(FrameworkWindowTest, SavePromptCancelKeepsTheModifiedDocumentAndItsWindow)
{
    SingleDocTemplate* t = app_.AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_PLAIN_FRAME, CreateDocument<TextDoc>, CreateFrame<FrameWnd>,
                              CreateView<View>)));
    ASSERT_NE(t->OpenDocumentFile(nullptr, true), nullptr);
    TextDoc* doc = static_cast<TextDoc*>(t->GetDocument());
    HWND frame = t->GetFrame()->GetHwnd();
    doc->text = "changed";
    doc->SetModifiedFlag();

    std::string prompt;
    auto answer = [&prompt](int button) {
        return [&prompt, button] {
            HWND box = WaitForOwnWindow("Framework Test");
            if (!box) return;
            prompt = WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        };
    };
    {
        Watcher w(answer(IDCANCEL));
        EXPECT_EQ(t->OpenDocumentFile(nullptr, true), nullptr);
    }
    EXPECT_EQ(prompt, "Save changes to Untitled?");
    EXPECT_EQ(doc->text, "changed");
    EXPECT_TRUE(doc->IsModified());
    {
        Watcher w(answer(IDCANCEL));
        SendMessageA(frame, WM_CLOSE, 0, 0);
    }
    EXPECT_TRUE(IsWindow(frame)) << "Cancel keeps the window";
    {
        Watcher w(answer(IDNO));
        EXPECT_EQ(t->OpenDocumentFile(nullptr, true), doc) << "No: the same document, emptied";
    }
    EXPECT_EQ(doc->text, "");
    EXPECT_FALSE(doc->IsModified());
    SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame)) << "an unmodified document closes without a question";
    EXPECT_EQ(t->GetDocument(), nullptr);
}

TEST_F(FrameworkWindowTest, OpeningAMissingFileTellsTheUserAndKeepsTheDocument)
{
    SingleDocTemplate* t = app_.AddDocTemplate(std::unique_ptr<SingleDocTemplate>(
        new SingleDocTemplate(IDR_PLAIN_FRAME, CreateDocument<TextDoc>, CreateFrame<FrameWnd>,
                              CreateView<View>)));
    ASSERT_NE(t->OpenDocumentFile(nullptr, true), nullptr);
    static_cast<TextDoc*>(t->GetDocument())->text = "kept";
    std::string shown;
    {
        Watcher w([&shown] {
            HWND box = WaitForOwnWindow("Framework Test");
            if (!box) return;
            shown = WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_EQ(t->OpenDocumentFile("C:\\no such dir\\missing.txt", true), nullptr);
    }
    EXPECT_EQ(shown, "C:\\no such dir\\missing.txt\nCannot find this file.\nPlease verify that "
                     "the correct path and file name are given.");
    EXPECT_EQ(static_cast<TextDoc*>(t->GetDocument())->text, "kept");
}

class FieldsDialog : public Dialog {
public:
    FieldsDialog() : Dialog(IDD_FIELDS) {}
    std::string first = "ini";
    std::string second = "two";
    std::vector<int> focus_after_ok;
    std::string second_after_failure;
    void DoDataExchange(DataExchange& dx) override
    {
        dx.Text(IDC_FIRST, first, 5);
        dx.Text(IDC_SECOND, second, 3);
    }
    void OnOK() override
    {
        Dialog::OnOK();
        if (GetHwnd()) {
            focus_after_ok.push_back(GetDlgCtrlID(GetFocus()));
            if (focus_after_ok.size() == 1) second_after_failure = second;
        }
    }
};

TEST_F(FrameworkWindowTest, DataExchangeChecksLengthsInOrderAndReturnsTheFocus)
{
    SetDialogColors(RGB(192, 192, 192), RGB(0, 0, 0));
    FieldsDialog dialog;
    std::string shown_start, message;
    bool exclamation = false;
    COLORREF dialog_color = CLR_INVALID;
    Watcher w([&] {
        HWND d = WaitForOwnWindow("Fields");
        if (!d) return;
        shown_start = ItemText(d, IDC_FIRST);
        HDC dc = CreateCompatibleDC(nullptr);
        dialog_color = BrushColor(reinterpret_cast<HBRUSH>(
            SendMessageA(d, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(d))));
        DeleteDC(dc);
        SetDlgItemTextA(d, IDC_FIRST, "abcdefg");
        SetDlgItemTextA(d, IDC_SECOND, "toolong");
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        HWND box = WaitForOwnWindow("Framework Test");
        if (!box) return;
        message = WindowText(GetDlgItem(box, 0xFFFF));
        HWND icon = FindIconControl(box);
        exclamation = icon && reinterpret_cast<HICON>(SendMessageA(icon, STM_GETICON, 0, 0)) ==
                                  LoadIconA(nullptr, IDI_EXCLAMATION);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        while (FindOwnWindow("Framework Test")) Sleep(20);
        Sleep(100);
        SetDlgItemTextA(d, IDC_FIRST, "abc");
        SetDlgItemTextA(d, IDC_SECOND, "xy");
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    w.Join();
    EXPECT_EQ(shown_start, "ini") << "members go to the controls at start";
    EXPECT_EQ(message, "Please enter no more than 5 characters.");
    EXPECT_TRUE(exclamation);
    ASSERT_EQ(dialog.focus_after_ok.size(), 2u) << "OK was pressed twice";
    EXPECT_EQ(dialog.focus_after_ok[0], IDC_FIRST) << "focus back on the field that failed";
    EXPECT_EQ(dialog.second_after_failure, "two") << "items after the failing one are skipped";
    EXPECT_EQ(dialog.first, "abc");
    EXPECT_EQ(dialog.second, "xy");
    EXPECT_EQ(dialog_color, RGB(192, 192, 192));
}

TEST_F(FrameworkWindowTest, CancelLeavesTheMembersAsTheyWere)
{
    FieldsDialog dialog;
    Watcher w([] {
        HWND d = WaitForOwnWindow("Fields");
        if (!d) return;
        SetDlgItemTextA(d, IDC_FIRST, "zz");
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(dialog.first, "ini");
}

unsigned int SetEventWorker(void* param)
{
    SetEvent(static_cast<HANDLE>(param));
    return 7;
}

TEST(WorkerThreadTest, StartsTheProcedureWithItsParameterOnAnotherThread)
{
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_TRUE(StartWorkerThread(SetEventWorker, done));
    EXPECT_EQ(WaitForSingleObject(done, 5000), WAIT_OBJECT_0);
    CloseHandle(done);
    ThreadWorkerLauncher launcher;
    EXPECT_FALSE(launcher.Start(nullptr, nullptr));
}

}  // namespace

namespace {

HWND MakeTopLevel(const char* caption)
{
    return CreateWindowA("STATIC", caption, WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// A prompt's scope disables the thread's other windows and gives back
// exactly what it took: windows disabled before stay disabled, the owner
// is never touched, windows gone meanwhile are skipped, and an inner scope
// leaves the outer one's windows disabled.
TEST(ModalPromptScopeTest, DisablesTheOtherWindowsAndRestoresExactlyThem)
{
    HWND owner = MakeTopLevel("owner");
    HWND other = MakeTopLevel("other");
    HWND already_disabled = MakeTopLevel("already disabled");
    HWND hidden = CreateWindowA("STATIC", "hidden", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    HWND vanishing = MakeTopLevel("vanishing");
    EnableWindow(already_disabled, FALSE);
    HWND child = CreateWindowA("STATIC", "child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    {
        ModalPromptScope outer(child);  // a child's top-level window is the owner
        EXPECT_TRUE(IsWindowEnabled(owner));
        EXPECT_FALSE(IsWindowEnabled(other));
        EXPECT_FALSE(IsWindowEnabled(already_disabled));
        EXPECT_TRUE(IsWindowEnabled(hidden)) << "a hidden window takes no input anyway";
        EXPECT_FALSE(IsWindowEnabled(vanishing));
        DestroyWindow(vanishing);
        {
            ModalPromptScope inner(other);
            EXPECT_FALSE(IsWindowEnabled(owner));
            EXPECT_FALSE(IsWindowEnabled(other)) << "stays as the outer scope left it";
        }
        EXPECT_TRUE(IsWindowEnabled(owner)) << "the inner scope gives back only its own";
        EXPECT_FALSE(IsWindowEnabled(other));
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsWindowEnabled(already_disabled)) << "was disabled before the prompt";
    EXPECT_TRUE(IsWindowEnabled(hidden));

    // Without an owner every visible window of the thread is disabled;
    // windows of other threads are left alone.
    HWND foreign = nullptr;
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread other_thread([&] {
        foreign = MakeTopLevel("foreign");
        SetEvent(made);
        WaitForSingleObject(quit, 10000);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(made, 10000);
    {
        ModalPromptScope no_owner(nullptr);
        EXPECT_FALSE(IsWindowEnabled(owner));
        EXPECT_FALSE(IsWindowEnabled(other));
        EXPECT_TRUE(IsWindowEnabled(foreign));
    }
    EXPECT_TRUE(IsWindowEnabled(owner));
    SetEvent(quit);
    other_thread.join();
    CloseHandle(made);
    CloseHandle(quit);
    for (HWND hwnd : {owner, other, already_disabled, hidden}) DestroyWindow(hwnd);
}

}  // namespace
