// The translation layer's windows under Wine, in-process: the language,
// conjugation result and clipboard result dialogs with the real resources,
// the progress window of a file translation, and the Text > File,
// Text > Clipboard and file-drop commands run end to end from the real main
// window on real worker threads, over a small dictionary made in a
// temporary folder. Modal windows (the workers' dialogs and the system's
// file prompts) are answered by a watcher thread.
#include "tests/gui/gui_test_support.h"
#include "tests/support/recording_presenter.h"
#include "translator/app/lexon_app.h"
#include "translator/app/resource.h"
#include "translator/framework/doc_template.h"
#include "translator/storage/dictionary.h"
#include "translator/translate/clipboard_result_dlg.h"
#include "translator/translate/conjugation_result_dlg.h"
#include "translator/translate/language_dlg.h"
#include "translator/translate/translate_resource.h"
#include "translator/translate/translation_progress_wnd.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

const char kLanguageCaption[] = "Select the languajes";
const DWORD kWindowTimeoutMs = 10000;

// Starts workers on real threads, as the program does, and keeps them so
// that the test can wait for their end.
class JoiningLauncher : public WorkerLauncher {
public:
    JoiningLauncher() : previous_(SetWorkerLauncher(this)) {}
    ~JoiningLauncher() override
    {
        SetWorkerLauncher(previous_);
        for (std::thread& t : threads_)
            if (t.joinable()) t.join();
    }
    bool Start(WorkerProc proc, void* param) override
    {
        ++started_;
        threads_.emplace_back([this, proc, param] {
            results_.push_back(proc(param));
            ++finished_;
        });
        return true;
    }
    int Started() const { return started_; }
    bool AllFinished() const { return started_ > 0 && finished_ == started_; }
    // Results in the order the workers ended (read after AllFinished).
    std::vector<unsigned int> results_;

private:
    WorkerLauncher* previous_;
    std::vector<std::thread> threads_;
    std::atomic<int> started_{0};
    std::atomic<int> finished_{0};
};

void Click(HWND dialog, int control_id)
{
    HWND button = GetDlgItem(dialog, control_id);
    ASSERT_NE(button, nullptr) << "control " << control_id;
    SendMessageA(button, BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int control_id)
{
    return SendMessageA(GetDlgItem(dialog, control_id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Answers the language dialog: clicks the given buttons (0 = none), then OK.
void AnswerLanguages(int source_button, int target_button)
{
    HWND dialog = WaitForOwnWindow(kLanguageCaption, kWindowTimeoutMs);
    ASSERT_NE(dialog, nullptr) << "no language dialog";
    if (source_button) Click(dialog, source_button);
    if (target_button) Click(dialog, target_button);
    Click(dialog, IDOK);
}

// Types path into the system's Open or Save As prompt and presses its OK;
// then, unless the prompt asks a question first, waits for it to go.
void AnswerFilePrompt(const char* caption, const std::string& path, bool asks_first = false)
{
    HWND prompt = WaitForOwnWindow(caption, kWindowTimeoutMs);
    ASSERT_NE(prompt, nullptr) << "no prompt " << caption;
    HWND name = GetDlgItem(prompt, 0x47c);           // cmb13: the file name box
    if (!name) name = GetDlgItem(prompt, 0x480);     // edt1 (older layouts)
    ASSERT_NE(name, nullptr) << "no file name field in " << caption;
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(prompt, IDOK)));
    if (asks_first) return;
    // The prompt goes away once it has taken the name.
    DWORD start = GetTickCount();
    while (IsWindow(prompt) && IsWindowVisible(prompt) && GetTickCount() - start < kWindowTimeoutMs)
        Sleep(20);
    EXPECT_FALSE(IsWindow(prompt) && IsWindowVisible(prompt)) << caption << " stayed open";
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string CurrentFolder()
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

void PutTextOnClipboard(HWND owner, const char* text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    if (text) {
        size_t size = std::strlen(text) + 1;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        EXPECT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
    }
    CloseClipboard();
}

// A shell drop handle holding one ANSI path, as Explorer makes it.
HDROP MakeDrop(const std::string& path)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + path.size() + 2);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop + 1), path.c_str(), path.size() + 1);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// With LEXON_SCREENSHOT_DIR set (a Windows path), saves what the screen
// shows of window as <dir>\<name>.bmp, for a person to look at.
void SaveScreenshot(HWND window, const char* name)
{
    char dir[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("LEXON_SCREENSHOT_DIR", dir, MAX_PATH)) return;
    Sleep(200);   // let the window finish painting
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;   // bottom-up rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (picture) {
        HGDIOBJ previous = SelectObject(memory, picture);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const DWORD image_size = static_cast<DWORD>(((width * 3 + 3) / 4) * 4 * height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;   // "BM"
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + image_size;
        std::ofstream out(std::string(dir) + "\\" + name + ".bmp", std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header), sizeof header);
        out.write(static_cast<const char*>(bits), image_size);
        SelectObject(memory, previous);
        DeleteObject(picture);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

// ---------------------------------------------------------------------------
// The dialogs on their own.

// Runs dialog modally on this thread while body answers it from a watcher.
INT_PTR RunDialog(Dialog& dialog, std::function<void(HWND)> body, const char* caption)
{
    std::string wanted = caption;
    Watcher watcher([&] {
        HWND hwnd = WaitForOwnWindow(wanted, kWindowTimeoutMs);
        if (!hwnd) {
            ADD_FAILURE() << "no window " << wanted;
            return;
        }
        body(hwnd);
    });
    INT_PTR result = dialog.DoModal(nullptr);
    watcher.Join();
    return result;
}

TEST(LanguageDialogTest, ShowsTwoIndependentGroupsWithNothingChecked)
{
    CLanguageDlg languages;
    INT_PTR result = RunDialog(languages, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDOK), "OK");
        EXPECT_EQ(ItemText(dialog, IDCANCEL), "Cancel");
        EXPECT_EQ(ItemText(dialog, IDC_SOURCE_ENGLISH), "English");
        EXPECT_EQ(ItemText(dialog, IDC_SOURCE_SPANISH), "Spanish");
        EXPECT_EQ(ItemText(dialog, IDC_TARGET_ENGLISH), "English");
        EXPECT_EQ(ItemText(dialog, IDC_TARGET_SPANISH), "Spanish");
        std::vector<std::string> statics;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Static") == 0) statics.push_back(WindowText(child));
        }
        EXPECT_EQ(statics, (std::vector<std::string>{"Source languaje", "Target languaje"}));
        EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        SaveScreenshot(dialog, "language_dialog");
        for (int id : {IDC_SOURCE_ENGLISH, IDC_SOURCE_SPANISH, IDC_TARGET_ENGLISH, IDC_TARGET_SPANISH}) {
            EXPECT_EQ(GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
            EXPECT_FALSE(IsChecked(dialog, id)) << id << " checked at start";
        }
        // 135 x 161 dialog units.
        RECT units = {0, 0, 135, 161};
        MapDialogRect(dialog, &units);
        RECT client;
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);

        // Spanish then English under "Source languaje": English stays, and
        // the other group is untouched.
        Click(dialog, IDC_TARGET_SPANISH);
        Click(dialog, IDC_SOURCE_SPANISH);
        Click(dialog, IDC_SOURCE_ENGLISH);
        EXPECT_TRUE(IsChecked(dialog, IDC_SOURCE_ENGLISH));
        EXPECT_FALSE(IsChecked(dialog, IDC_SOURCE_SPANISH));
        EXPECT_TRUE(IsChecked(dialog, IDC_TARGET_SPANISH)) << "a source click unchecked a target";
        EXPECT_FALSE(IsChecked(dialog, IDC_TARGET_ENGLISH));
        Click(dialog, IDOK);
    }, kLanguageCaption);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(languages.SourceLanguage(), 0);
    EXPECT_EQ(languages.TargetLanguage(), 1);
}

TEST(LanguageDialogTest, OkWithoutAChoiceLeavesBothUnsetAndTheSameLanguageTwiceIsAccepted)
{
    CLanguageDlg untouched;
    EXPECT_EQ(RunDialog(untouched, [](HWND dialog) { Click(dialog, IDOK); }, kLanguageCaption), IDOK);
    EXPECT_TRUE(untouched.SourceLanguage() < 0 || untouched.SourceLanguage() > 3);
    EXPECT_TRUE(untouched.TargetLanguage() < 0 || untouched.TargetLanguage() > 3);

    CLanguageDlg target_only;
    RunDialog(target_only, [](HWND dialog) {
        Click(dialog, IDC_TARGET_ENGLISH);
        Click(dialog, IDOK);
    }, kLanguageCaption);
    EXPECT_EQ(target_only.SourceLanguage(), kLanguageUnset);
    EXPECT_EQ(target_only.TargetLanguage(), 0);

    CLanguageDlg both_spanish;
    RunDialog(both_spanish, [](HWND dialog) {
        Click(dialog, IDC_SOURCE_SPANISH);
        Click(dialog, IDC_TARGET_SPANISH);
        Click(dialog, IDOK);
    }, kLanguageCaption);
    EXPECT_EQ(both_spanish.SourceLanguage(), 1);
    EXPECT_EQ(both_spanish.TargetLanguage(), 1);

    CLanguageDlg cancelled;
    EXPECT_EQ(RunDialog(cancelled, [](HWND dialog) {
        Click(dialog, IDC_SOURCE_SPANISH);
        Click(dialog, IDCANCEL);
    }, kLanguageCaption), IDCANCEL);
}

TEST(ConjugationResultDialogTest, ShowsTheAnalysisWithAnEmptyTenseAndClosesWithEitherButton)
{
    VerbAnalysis analysis;
    std::strcpy(analysis.infinitive, "to go");
    std::strcpy(analysis.form, "voy");
    analysis.tense = 7;
    CConjugationResultDlg result(analysis);
    EXPECT_EQ(RunDialog(result, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_CONJUGATION_INFINITIVE), "to go");
        EXPECT_EQ(ItemText(dialog, IDC_CONJUGATION_TRANSLATED), "voy");
        EXPECT_EQ(ItemText(dialog, IDC_CONJUGATION_TENSE), "");
        std::vector<std::string> labels;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "Static") == 0) labels.push_back(WindowText(child));
        }
        EXPECT_EQ(labels, (std::vector<std::string>{"Infinitive:", "Tran.:", "Temp:"}));
        SaveScreenshot(dialog, "conjugation_result_dialog");
        EXPECT_EQ(ItemText(dialog, IDOK), "OK");
        Click(dialog, IDCANCEL);
    }, "Conjuged result"), IDCANCEL);

    CConjugationResultDlg texts("ir", "go");
    EXPECT_EQ(RunDialog(texts, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_CONJUGATION_INFINITIVE), "ir");
        EXPECT_EQ(ItemText(dialog, IDC_CONJUGATION_TRANSLATED), "go");
        Click(dialog, IDOK);
    }, "Conjuged result"), IDOK);
}

TEST(ClipboardResultDialogTest, ShowsTheAppendedTextInAScrollingMultiLineField)
{
    CClipboardResultDlg result;
    EXPECT_EQ(result.Text(), "");
    result.AppendText("hola ");
    result.AppendText("<xyz>");
    EXPECT_EQ(RunDialog(result, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_CLIPBOARD_TEXT), "hola <xyz>");
        LONG style = GetWindowLongA(GetDlgItem(dialog, IDC_CLIPBOARD_TEXT), GWL_STYLE);
        EXPECT_TRUE(style & ES_MULTILINE);
        EXPECT_TRUE(style & WS_VSCROLL);
        // A border (on a three-dimensional dialog the system draws it as a
        // sunken client edge).
        LONG ex_style = GetWindowLongA(GetDlgItem(dialog, IDC_CLIPBOARD_TEXT), GWL_EXSTYLE);
        EXPECT_TRUE((style & WS_BORDER) || (ex_style & WS_EX_CLIENTEDGE));
        EXPECT_EQ(ItemText(dialog, IDOK), "OK");
        EXPECT_EQ(GetDlgItem(dialog, IDCANCEL), nullptr);
        Click(dialog, IDOK);
    }, "Clipboard"), IDOK);
}

TEST(TranslationProgressTest, TheBarIsSizedByTheInputAndTheWindowGoesAtTheEnd)
{
    WindowTranslationProgress progress;
    progress.Begin(1000);
    HWND window = progress.Window().Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), "  ");
    EXPECT_EQ(progress.Window().Total(), 1000u);
    progress.Update(500);
    EXPECT_EQ(progress.Window().Position(), 500u);
    HDC dc = GetDC(window);
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 148, 10), RGB(0, 0, 0));
    EXPECT_NE(GetPixel(dc, 152, 10), RGB(0, 0, 0)) << "the bar ends at 500 * 300 / 1000";
    ReleaseDC(window, dc);
    SaveScreenshot(window, "file_translation_progress");
    progress.Finish();
    EXPECT_FALSE(IsWindow(window));

    // An empty input: a window with an empty bar.
    progress.Begin(0);
    window = progress.Window().Handle();
    ASSERT_NE(window, nullptr);
    progress.Update(0);
    dc = GetDC(window);
    EXPECT_NE(GetPixel(dc, 10, 10), RGB(0, 0, 0));
    ReleaseDC(window, dc);
}

// ---------------------------------------------------------------------------
// The commands, from the real main window.

class TranslateCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root_ = std::string(temp) + "lexon_translate_gui_" + std::to_string(GetCurrentProcessId());
        dictionary_ = root_ + "\\dict";
        texts_ = root_ + "\\texts";
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA(dictionary_.c_str(), nullptr);
        CreateDirectoryA(texts_.c_str(), nullptr);
        DictionaryFiles files = DictionaryFiles::InFolder(dictionary_);
        ASSERT_EQ(CreateDictionary(files, 2026, 12, 8), 0);
        ASSERT_EQ(AddWordPair("hello", "hola", "s", files), 0);
        ASSERT_EQ(AddWordPair("world", "mundo", "s", files), 0);
        previous_folder_ = CurrentFolder();
        // The program finds its dictionary by bare name in its working folder.
        ASSERT_TRUE(SetCurrentDirectoryA(dictionary_.c_str()));
        profile_ = root_ + "\\lexon_translate_gui.ini";

        app_.reset(new CLexon_v2App());
        app_->SetProfileName(profile_);
        ASSERT_TRUE(app_->InitInstance());
        main_ = app_->GetMainHwnd();
        ASSERT_NE(main_, nullptr);
        app_->Splash().Destroy();
        PumpFor(*app_, 30);
    }

    void TearDown() override
    {
        if (app_) {
            if (app_->GetMainHwnd()) SendMessageA(app_->GetMainHwnd(), WM_CLOSE, 0, 0);
            PumpFor(*app_, 30);
            app_->ExitInstance();
            app_.reset();
        }
        SetCurrentDirectoryA(previous_folder_.c_str());
        for (const char* name : {"\\in.txt", "\\out.txt", "\\dropped.txt", "\\dropped.out"})
            DeleteFileA((texts_ + name).c_str());
        DictionaryFiles files = DictionaryFiles::InFolder(dictionary_);
        DeleteFileA(files.table.c_str());
        DeleteFileA(files.english_index.c_str());
        DeleteFileA(files.spanish_index.c_str());
        DeleteFileA(profile_.c_str());
        RemoveDirectoryA(texts_.c_str());
        RemoveDirectoryA(dictionary_.c_str());
        RemoveDirectoryA(root_.c_str());
    }

    // Sends message to the main window, lets the watcher answer what the
    // worker shows, and runs the user-interface thread until the worker has
    // ended. The worker's result, or -100 when it did not end.
    int RunWorker(UINT message, WPARAM wparam, std::function<void()> watcher_body)
    {
        Watcher watcher(watcher_body);
        PostMessageA(main_, message, wparam, 0);
        bool ended = PumpUntil(*app_, [&] { return launcher_.AllFinished() && watcher.Done(); }, 30000);
        EXPECT_TRUE(ended) << "the worker or the watcher did not end";
        watcher.Join();
        PumpFor(*app_, 30);
        if (!launcher_.AllFinished()) return -100;
        return static_cast<int>(launcher_.results_.back());
    }

    int RunCommand(UINT command, std::function<void()> watcher_body)
    {
        return RunWorker(WM_COMMAND, MAKEWPARAM(command, 0), watcher_body);
    }

    ScopedRecordingPresenter messages_;
    JoiningLauncher launcher_;
    std::string root_, dictionary_, texts_, profile_, previous_folder_;
    std::unique_ptr<CLexon_v2App> app_;
    HWND main_ = nullptr;
};

TEST_F(TranslateCommandTest, TextFileTranslatesTheChosenFileIntoTheChosenOutput)
{
    const std::string input = texts_ + "\\in.txt";
    const std::string output = texts_ + "\\out.txt";
    WriteFileBytes(input, "Hello, world.\r\nXyz hello\r\n");
    int result = RunCommand(ID_TEXT_FILE, [&] {
        AnswerLanguages(IDC_SOURCE_ENGLISH, IDC_TARGET_SPANISH);
        AnswerFilePrompt("Open", input);
        AnswerFilePrompt("Save As", output);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(launcher_.Started(), 1);
    EXPECT_EQ(ReadFileBytes(output), "hola,mundo.\r\n<xyz> hola\r\n\r\n");
    EXPECT_TRUE(messages_->Messages().empty());
    // Browsing to another folder does not move the folder the dictionary
    // is found in.
    EXPECT_EQ(CurrentFolder(), dictionary_);
    EXPECT_EQ(FindOwnWindow("  "), nullptr) << "the progress window stayed";
}

TEST_F(TranslateCommandTest, TextFileRefusesLanguagesNotChosenBeforeOpeningTheInput)
{
    const std::string input = texts_ + "\\in.txt";
    WriteFileBytes(input, "hello\r\n");
    int result = RunCommand(ID_TEXT_FILE, [&] {
        AnswerLanguages(IDC_SOURCE_ENGLISH, 0);
        AnswerFilePrompt("Open", input);
    });
    EXPECT_NE(result, 0);
    EXPECT_EQ(messages_->Errors(), std::vector<std::string>{"Se deber\xE1 elegir un Idioma Origen y Destino"});
    // The worker ended, so it asked for no output (the prompt would wait).
    EXPECT_EQ(FindOwnWindow("Save As"), nullptr);
}

TEST_F(TranslateCommandTest, TextFileReportsAnInputThatCannotBeOpenedAndAsksForNoOutput)
{
    int result = RunCommand(ID_TEXT_FILE, [&] {
        AnswerLanguages(IDC_SOURCE_ENGLISH, IDC_TARGET_SPANISH);
        AnswerFilePrompt("Open", texts_ + "\\missing.txt");
    });
    EXPECT_NE(result, 0);
    EXPECT_EQ(messages_->Errors(), std::vector<std::string>{"El fichero especificado no se ha podido abrir"});
}

TEST_F(TranslateCommandTest, TextFileWithoutTheSourceIndexClosesTheFilesAndSaysWhich)
{
    const std::string input = texts_ + "\\in.txt";
    const std::string output = texts_ + "\\out.txt";
    WriteFileBytes(input, "hola mundo\n");
    ASSERT_TRUE(DeleteFileA((dictionary_ + "\\mixesp.mgm").c_str()));
    int result = RunCommand(ID_TEXT_FILE, [&] {
        AnswerLanguages(IDC_SOURCE_SPANISH, IDC_TARGET_ENGLISH);
        AnswerFilePrompt("Open", input);
        AnswerFilePrompt("Save As", output);
    });
    EXPECT_NE(result, 0);
    EXPECT_EQ(messages_->Errors(), std::vector<std::string>{"No se ha podido Abrir el indice de castellano"});
    EXPECT_TRUE(FileExists(output));
    EXPECT_EQ(ReadFileBytes(output), "");
    // Both files were closed: they can be deleted at once.
    EXPECT_TRUE(DeleteFileA(input.c_str()));
    EXPECT_TRUE(DeleteFileA(output.c_str()));
}

TEST_F(TranslateCommandTest, TheInputFileItselfIsRefusedAsOutputAndKeepsItsText)
{
    const std::string input = texts_ + "\\in.txt";
    WriteFileBytes(input, "Hello world\r\n");
    int result = RunCommand(ID_TEXT_FILE, [&] {
        AnswerLanguages(IDC_SOURCE_ENGLISH, IDC_TARGET_SPANISH);
        AnswerFilePrompt("Open", input);
        AnswerFilePrompt("Save As", texts_ + "\\IN.TXT", true);
        // The prompt's own question: replace the existing file? Yes.
        DWORD start = GetTickCount();
        HWND question = nullptr;
        while (!question && GetTickCount() - start < kWindowTimeoutMs) {
            for (HWND window : OwnTopLevelWindows())
                if (GetDlgItem(window, IDYES)) question = window;
            Sleep(20);
        }
        ASSERT_NE(question, nullptr) << "no overwrite question";
        Click(question, IDYES);
    });
    EXPECT_NE(result, 0);
    EXPECT_EQ(messages_->Errors(), std::vector<std::string>{"El fichero especificado (write)  no se ha podido abrir"});
    EXPECT_EQ(ReadFileBytes(input), "Hello world\r\n");
}

TEST_F(TranslateCommandTest, CancelInTheLanguageDialogEndsTheCommandSilently)
{
    int result = RunCommand(ID_TEXT_FILE, [&] {
        HWND dialog = WaitForOwnWindow(kLanguageCaption, kWindowTimeoutMs);
        ASSERT_NE(dialog, nullptr);
        Click(dialog, IDCANCEL);
    });
    EXPECT_NE(result, 0);
    EXPECT_TRUE(messages_->Messages().empty());
    EXPECT_EQ(FindOwnWindow("Open"), nullptr);
}

TEST_F(TranslateCommandTest, TextClipboardShowsTheTranslationOfEachWordWithTheEnterMarker)
{
    PutTextOnClipboard(main_, "Hello world\nXyz");
    std::string shown;
    int result = RunCommand(ID_TEXT_CLIPBOARD, [&] {
        AnswerLanguages(IDC_SOURCE_ENGLISH, IDC_TARGET_SPANISH);
        HWND dialog = WaitForOwnWindow("Clipboard", kWindowTimeoutMs);
        ASSERT_NE(dialog, nullptr) << "no result dialog";
        shown = ItemText(dialog, IDC_CLIPBOARD_TEXT);
        SaveScreenshot(dialog, "clipboard_result_dialog");
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(shown, "hola mundo\n[*--Enter--*] <xyz>");
    EXPECT_TRUE(messages_->Messages().empty());
}

TEST_F(TranslateCommandTest, TextClipboardKeepsTheCarriageReturnWithTheLastWordOfALine)
{
    PutTextOnClipboard(main_, "hola\r\nmundo");
    std::string shown;
    int result = RunCommand(ID_TEXT_CLIPBOARD, [&] {
        AnswerLanguages(IDC_SOURCE_SPANISH, IDC_TARGET_ENGLISH);
        HWND dialog = WaitForOwnWindow("Clipboard", kWindowTimeoutMs);
        ASSERT_NE(dialog, nullptr) << "no result dialog";
        shown = ItemText(dialog, IDC_CLIPBOARD_TEXT);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(shown, "<hola\r>\n[*--Enter--*] world");
}

TEST_F(TranslateCommandTest, TextClipboardRefusesLanguagesNotChosen)
{
    PutTextOnClipboard(main_, "hello");
    int result = RunCommand(ID_TEXT_CLIPBOARD, [&] { AnswerLanguages(0, IDC_TARGET_SPANISH); });
    EXPECT_NE(result, 0);
    EXPECT_EQ(messages_->Errors(), std::vector<std::string>{"You must select the source and target languaje"});
    EXPECT_EQ(FindOwnWindow("Clipboard"), nullptr);
}

TEST_F(TranslateCommandTest, TextClipboardWithoutTextEndsWithoutAMessage)
{
    PutTextOnClipboard(main_, nullptr);
    int result = RunCommand(ID_TEXT_CLIPBOARD, [&] { AnswerLanguages(IDC_SOURCE_ENGLISH, IDC_TARGET_SPANISH); });
    EXPECT_NE(result, 0);
    EXPECT_TRUE(messages_->Messages().empty());
    EXPECT_EQ(FindOwnWindow("Clipboard"), nullptr);
}

TEST_F(TranslateCommandTest, ADroppedFileIsTranslatedWithoutAnOpenPrompt)
{
    const std::string input = texts_ + "\\dropped.txt";
    const std::string output = texts_ + "\\dropped.out";
    WriteFileBytes(input, "hola mundo\nadios");
    // The Save As prompt comes straight after the languages: an Open prompt
    // would keep the worker waiting and the watcher would not find it.
    int result = RunWorker(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(input)), [&] {
        AnswerLanguages(IDC_SOURCE_SPANISH, IDC_TARGET_ENGLISH);
        AnswerFilePrompt("Save As", output);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFileBytes(output), "hello world\r\n\r\n<adios>");
    EXPECT_TRUE(messages_->Messages().empty());
}

}  // namespace
