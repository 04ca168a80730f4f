// The translator's windows, in-process under Wine: the real application
// object, main frame, splash, about box and index confirmation with the real
// resources, driven by messages; modal windows are answered by a watcher
// thread. Worker starts are recorded, not run.
#include "tests/gui/fake_commands.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/recording_presenter.h"
#include "translator/app/lexon_app.h"
#include "translator/app/resource.h"
#include "translator/app/workers.h"
#include "translator/framework/doc_template.h"
#include "translator/storage/dictionary_guard.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

const char kMainTitle[] = "Lexon 1.0 32 bits for Windows 95/Windows NT";

// A window of the program's thread that counts the input it receives, to
// see that input which removes the splash still reaches its target.
class InputProbe {
public:
    InputProbe()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LexonInputProbe";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowA("LexonInputProbe", "probe", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~InputProbe() { DestroyWindow(hwnd_); }
    HWND hwnd() const { return hwnd_; }
    std::vector<UINT> received;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
    {
        InputProbe* self = reinterpret_cast<InputProbe*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self && (message == WM_MOUSEMOVE || (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) ||
                     (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
                     (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK)))
            self->received.push_back(message);
        return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    HWND hwnd_ = nullptr;
};

class ShellWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        profile_ = std::string(temp) + "lexon_shell_window_test.ini";
        DeleteFileA(profile_.c_str());
    }

    void TearDown() override
    {
        if (app_) {
            for (size_t i = 0; i < app_->TemplateCount(); ++i) {  // no save question at the end
                Document* document = app_->GetTemplate(i)->GetDocument();
                if (document) document->SetModifiedFlag(false);
            }
            if (app_->GetMainHwnd()) SendMessageA(app_->GetMainHwnd(), WM_CLOSE, 0, 0);
            PumpFor(*app_, 30);
            app_->ExitInstance();
            app_.reset();
        }
        DeleteFileA(profile_.c_str());
    }

    void Start(int show_command = SW_SHOWNORMAL)
    {
        app_.reset(new CLexon_v2App());
        app_->SetProfileName(profile_);
        app_->SetShowCommand(show_command);
        ASSERT_TRUE(app_->InitInstance());
        main_ = app_->GetMainHwnd();
        ASSERT_NE(main_, nullptr);
        PumpFor(*app_, 50);
    }

    // Posts command to the main window and runs the message loop until the
    // watcher (which answers what the command shows) has finished.
    void RunCommand(UINT command, std::function<void()> watcher_body)
    {
        Watcher watcher(watcher_body);
        PostMessageA(main_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        EXPECT_TRUE(PumpUntil(*app_, [&] { return watcher.Done(); }, 15000));
        watcher.Join();
        PumpFor(*app_, 30);
    }

    RecordingLauncher launcher_;
    std::string profile_;
    std::unique_ptr<CLexon_v2App> app_;
    HWND main_ = nullptr;
};

std::string DescribeMenu(HMENU menu, const std::string& indent)
{
    std::string out;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            out += indent + "----\n";
        } else if (info.hSubMenu) {
            out += indent + "[" + text + "]\n" + DescribeMenu(info.hSubMenu, indent + "  ");
        } else {
            out += indent + text + " = " + std::to_string(info.wID) + "\n";
        }
    }
    return out;
}

TEST_F(ShellWindowTest, MainWindowHasTheTitleAndTheWholeMenuTree)
{
    Start();
    EXPECT_EQ(WindowText(main_), kMainTitle);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(DescribeMenu(GetMenu(main_), ""),
              "[&Words]\n"
              "  &Add\tCtrl+A = 32771\n"
              "  &Search...\tCtrl+B = 32772\n"
              "  ----\n"
              "  About Norvask = 57664\n"
              "  ----\n"
              "  &Exit = 57665\n"
              "[&Text]\n"
              "  &File\tCtrl+Z = 32778\n"
              "  ----\n"
              "  &Clipboard\tCtrl+X = 32780\n"
              "[&Options]\n"
              "  Index = 32773\n"
              "  [Text Editor]\n"
              "    New File = 57600\n"
              "    Disk File = 57601\n"
              "[&Help]\n"
              "  Main Index = 57669\n");
}

TEST_F(ShellWindowTest, StringTableHoldsTitlesAndPrompts)
{
    struct { UINT id; const char* text; } expected[] = {
        {110, kMainTitle},
        {57344, "Lexon 1.0 para Windows 3.1"},
        {57345, "Listo"},
        {32771, "A\xF1" "adir una palabra al Lexon 1.0"},
        {32772, "Buscar una palabra en lexon 1.0"},
        {32773, "Indexado de los ficheros"},
        {57600, "Crear un fichero de texto nuevo"},
        {57601, "Abrir un fichero de Disco duro o diskette"},
        {57664, "Ayuda sobre el Lexon 1.0"},
        {57665, "Salir de la Aplicaci\xF3n Lexon 1.0"},
        {57603, "Grabar el fichero en curso"},
        {57602, "Close the active document"},
        {57637, "Insert Clipboard contents"},
    };
    for (const auto& e : expected) {
        char text[256] = {};
        LoadStringA(GetModuleHandleA(nullptr), e.id, text, sizeof text);
        EXPECT_STREQ(text, e.text) << "string " << e.id;
    }
    char none[64] = {};
    EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 109, none, sizeof none), 0)
        << "the editor template has no title string";
}

TEST_F(ShellWindowTest, OnlyTheMainWindowHasTheFourNamedShortcuts)
{
    HACCEL main_keys = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(110));
    ASSERT_NE(main_keys, nullptr);
    ACCEL keys[16] = {};
    int count = CopyAcceleratorTableA(main_keys, keys, 16);
    ASSERT_EQ(count, 4);
    struct { WORD key; WORD cmd; } expected[] = {
        {'A', 32771}, {'B', 32772}, {'Z', 32778}, {'X', 32780}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(keys[i].key, expected[i].key);
        EXPECT_EQ(keys[i].cmd, expected[i].cmd);
        EXPECT_EQ(keys[i].fVirt & (FCONTROL | FVIRTKEY | FSHIFT | FALT), FCONTROL | FVIRTKEY);
    }
    EXPECT_EQ(LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(109)), nullptr);
}

TEST_F(ShellWindowTest, ShortcutKeysReachTheirCommands)
{
    Start();
    app_->Splash().Destroy();
    // A key message as the keyboard would deliver it, with Ctrl held.
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE ctrl_down[256];
    std::memcpy(ctrl_down, state, sizeof state);
    ctrl_down[VK_CONTROL] = 0x80;
    SetKeyboardState(ctrl_down);
    MSG msg = {main_, WM_KEYDOWN, 'X', 1, 0, {0, 0}};
    app_->ProcessMessage(msg);
    msg.wParam = 'Z';
    app_->ProcessMessage(msg);
    SetKeyboardState(state);
    PumpFor(*app_, 30);
    auto started = launcher_.Started();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_EQ(started[0].proc, &TranslateClipboardWorker);
    EXPECT_EQ(started[1].proc, &TranslateFileWorker);
    EXPECT_EQ(started[1].param, nullptr);
}

TEST_F(ShellWindowTest, SplashIsShownAtStartWithItsPicture)
{
    Start();
    ASSERT_TRUE(app_->Splash().IsShown());
    HWND splash = app_->Splash().GetHwnd();
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_EQ(GetWindow(splash, GW_OWNER), main_);
    EXPECT_EQ(WindowText(splash), "");
    LONG style = GetWindowLongA(splash, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    HWND frame = app_->Splash().GetPictureFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(GetDlgCtrlID(frame), IDC_SPLASH_PICTURE);
    EXPECT_EQ(GetWindowLongA(frame, GWL_STYLE) & SS_TYPEMASK, SS_BLACKFRAME);

    // The picture was copied into the frame: a pixel inside its area is the
    // bitmap's, not the dialog's grey.
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH));
    ASSERT_NE(picture, nullptr);
    BITMAP info = {};
    GetObjectA(picture, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 113);
    EXPECT_EQ(info.bmHeight, 227);
    HDC frame_dc = GetWindowDC(frame);
    COLORREF shown = GetPixel(frame_dc, CSplashDlg::kPictureLeft + 5, CSplashDlg::kPictureTop + 5);
    ReleaseDC(frame, frame_dc);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, picture);
    COLORREF source = GetPixel(memory, 5, 5);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(picture);
    EXPECT_EQ(shown, source);
    EXPECT_NE(shown, RGB(192, 192, 192));
}

TEST_F(ShellWindowTest, MouseMovesLeaveTheSplashAndAButtonPressRemovesIt)
{
    Start();
    InputProbe probe;
    ASSERT_TRUE(app_->Splash().IsShown());
    PostMessageA(probe.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageA(main_, WM_NCMOUSEMOVE, HTCAPTION, 0);
    PumpFor(*app_, 50);
    EXPECT_TRUE(app_->Splash().IsShown()) << "mouse moves do not remove the splash";
    ASSERT_EQ(probe.received.size(), 1u);

    PostMessageA(probe.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PumpFor(*app_, 50);
    EXPECT_FALSE(app_->Splash().IsShown());
    ASSERT_EQ(probe.received.size(), 2u);
    EXPECT_EQ(probe.received[1], static_cast<UINT>(WM_LBUTTONDOWN)) << "the press reaches its target";
}

TEST_F(ShellWindowTest, EveryKindOfPressRemovesTheSplash)
{
    const UINT presses[] = {WM_KEYDOWN,      WM_SYSKEYDOWN,   WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                            WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
    Start();
    InputProbe probe;
    for (UINT press : presses) {
        ASSERT_TRUE(app_->Splash().Show(main_, 0));
        size_t before = probe.received.size();
        PostMessageA(probe.hwnd(), press, press == WM_KEYDOWN ? VK_SPACE : 0, 0);
        PumpFor(*app_, 40);
        EXPECT_FALSE(app_->Splash().IsShown()) << "message " << press;
        std::vector<UINT> after(probe.received.begin() + before, probe.received.end());
        EXPECT_EQ(std::count(after.begin(), after.end(), press), 1) << "message " << press;
    }
}

TEST_F(ShellWindowTest, StartedMinimisedShowsNoSplash)
{
    Start(SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(IsIconic(main_));
    EXPECT_FALSE(app_->Splash().IsShown());
    EXPECT_EQ(FindOwnWindow("", "#32770"), nullptr);
}

TEST_F(ShellWindowTest, AboutBoxShowsItsCaptionTextsAndIcon)
{
    Start();
    RunCommand(ID_APP_ABOUT, [] {
        HWND about = WaitForOwnWindow("Acerca de Lexon 1.0 para Windows");
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(ItemText(about, IDC_ABOUT_PRODUCT), "Lexon 1.0 para Windows 95 (32 bits)");
        EXPECT_FALSE(ItemText(about, IDC_ABOUT_NOTICE1).empty());
        EXPECT_FALSE(ItemText(about, IDC_ABOUT_NOTICE2).empty());
        EXPECT_EQ(ItemText(about, IDOK), "OK");
        HWND icon = FindIconControl(about);
        ASSERT_NE(icon, nullptr);
        EXPECT_NE(SendMessageA(icon, STM_GETICON, 0, 0), 0);
        // light grey dialog with black text
        HDC dc = CreateCompatibleDC(nullptr);
        HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(
            about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
            reinterpret_cast<LPARAM>(GetDlgItem(about, IDC_ABOUT_PRODUCT))));
        EXPECT_EQ(BrushColor(brush), RGB(192, 192, 192));
        EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
        DeleteDC(dc);
        PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(FindOwnWindow("Acerca de Lexon 1.0 para Windows"), nullptr);
}

void AnswerIndexQuestion(int button)
{
    HWND question = WaitForOwnWindow("Question");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(ItemText(question, IDC_INDEX_QUESTION), "Are you sure of the INDEX option?");
    EXPECT_EQ(ItemText(question, IDOK), "OK");
    EXPECT_EQ(ItemText(question, IDCANCEL), "Cancel");
    if (button == 0)
        PostMessageA(question, WM_CLOSE, 0, 0);
    else
        PostMessageA(question, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

TEST_F(ShellWindowTest, IndexStartsNothingOnCancelOrCloseAndReindexOnOk)
{
    Start();
    RunCommand(ID_OPTIONS_INDEX, [] { AnswerIndexQuestion(IDCANCEL); });
    EXPECT_TRUE(launcher_.Started().empty());
    RunCommand(ID_OPTIONS_INDEX, [] { AnswerIndexQuestion(0); });
    EXPECT_TRUE(launcher_.Started().empty());
    RunCommand(ID_OPTIONS_INDEX, [] { AnswerIndexQuestion(IDOK); });
    auto started = launcher_.Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].proc, &Reindex);
    EXPECT_EQ(started[0].param, nullptr);
}

TEST_F(ShellWindowTest, TextCommandsStartTheirWorkersWithoutParameter)
{
    Start();
    SendMessageA(main_, WM_COMMAND, ID_TEXT_FILE, 0);
    SendMessageA(main_, WM_COMMAND, ID_TEXT_CLIPBOARD, 0);
    SendMessageA(main_, WM_COMMAND, ID_TEXT_FILE, 0);
    auto started = launcher_.Started();
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0].proc, &TranslateFileWorker);
    EXPECT_EQ(started[1].proc, &TranslateClipboardWorker);
    EXPECT_EQ(started[2].proc, &TranslateFileWorker);
    for (const auto& s : started) EXPECT_EQ(s.param, nullptr);
}

// A shell drop handle holding the given paths (ANSI), as Explorer makes.
HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES);
    for (const auto& p : paths) size += p.size() + 1;
    size += 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* out = reinterpret_cast<char*>(drop + 1);
    for (const auto& p : paths) {
        std::memcpy(out, p.c_str(), p.size() + 1);
        out += p.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(ShellWindowTest, DroppingThreeFilesStartsOneFileWorkerWithTheFirstPath)
{
    Start();
    EXPECT_TRUE(GetWindowLongA(main_, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    PostMessageA(main_, WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({"C:\\texts\\first file.txt",
                                                    "C:\\texts\\second.txt", "C:\\third.txt"})),
                 0);
    PumpFor(*app_, 50);
    auto started = launcher_.Started();
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].proc, &TranslateFileWorker);
    ASSERT_NE(started[0].param, nullptr);
    EXPECT_STREQ(static_cast<char*>(started[0].param), "C:\\texts\\first file.txt");
    delete[] static_cast<char*>(started[0].param);  // what the worker does

    // a second drop (as while a translation runs) starts a second worker
    PostMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"D:\\b.txt"})), 0);
    PumpFor(*app_, 50);
    started = launcher_.Started();
    ASSERT_EQ(started.size(), 2u);
    EXPECT_STREQ(static_cast<char*>(started[1].param), "D:\\b.txt");
    delete[] static_cast<char*>(started[1].param);
}

TEST_F(ShellWindowTest, NewFileOpensOneEditorWindowAndReusesIt)
{
    Start();
    SingleDocTemplate* editor = app_->GetTemplate(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetResourceId(), 109u);
    EXPECT_EQ(editor->GetFrame(), nullptr) << "no editor window before the first New";
    SendMessageA(main_, WM_COMMAND, ID_FILE_NEW, 0);
    PumpFor(*app_, 30);
    ASSERT_NE(editor->GetFrame(), nullptr);
    HWND editor_window = editor->GetFrame()->GetHwnd();
    EXPECT_TRUE(IsWindowVisible(editor_window));
    EXPECT_EQ(WindowText(editor_window), "Untitled");
    EXPECT_EQ(DescribeMenu(GetMenu(editor_window), ""),
              "[Opciones]\n"
              "  Grabar Fichero = 57603\n"
              "  Cerrar Fichero = 57602\n"
              "  Copiar desde el Clipboard = 57637\n");
    SendMessageA(main_, WM_COMMAND, ID_FILE_NEW, 0);
    PumpFor(*app_, 30);
    EXPECT_EQ(editor->GetFrame()->GetHwnd(), editor_window);
    EXPECT_EQ(app_->GetMainHwnd(), main_) << "the main window stays the main window";

    // closing the editor window leaves the program running
    SendMessageA(editor_window, WM_CLOSE, 0, 0);
    PumpFor(*app_, 30);
    EXPECT_FALSE(IsWindow(editor_window));
    EXPECT_EQ(editor->GetFrame(), nullptr);
    EXPECT_TRUE(IsWindow(main_));
}

// Answers the framework's save question (caption: the application title).
std::function<void()> AnswerSaveQuestion(std::string* question, int button)
{
    return [question, button] {
        HWND box = WaitForOwnWindow("Lexon 1.0 para Windows 3.1");
        ASSERT_NE(box, nullptr);
        *question = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
}

TEST_F(ShellWindowTest, ModifiedEditorTextIsOfferedForSavingBeforeCloseOrNew)
{
    Start();
    SendMessageA(main_, WM_COMMAND, ID_FILE_NEW, 0);
    SingleDocTemplate* editor = app_->GetTemplate(1);
    ASSERT_NE(editor->GetDocument(), nullptr);
    HWND editor_window = editor->GetFrame()->GetHwnd();
    editor->GetDocument()->SetModifiedFlag();

    std::string question;
    RunCommand(ID_APP_EXIT, AnswerSaveQuestion(&question, IDCANCEL));
    EXPECT_EQ(question, "Save changes to Untitled?");
    EXPECT_TRUE(IsWindow(main_)) << "Cancel keeps both windows";
    EXPECT_TRUE(IsWindow(editor_window));

    question.clear();
    RunCommand(ID_FILE_NEW, AnswerSaveQuestion(&question, IDNO));
    EXPECT_EQ(question, "Save changes to Untitled?");
    EXPECT_EQ(editor->GetFrame()->GetHwnd(), editor_window) << "the same editor window";
    EXPECT_FALSE(editor->GetDocument()->IsModified());
}

TEST_F(ShellWindowTest, ExitClosesTheMainWindowAndWritesTheRecentFileList)
{
    Start();
    app_->AddToRecentFileList("C:\\texts\\old.txt");
    app_->AddToRecentFileList("C:\\texts\\new.txt");
    SendMessageA(main_, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_EQ(app_->GetMainWnd(), nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the loop ends";
    app_->ExitInstance();
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA("Recent File List", "File1", "", value, MAX_PATH, profile_.c_str());
    EXPECT_STREQ(value, "C:\\texts\\new.txt");
    GetPrivateProfileStringA("Recent File List", "File2", "", value, MAX_PATH, profile_.c_str());
    EXPECT_STREQ(value, "C:\\texts\\old.txt");
    app_.reset();
}

TEST_F(ShellWindowTest, WordsCommandsRunTheirLoopsFromMenuAndShortcut)
{
    Start();
    int adds = g_add_word_loops, searches = g_search_loops;
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(ID_WORDS_ADD, 0), 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(ID_WORDS_SEARCH, 0), 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(ID_WORDS_SEARCH, 1), 0);  // as from Ctrl+B
    EXPECT_EQ(g_add_word_loops - adds, 1);
    EXPECT_EQ(g_search_loops - searches, 2);
    EXPECT_TRUE(launcher_.Started().empty());
}

TEST_F(ShellWindowTest, DiskFileCancelledInTheOpenPromptChangesNothing)
{
    Start();
    std::string filter_shown;
    RunCommand(ID_FILE_OPEN, [&filter_shown] {
        HWND prompt = WaitForOwnWindow("Open", 10000);
        ASSERT_NE(prompt, nullptr);
        HWND types = GetDlgItem(prompt, 0x470);  // the file-type list of the prompt
        if (types) {
            char text[128] = {};
            SendMessageA(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
            filter_shown = text;
            EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 1);
        }
        PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    EXPECT_EQ(filter_shown, "All Files (*.*)");
    EXPECT_EQ(app_->GetTemplate(1)->GetFrame(), nullptr) << "no editor window";
    EXPECT_EQ(OwnTopLevelWindows().size(), 2u) << "main window and splash only";
}

TEST_F(ShellWindowTest, ProfileIsNamedAfterTheExecutable)
{
    CLexon_v2App app;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    name = name.substr(0, name.rfind('.')) + ".INI";
    EXPECT_EQ(app.ProfileName(), name);
}

// The Index worker recreates both index files empty and fills them as it
// goes: the program must not end half way. While a rebuild holds the
// dictionary, every way of closing the main window (close box, system
// menu, Exit) is refused with the rebuild message; afterwards closing
// works as before.
TEST_F(ShellWindowTest, TheProgramCannotBeClosedWhileTheIndexesAreRebuilt)
{
    Start();
    SendMessageA(main_, WM_COMMAND, ID_FILE_NEW, 0);
    PumpFor(*app_, 30);
    SingleDocTemplate* editor = app_->GetTemplate(1);
    ASSERT_NE(editor->GetFrame(), nullptr);
    HWND editor_window = editor->GetFrame()->GetHwnd();

    ScopedRecordingPresenter messages;
    {
        DictionaryRebuild rebuild(DictionaryGuardMode::kQuiet);  // what the Index worker holds
        ASSERT_TRUE(rebuild.Granted());
        SendMessageA(main_, WM_CLOSE, 0, 0);
        PumpFor(*app_, 30);
        EXPECT_TRUE(IsWindow(main_)) << "close box";
        PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpFor(*app_, 50);
        EXPECT_TRUE(IsWindow(main_)) << "system menu Close";
        PostMessageA(main_, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
        PumpFor(*app_, 50);
        EXPECT_TRUE(IsWindow(main_)) << "Exit";
        EXPECT_EQ(messages->Errors(), std::vector<std::string>(3, kDictionaryBusyRebuilding));
        EXPECT_TRUE(IsWindow(editor_window)) << "the editor window is not closed either";

        // The editor window on its own may close: the program goes on.
        SendMessageA(editor_window, WM_CLOSE, 0, 0);
        PumpFor(*app_, 30);
        EXPECT_FALSE(IsWindow(editor_window));
        EXPECT_EQ(messages->Errors().size(), 3u);
    }
    SendMessageA(main_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main_)) << "after the rebuild the program closes";
    EXPECT_EQ(messages->Errors().size(), 3u);
}

TEST_F(ShellWindowTest, TheSessionCannotEndWhileTheIndexesAreRebuilt)
{
    Start();
    ScopedRecordingPresenter messages;
    {
        DictionaryRebuild rebuild(DictionaryGuardMode::kQuiet);
        ASSERT_TRUE(rebuild.Granted());
        EXPECT_EQ(0, SendMessageA(main_, WM_QUERYENDSESSION, 0, 0));
        EXPECT_EQ(messages->Errors(), std::vector<std::string>(1, kDictionaryBusyRebuilding));
    }
    EXPECT_NE(0, SendMessageA(main_, WM_QUERYENDSESSION, 0, 0)) << "nothing to save, no rebuild";
    EXPECT_EQ(messages->Errors().size(), 1u);
    EXPECT_TRUE(IsWindow(main_)) << "asking does not close anything";
}

}  // namespace
