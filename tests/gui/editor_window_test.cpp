// The text editor window, in-process under Wine: the real application
// object with the real resources opens the editor through the main
// window's New File and Disk File commands; the file prompts, the save
// question and the framework's failure messages are answered by a watcher
// thread. Files are written to and read from a private temporary folder;
// the recent-file list goes to LEXON_V2.INI in the Windows folder.
#include "tests/gui/gui_test_support.h"
#include "translator/app/lexon_app.h"
#include "translator/app/resource.h"
#include "translator/framework/doc_template.h"
#include "translator/framework/edit_view.h"
#include "translator/framework/framework_ids.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kAppTitle[] = "Lexon 1.0 para Windows 3.1";
const char kProfile[] = "LEXON_V2.INI";

std::string ReadBytes(const std::string& path)
{
    std::string bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return "<missing>";
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string ProfileValue(const char* key)
{
    char value[MAX_PATH] = {};
    GetPrivateProfileStringA("Recent File List", key, "", value, MAX_PATH, kProfile);
    return value;
}

// What a watcher saw of the framework's message box.
struct BoxSeen {
    bool found = false;
    std::string text;
};

// Waits for the framework's message box (captioned with the application
// title), notes its text and presses button.
std::function<void()> AnswerBox(BoxSeen* seen, int button)
{
    return [seen, button] {
        HWND box = WaitForOwnWindow(kAppTitle, 10000);
        ASSERT_NE(box, nullptr) << "no message box";
        seen->found = true;
        seen->text = WindowText(GetDlgItem(box, 0xFFFF));
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
}

// Fills the file name into the file prompt with this caption and presses
// OK (or Cancel when path is empty).
void ChooseFile(const char* caption, const std::string& path)
{
    HWND prompt = WaitForOwnWindow(caption, 10000);
    ASSERT_NE(prompt, nullptr) << "no prompt " << caption;
    if (path.empty()) {
        PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    HWND name = GetDlgItem(prompt, 0x47c);  // cmb13, the file name box
    if (!name) name = GetDlgItem(prompt, 0x480);  // edt1 in older prompts
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "lexon_editor_test\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        for (const std::string& name : FilesIn(folder_)) {
            SetFileAttributesA((folder_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((folder_ + name).c_str());
        }
        WritePrivateProfileStringA("Recent File List", nullptr, nullptr, kProfile);

        app_.reset(new CLexon_v2App());
        app_->SetProfileName(kProfile);
        ASSERT_TRUE(app_->InitInstance());
        main_ = app_->GetMainHwnd();
        ASSERT_NE(main_, nullptr);
        app_->Splash().Destroy();
        PumpFor(*app_, 30);
    }

    void TearDown() override
    {
        if (app_) {
            Document* document = Editor()->GetDocument();
            if (document) document->SetModifiedFlag(false);
            if (app_->GetMainHwnd()) SendMessageA(app_->GetMainHwnd(), WM_CLOSE, 0, 0);
            PumpFor(*app_, 30);
            app_->ExitInstance();
            app_.reset();
        }
        WritePrivateProfileStringA("Recent File List", nullptr, nullptr, kProfile);
    }

    SingleDocTemplate* Editor() const { return app_->GetTemplate(1); }
    EditView* TheView() const { return dynamic_cast<EditView*>(Editor()->GetView()); }
    Document* Doc() const { return Editor()->GetDocument(); }
    HWND EditorWindow() const { return Editor()->GetFrame() ? Editor()->GetFrame()->GetHwnd() : nullptr; }
    std::string Text() const { return TheView() ? TheView()->GetEditText() : "<no edit view>"; }

    // Posts command to target and runs the message loop until the watcher
    // (which answers what the command shows) has finished.
    void Run(HWND target, UINT command, std::function<void()> watcher_body)
    {
        Watcher watcher(watcher_body);
        PostMessageA(target, WM_COMMAND, MAKEWPARAM(command, 0), 0);
        EXPECT_TRUE(PumpUntil(*app_, [&] { return watcher.Done(); }, 20000));
        watcher.Join();
        PumpFor(*app_, 30);
    }

    // Runs command on target and fails when it shows the framework's
    // message box (which is then cancelled, so the test goes on).
    void RunExpectingNoBox(HWND target, UINT command)
    {
        Run(target, command, [] {
            HWND box = WaitForOwnWindow(kAppTitle, 1000);
            if (box) {
                ADD_FAILURE() << "unexpected box: " << WindowText(GetDlgItem(box, 0xFFFF));
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        });
    }

    // Opens path through Disk File and the open prompt; the editor document
    // must be unmodified (or no box would be answered).
    void OpenThroughPrompt(const std::string& path)
    {
        Run(main_, ID_FILE_OPEN, [path] { ChooseFile("Open", path); });
    }

    // Types text into the edit control as the keyboard would.
    void Type(const std::string& text)
    {
        for (char c : text)
            SendMessageA(TheView()->GetEditControl(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }

    std::string folder_;
    std::unique_ptr<CLexon_v2App> app_;
    HWND main_ = nullptr;
};

TEST_F(EditorWindowTest, NewFileOpensAnEditControlFillingTheEditorWindow)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    ASSERT_NE(EditorWindow(), nullptr);
    ASSERT_NE(TheView(), nullptr) << "the editor window frames the edit view";
    HWND edit = TheView()->GetEditControl();
    char class_name[16] = {};
    GetClassNameA(edit, class_name, sizeof class_name);
    EXPECT_STREQ(class_name, "Edit");
    LONG style = GetWindowLongA(edit, GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_TRUE(style & WS_VSCROLL);
    RECT frame_client = {}, edit_rect = {};
    GetClientRect(EditorWindow(), &frame_client);
    GetClientRect(edit, &edit_rect);
    MapWindowPoints(edit, EditorWindow(), reinterpret_cast<POINT*>(&edit_rect), 2);
    EXPECT_EQ(edit_rect.left, 0);
    EXPECT_EQ(edit_rect.top, 0);
    // The client rectangle excludes the scroll bars: the control itself
    // reaches the frame's corner.
    RECT edit_window = {};
    GetWindowRect(edit, &edit_window);
    MapWindowPoints(nullptr, EditorWindow(), reinterpret_cast<POINT*>(&edit_window), 2);
    EXPECT_EQ(edit_window.right, frame_client.right);
    EXPECT_EQ(edit_window.bottom, frame_client.bottom);
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(WindowText(EditorWindow()), "Untitled");
    EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0),
              static_cast<LRESULT>(EditView::kDefaultMaxTextSize));

    // Resizing the window resizes the control with it.
    SetWindowPos(EditorWindow(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(*app_, 20);
    GetClientRect(EditorWindow(), &frame_client);
    GetWindowRect(edit, &edit_window);
    EXPECT_EQ(edit_window.right - edit_window.left, frame_client.right);
    EXPECT_EQ(edit_window.bottom - edit_window.top, frame_client.bottom);
}

TEST_F(EditorWindowTest, EndingTheSessionAsksToSaveModifiedText)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    Type("hola");
    ASSERT_TRUE(Doc()->IsModified());

    BoxSeen seen;
    LRESULT may_end = 1;
    {
        Watcher watcher(AnswerBox(&seen, IDCANCEL));
        may_end = SendMessageA(main_, WM_QUERYENDSESSION, 0, 0);
        watcher.Join();
    }
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_EQ(may_end, 0) << "Cancel keeps the session";
    EXPECT_EQ(Text(), "hola");
    EXPECT_TRUE(Doc()->IsModified());

    seen = BoxSeen();
    {
        Watcher watcher(AnswerBox(&seen, IDNO));
        may_end = SendMessageA(main_, WM_QUERYENDSESSION, 0, 0);
        watcher.Join();
    }
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_NE(may_end, 0) << "No: the text may go with the session";
    EXPECT_NE(EditorWindow(), nullptr) << "asking closes nothing";
}

TEST_F(EditorWindowTest, NewTwiceKeepsOneWindowAndAsksOnlyForModifiedText)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    HWND editor = EditorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(Doc()->IsModified());
    RunExpectingNoBox(main_, ID_FILE_NEW);  // unchanged text: no question
    EXPECT_EQ(EditorWindow(), editor);

    Type("hola");
    EXPECT_EQ(Text(), "hola");
    EXPECT_TRUE(Doc()->IsModified()) << "typing marks the document modified";

    BoxSeen seen;
    Run(main_, ID_FILE_NEW, AnswerBox(&seen, IDCANCEL));
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_EQ(Text(), "hola") << "Cancel abandons the New";
    EXPECT_TRUE(Doc()->IsModified());

    seen = BoxSeen();
    Run(main_, ID_FILE_NEW, AnswerBox(&seen, IDNO));
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_EQ(EditorWindow(), editor) << "the same window";
    EXPECT_EQ(Text(), "") << "No: the text is dropped and the window emptied";
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(OwnTopLevelWindows().size(), 2u) << "main window and one editor window";
}

TEST_F(EditorWindowTest, DiskFileShowsTheBytesUnchangedAndSaveWritesThemBack)
{
    // Mixed line ends, a lone CR, accented ANSI letters, a tab and no final
    // line end: all must survive an open and a save as they are.
    const std::string bytes = "line one\r\nline two\nbare\rCR\r\n\xF1\xE1\xE9 acentos\t\xBF" "fin?";
    const std::string path = folder_ + "texto.txt";
    WriteBytes(path, bytes);

    OpenThroughPrompt(path);
    ASSERT_NE(EditorWindow(), nullptr);
    EXPECT_EQ(Text(), bytes);
    EXPECT_EQ(WindowText(EditorWindow()), "texto.txt");
    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_FALSE(Doc()->IsModified());

    RunExpectingNoBox(EditorWindow(), ID_FILE_SAVE);  // Grabar Fichero
    EXPECT_EQ(ReadBytes(path), bytes);
    EXPECT_EQ(FilesIn(folder_), std::vector<std::string>{"texto.txt"}) << "no file left behind";

    Type(">");  // at the caret, which an open puts at the start
    EXPECT_TRUE(Doc()->IsModified());
    RunExpectingNoBox(EditorWindow(), ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), ">" + bytes);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(EditorWindowTest, CancelInTheOpenPromptOrItsSaveQuestionChangesNothing)
{
    const std::string path = folder_ + "other.txt";
    WriteBytes(path, "other text");
    RunExpectingNoBox(main_, ID_FILE_NEW);
    Type("unsaved");

    Run(main_, ID_FILE_OPEN, [] { ChooseFile("Open", ""); });
    EXPECT_EQ(Text(), "unsaved");
    EXPECT_TRUE(Doc()->IsModified());

    BoxSeen seen;
    Run(main_, ID_FILE_OPEN, [&seen, path] {
        ChooseFile("Open", path);
        AnswerBox(&seen, IDCANCEL)();
    });
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_EQ(Text(), "unsaved");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Doc()->GetPathName(), "");
    EXPECT_EQ(WindowText(EditorWindow()), "Untitled");
    EXPECT_EQ(ProfileValue("File1"), "") << "nothing was opened";
}

TEST_F(EditorWindowTest, CancelInTheSaveQuestionKeepsTheEditorWindow)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    HWND editor = EditorWindow();
    Type("draft");

    BoxSeen seen;
    Run(editor, ID_FILE_CLOSE, AnswerBox(&seen, IDCANCEL));  // Cerrar Fichero
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(Text(), "draft");

    seen = BoxSeen();
    Watcher close_box(AnswerBox(&seen, IDCANCEL));
    PostMessageA(editor, WM_CLOSE, 0, 0);  // the window's close box
    EXPECT_TRUE(PumpUntil(*app_, [&] { return close_box.Done(); }, 20000));
    close_box.Join();
    EXPECT_TRUE(seen.found);
    EXPECT_TRUE(IsWindow(editor));

    seen = BoxSeen();
    Run(editor, ID_FILE_CLOSE, AnswerBox(&seen, IDNO));
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(Editor()->GetFrame(), nullptr);
    EXPECT_TRUE(IsWindow(main_)) << "the program goes on";

    // The next New makes a fresh window with empty text.
    RunExpectingNoBox(main_, ID_FILE_NEW);
    EXPECT_EQ(Text(), "");
}

TEST_F(EditorWindowTest, YesOnAnUntitledTextAsksForANameAndSavesThere)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    HWND editor = EditorWindow();
    Type("nuevo texto");
    const std::string path = folder_ + "saved.txt";

    BoxSeen seen;
    Run(editor, ID_FILE_CLOSE, [&seen, path] {
        AnswerBox(&seen, IDYES)();
        ChooseFile("Save As", path);
    });
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_EQ(ReadBytes(path), "nuevo texto");
    EXPECT_FALSE(IsWindow(editor)) << "saved, then closed";

    // Cancel in the Save As prompt keeps the window and the text.
    RunExpectingNoBox(main_, ID_FILE_NEW);
    Type("otro");
    Run(EditorWindow(), ID_FILE_SAVE, [] { ChooseFile("Save As", ""); });
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Text(), "otro");
    EXPECT_EQ(WindowText(EditorWindow()), "Untitled");
}

TEST_F(EditorWindowTest, ClosingTheMainWindowWithModifiedTextAsksAndCancelKeepsBoth)
{
    const std::string path = folder_ + "carta.txt";
    WriteBytes(path, "Querido amigo");
    OpenThroughPrompt(path);
    HWND editor = EditorWindow();
    ASSERT_NE(editor, nullptr);
    SendMessageA(TheView()->GetEditControl(), EM_SETSEL, 13, 13);
    Type(":");

    BoxSeen seen;
    Watcher cancel(AnswerBox(&seen, IDCANCEL));
    PostMessageA(main_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil(*app_, [&] { return cancel.Done(); }, 20000));
    cancel.Join();
    PumpFor(*app_, 30);
    EXPECT_EQ(seen.text, "Save changes to " + path + "?");
    EXPECT_TRUE(IsWindow(main_));
    EXPECT_TRUE(IsWindow(editor));

    seen = BoxSeen();
    Run(main_, ID_APP_EXIT, AnswerBox(&seen, IDYES));  // Words > Exit
    EXPECT_EQ(seen.text, "Save changes to " + path + "?");
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_EQ(ReadBytes(path), "Querido amigo:");
}

TEST_F(EditorWindowTest, PasteInsertsClipboardTextAtTheCaretAndNothingWithoutIt)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    HWND editor = EditorWindow();
    Type("uno dos tres");
    Doc()->SetModifiedFlag(false);

    ASSERT_TRUE(OpenClipboard(main_));
    EmptyClipboard();
    CloseClipboard();
    RunExpectingNoBox(editor, ID_EDIT_PASTE);  // Copiar desde el Clipboard
    EXPECT_EQ(Text(), "uno dos tres");
    EXPECT_FALSE(Doc()->IsModified()) << "nothing to paste changes nothing";

    const char pasted[] = "DOS\r\ny medio";
    ASSERT_TRUE(OpenClipboard(main_));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
    memcpy(GlobalLock(memory), pasted, sizeof pasted);
    GlobalUnlock(memory);
    ASSERT_NE(SetClipboardData(CF_TEXT, memory), nullptr);
    CloseClipboard();

    SendMessageA(TheView()->GetEditControl(), EM_SETSEL, 4, 7);  // "dos"
    RunExpectingNoBox(editor, ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "uno DOS\r\ny medio tres");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(EditorWindowTest, TooLargeFileIsRefusedAndTheTextStays)
{
    std::string line(62, 'a');
    line += "\r\n";
    std::string largest;
    while (largest.size() + line.size() <= EditView::kDefaultMaxTextSize) largest += line;
    largest.append(EditView::kDefaultMaxTextSize - largest.size(), 'z');
    ASSERT_EQ(largest.size(), EditView::kDefaultMaxTextSize);
    const std::string fits = folder_ + "fits.txt";
    const std::string too_large = folder_ + "large.txt";
    WriteBytes(fits, largest);
    WriteBytes(too_large, largest + "z");

    // With no editor window, a refused file leaves none behind.
    BoxSeen seen;
    Run(main_, ID_FILE_OPEN, [&seen, too_large] {
        ChooseFile("Open", too_large);
        AnswerBox(&seen, IDOK)();
    });
    EXPECT_EQ(seen.text, "The file is too large to open.");
    EXPECT_EQ(Editor()->GetFrame(), nullptr);

    OpenThroughPrompt(fits);
    ASSERT_NE(TheView(), nullptr);
    EXPECT_EQ(Text().size(), largest.size());
    EXPECT_TRUE(Text() == largest);

    seen = BoxSeen();
    Run(main_, ID_FILE_OPEN, [&seen, too_large] {
        ChooseFile("Open", too_large);
        AnswerBox(&seen, IDOK)();
    });
    EXPECT_EQ(seen.text, "The file is too large to open.");
    EXPECT_EQ(Doc()->GetPathName(), fits) << "the open document stays";
    EXPECT_TRUE(Text() == largest);
    EXPECT_EQ(ProfileValue("File1"), "") << "written only at exit";
}

TEST_F(EditorWindowTest, UnreadableFilesAreReportedAndTheTextStays)
{
    const std::string kept = folder_ + "kept.txt";
    WriteBytes(kept, "kept");
    OpenThroughPrompt(kept);
    ASSERT_EQ(Text(), "kept");

    // A zero byte would end the text in the control: the file is refused
    // rather than shown (and later saved) cut short.
    const std::string binary = folder_ + "binary.dat";
    WriteBytes(binary, std::string("ab\0cd", 5));
    BoxSeen seen;
    Run(main_, ID_FILE_OPEN, [&seen, binary] {
        ChooseFile("Open", binary);
        AnswerBox(&seen, IDOK)();
    });
    EXPECT_EQ(seen.text, "Failed to open document.");
    EXPECT_EQ(Text(), "kept");

    // A file another program holds open without sharing.
    const std::string locked = folder_ + "locked.txt";
    WriteBytes(locked, "locked");
    HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    seen = BoxSeen();
    Watcher answer(AnswerBox(&seen, IDOK));
    EXPECT_EQ(Editor()->OpenDocumentFile(locked.c_str(), true), nullptr);
    answer.Join();
    CloseHandle(holder);
    EXPECT_EQ(seen.text, "Unable to read from " + locked + ", it is opened by someone else.");

    // A file that is gone (the prompt only offers existing files, but a
    // file may vanish meanwhile).
    const std::string missing = folder_ + "missing.txt";
    seen = BoxSeen();
    Watcher answer_missing(AnswerBox(&seen, IDOK));
    EXPECT_EQ(Editor()->OpenDocumentFile(missing.c_str(), true), nullptr);
    answer_missing.Join();
    EXPECT_EQ(seen.text, missing +
                             "\nCannot find this file.\nPlease verify that the correct path and "
                             "file name are given.");
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(Doc()->GetPathName(), kept);
}

TEST_F(EditorWindowTest, AFileThatCannotBeWrittenIsReportedAndKeptIntact)
{
    const std::string path = folder_ + "readonly.txt";
    WriteBytes(path, "original");
    OpenThroughPrompt(path);
    Type("changed ");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);

    BoxSeen seen;
    Run(EditorWindow(), ID_FILE_SAVE, AnswerBox(&seen, IDOK));
    EXPECT_EQ(seen.text,
              "Unable to write to " + path + ", it is read-only or opened by someone else.");
    EXPECT_EQ(ReadBytes(path), "original");
    EXPECT_TRUE(Doc()->IsModified()) << "the text is still unsaved";

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    seen = BoxSeen();
    Run(EditorWindow(), ID_FILE_SAVE, AnswerBox(&seen, IDOK));
    CloseHandle(holder);
    EXPECT_EQ(seen.text,
              "Unable to write to " + path + ", it is read-only or opened by someone else.");
    EXPECT_EQ(ReadBytes(path), "original");
    EXPECT_EQ(FilesIn(folder_), std::vector<std::string>{"readonly.txt"}) << "no file left behind";

    RunExpectingNoBox(EditorWindow(), ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), "changed original");
}

TEST_F(EditorWindowTest, InvalidFileNamesAreReportedAsSuch)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    Type("texto");
    const std::string bad = folder_ + "a|b.txt";

    BoxSeen seen;
    Watcher answer_save(AnswerBox(&seen, IDOK));
    EXPECT_FALSE(Doc()->OnSaveDocument(bad));
    answer_save.Join();
    EXPECT_EQ(seen.text, "Invalid filename.");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(FilesIn(folder_).empty());

    Doc()->SetModifiedFlag(false);
    seen = BoxSeen();
    Watcher answer_open(AnswerBox(&seen, IDOK));
    EXPECT_EQ(Editor()->OpenDocumentFile(bad.c_str(), true), nullptr);
    answer_open.Join();
    EXPECT_EQ(seen.text, "Invalid filename.");
    EXPECT_EQ(Text(), "texto");
}

// A document that fails half way through writing itself, as when the disk
// fills up: the old file must survive.
class HalfWritingDoc : public Document {
public:
    void Serialize(Archive& archive) override
    {
        if (archive.IsStoring()) {
            archive.Write("partial", 7);
            archive.SetFailed();
        } else {
            GetFirstView()->SerializeRaw(archive);
        }
    }
};

TEST_F(EditorWindowTest, AFailedSaveLeavesTheOldFileIntact)
{
    const std::string path = folder_ + "precious.txt";
    WriteBytes(path, "precious words\r\n");
    SingleDocTemplate failing(IDR_EDITOR_TEMPLATE, CreateDocument<HalfWritingDoc>,
                              CreateFrame<FrameWnd>, CreateView<EditView>);
    Document* document = failing.OpenDocumentFile(path.c_str(), true);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag();

    BoxSeen seen;
    Watcher answer(AnswerBox(&seen, IDOK));
    EXPECT_FALSE(document->DoFileSave());
    answer.Join();
    EXPECT_EQ(seen.text, "Failed to save document.");
    EXPECT_EQ(ReadBytes(path), "precious words\r\n");
    EXPECT_EQ(FilesIn(folder_), std::vector<std::string>{"precious.txt"}) << "no file left behind";
    EXPECT_TRUE(document->IsModified());
    document->SetModifiedFlag(false);
    failing.CloseDocument();
}

TEST_F(EditorWindowTest, RecentFileListInTheProfileAfterOpenAndSave)
{
    const std::string first = folder_ + "first.txt";
    const std::string second = folder_ + "second.txt";
    WriteBytes(first, "1");
    OpenThroughPrompt(first);
    Type("x");
    Run(EditorWindow(), ID_FILE_SAVE_AS, [second] { ChooseFile("Save As", second); });
    EXPECT_EQ(ReadBytes(second), "x1");
    EXPECT_EQ(WindowText(EditorWindow()), "second.txt");
    OpenThroughPrompt(first);  // moves to the front again

    SendMessageA(main_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(main_));
    app_->ExitInstance();
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_NE(GetFileAttributesA((std::string(windows) + "\\LEXON_V2.INI").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ProfileValue("File1"), first);
    EXPECT_EQ(ProfileValue("File2"), second);
    EXPECT_EQ(ProfileValue("File3"), "");
    app_.reset();
}

std::string CurrentFolder()
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return folder;
}

// The dictionary files are opened by bare name in the working folder: the
// editor's Open and Save As prompts must leave that folder where it was,
// whichever folder the user picks a file in.
TEST_F(EditorWindowTest, OpenAndSaveAsInAnotherFolderKeepTheWorkingFolder)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string working = std::string(temp) + "lexon_editor_working";
    CreateDirectoryA(working.c_str(), nullptr);
    const std::string before = CurrentFolder();
    ASSERT_TRUE(SetCurrentDirectoryA(working.c_str()));
    const std::string expected = CurrentFolder();

    const std::string opened = folder_ + "elsewhere.txt";
    WriteBytes(opened, "lejos");
    OpenThroughPrompt(opened);
    EXPECT_EQ(Text(), "lejos");
    EXPECT_EQ(CurrentFolder(), expected) << "after Open";

    SetCurrentDirectoryA(expected.c_str());
    const std::string saved = folder_ + "copy.txt";
    Run(EditorWindow(), ID_FILE_SAVE_AS, [saved] { ChooseFile("Save As", saved); });
    EXPECT_EQ(ReadBytes(saved), "lejos");
    EXPECT_EQ(CurrentFolder(), expected) << "after Save As";

    SetCurrentDirectoryA(before.c_str());
    RemoveDirectoryA(working.c_str());
}

// While one of the editor's prompts is open, the program's other windows
// take no input: otherwise the user could close the editor (freeing its
// document) or start another command on it from the main window, and the
// prompt's caller would go on with a document that is gone.
TEST_F(EditorWindowTest, TheSaveAsPromptKeepsEveryWindowDisabledAndTheEditorOpen)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    HWND editor = EditorWindow();
    Document* document = Doc();
    Type("borrador");
    const std::string path = folder_ + "draft.txt";

    bool editor_enabled = true, main_enabled = true;
    BoxSeen unexpected;
    Run(editor, ID_FILE_SAVE_AS, [&, editor, path] {
        HWND prompt = WaitForOwnWindow("Save As", 10000);
        ASSERT_NE(prompt, nullptr) << "no Save As prompt";
        editor_enabled = IsWindowEnabled(editor) != FALSE;
        main_enabled = IsWindowEnabled(main_) != FALSE;
        // The editor's close box (as if the user could reach it).
        PostMessageA(editor, WM_CLOSE, 0, 0);
        HWND box = WaitForOwnWindow(kAppTitle, 1500);
        if (box) {  // the close went ahead: keep the editor by Cancel
            unexpected.found = true;
            unexpected.text = WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            Sleep(300);
        }
        ChooseFile("Save As", path);
    });
    EXPECT_FALSE(editor_enabled) << "the editor frame while its Save As prompt is open";
    EXPECT_FALSE(main_enabled) << "the main frame while the editor's Save As prompt is open";
    EXPECT_FALSE(unexpected.found) << "closing the editor asked: " << unexpected.text;
    ASSERT_TRUE(IsWindow(editor)) << "a close request during the prompt is refused";
    EXPECT_EQ(Doc(), document) << "the same document, alive";
    EXPECT_EQ(Doc()->GetPathName(), path);
    EXPECT_FALSE(Doc()->IsModified());
    EXPECT_EQ(ReadBytes(path), "borrador");
    EXPECT_TRUE(IsWindowEnabled(editor));
    EXPECT_TRUE(IsWindowEnabled(main_));
    EXPECT_EQ(GetActiveWindow(), editor) << "the prompt belongs to the editor, which is active again";
}

TEST_F(EditorWindowTest, TheSaveChangesQuestionKeepsEveryWindowDisabledAndTheEditorOpen)
{
    RunExpectingNoBox(main_, ID_FILE_NEW);
    HWND editor = EditorWindow();
    Document* document = Doc();
    Type("sin guardar");

    // Cancel: the question closes, everything stays and is usable again.
    bool editor_enabled = true, main_enabled = true;
    int questions = 0;
    Watcher cancel([&, editor] {
        HWND box = WaitForOwnWindow(kAppTitle, 10000);
        ASSERT_NE(box, nullptr) << "no save question";
        ++questions;
        editor_enabled = IsWindowEnabled(editor) != FALSE;
        main_enabled = IsWindowEnabled(main_) != FALSE;
        // Another close request meanwhile must not ask a second time.
        PostMessageA(editor, WM_CLOSE, 0, 0);
        Sleep(1000);
        for (HWND other : OwnTopLevelWindows())
            if (other != box && WindowText(other) == kAppTitle) {
                ++questions;
                PostMessageA(other, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
                Sleep(300);
            }
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    PostMessageA(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil(*app_, [&] { return cancel.Done(); }, 20000));
    cancel.Join();
    PumpFor(*app_, 50);
    EXPECT_FALSE(editor_enabled) << "the editor frame while its save question is open";
    EXPECT_FALSE(main_enabled) << "the main frame while the editor's save question is open";
    EXPECT_EQ(questions, 1);
    ASSERT_TRUE(IsWindow(editor));
    EXPECT_EQ(Doc(), document);
    EXPECT_EQ(Text(), "sin guardar");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_TRUE(IsWindowEnabled(editor));
    EXPECT_TRUE(IsWindowEnabled(main_));

    // No: the editor closes, the main window is usable again.
    BoxSeen seen;
    Run(editor, ID_FILE_CLOSE, AnswerBox(&seen, IDNO));
    EXPECT_EQ(seen.text, "Save changes to Untitled?");
    EXPECT_FALSE(IsWindow(editor));
    EXPECT_TRUE(IsWindowEnabled(main_));
}

}  // namespace
