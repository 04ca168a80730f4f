// LEXON_V2.exe seen from outside: a driver starts the real program under
// Wine, finds its windows, sends it input and closes it.
#include "translator/storage/dictionary.h"
#include "translator/storage/integrity_check.h"
#include "tests/support/windows_path.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#ifndef LEXON_V2_EXE
#error "LEXON_V2_EXE must name the program under test"
#endif

namespace {

const char kMainTitle[] = "Lexon 1.0 32 bits for Windows 95/Windows NT";
const int kSplashPictureId = 1032;

std::string ProgramPath() { return WindowsPath(LEXON_V2_EXE); }

std::string TextOf(HWND hwnd)
{
    char text[512] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

struct Collect {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND hwnd, LPARAM lparam)
{
    Collect* c = reinterpret_cast<Collect*>(lparam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == c->pid && IsWindowVisible(hwnd)) c->windows.push_back(hwnd);
    return TRUE;
}

class RunningProgram {
public:
    RunningProgram(const std::string& arguments, WORD show, const std::string& folder = "")
    {
        std::string command = "\"" + ProgramPath() + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = show;
        std::vector<char> line(command.begin(), command.end());
        line.push_back('\0');
        started_ = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &si,
                                  &process_) != 0;
        if (started_) WaitForInputIdle(process_.hProcess, 10000);
    }
    ~RunningProgram()
    {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            HWND main = MainWindow(0);
            if (main) PostMessageA(main, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT)
                TerminateProcess(process_.hProcess, 99);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    bool Started() const { return started_; }

    std::vector<HWND> Windows() const
    {
        Collect c{process_.dwProcessId, {}};
        EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&c));
        return c.windows;
    }
    HWND MainWindow(DWORD wait_ms) const
    {
        DWORD start = GetTickCount();
        do {
            for (HWND w : Windows())
                if (TextOf(w) == kMainTitle) return w;
            Sleep(50);
        } while (GetTickCount() - start < wait_ms);
        return nullptr;
    }
    HWND Splash(DWORD wait_ms) const
    {
        DWORD start = GetTickCount();
        do {
            for (HWND w : Windows())
                if (ClassOf(w) == "#32770" && GetDlgItem(w, kSplashPictureId)) return w;
            Sleep(50);
        } while (GetTickCount() - start < wait_ms);
        return nullptr;
    }
    // Waits until the splash is gone; true when it went.
    bool SplashGone(DWORD wait_ms) const
    {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < wait_ms) {
            if (!Splash(0)) return true;
            Sleep(50);
        }
        return !Splash(0);
    }
    DWORD ExitCode(DWORD wait_ms) const
    {
        WaitForSingleObject(process_.hProcess, wait_ms);
        DWORD code = 12345;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION process_ = {};
};

TEST(ProgramTest, StartsWithTheSplashWhichAKeyRemovesAndMouseMovesDoNot)
{
    RunningProgram program("", SW_SHOWNORMAL);
    ASSERT_TRUE(program.Started()) << ProgramPath();
    HWND main = program.MainWindow(15000);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsIconic(main));
    HWND splash = program.Splash(5000);
    ASSERT_NE(splash, nullptr) << "the splash is shown at start";
    EXPECT_EQ(GetWindow(splash, GW_OWNER), main);

    PostMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    PostMessageA(main, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(20, 20));
    Sleep(700);
    EXPECT_NE(program.Splash(0), nullptr) << "mouse moves leave the splash";

    PostMessageA(main, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_TRUE(program.SplashGone(5000)) << "a key press removes the splash";
    EXPECT_TRUE(IsWindow(main));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(10000), 0u);
}

TEST(ProgramTest, AMouseButtonOnTheMainWindowRemovesTheSplash)
{
    RunningProgram program("", SW_SHOWNORMAL);
    ASSERT_TRUE(program.Started());
    HWND main = program.MainWindow(15000);
    ASSERT_NE(main, nullptr);
    ASSERT_NE(program.Splash(5000), nullptr);
    PostMessageA(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    EXPECT_TRUE(program.SplashGone(5000));
}

TEST(ProgramTest, CommandLineArgumentOpensNothing)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string file = std::string(temp) + "lexon_cmdline.txt";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "hello world\r\n", 13, &written, nullptr);
    CloseHandle(h);

    RunningProgram program("\"" + file + "\"", SW_SHOWNORMAL);
    ASSERT_TRUE(program.Started());
    HWND main = program.MainWindow(15000);
    ASSERT_NE(main, nullptr);
    HWND splash = program.Splash(5000);
    ASSERT_NE(splash, nullptr);
    Sleep(1000);
    std::vector<HWND> windows = program.Windows();
    EXPECT_EQ(windows.size(), 2u) << "only the main window and the splash";
    for (HWND w : windows) EXPECT_TRUE(w == main || w == splash) << TextOf(w);
    EXPECT_EQ(TextOf(main), kMainTitle);
    DeleteFileA(file.c_str());
}

TEST(ProgramTest, StartedMinimisedShowsNoSplash)
{
    RunningProgram program("", SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(program.Started());
    HWND main = program.MainWindow(15000);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsIconic(main));
    Sleep(1000);
    EXPECT_EQ(program.Splash(0), nullptr);
}

// A window of the program with the given caption, or null.
HWND FindProgramWindow(const RunningProgram& program, const std::string& caption, DWORD wait_ms)
{
    DWORD start = GetTickCount();
    do {
        for (HWND w : program.Windows())
            if (TextOf(w) == caption) return w;
        Sleep(50);
    } while (GetTickCount() - start < wait_ms);
    return nullptr;
}

// A folder of its own under the temporary folder, removed with its files.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* name)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + name;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        for (const char* file : {"mixto.dbf", "mixing.mgm", "mixesp.mgm"})
            DeleteFileA(File(file).c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

TEST(ProgramTest, IndexRebuildsBothIndexesOfTheDictionaryInTheWorkingFolder)
{
    ScratchFolder folder("lexon_index_e2e");
    DictionaryFiles files = DictionaryFiles::InFolder(folder.Path());
    ASSERT_EQ(CreateDictionary(files, 2026, 12, 8), 0);
    const char* pairs[][3] = {{"house", "casa", "n"}, {"dog", "perro", "n"},
                              {"to walk", "andar", "v"}, {"green", "verde", "adj"}};
    for (const auto& pair : pairs) ASSERT_EQ(AddWordPair(pair[0], pair[1], pair[2], files), 0);
    // Lose both indexes: an empty index file of the wrong kind for each.
    ASSERT_TRUE(DeleteFileA(folder.File("mixing.mgm").c_str()));
    ASSERT_TRUE(DeleteFileA(folder.File("mixesp.mgm").c_str()));
    ASSERT_FALSE(CheckDictionary(files).Consistent());

    RunningProgram program("", SW_SHOWNORMAL, folder.Path());
    ASSERT_TRUE(program.Started());
    HWND main = program.MainWindow(15000);
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_KEYDOWN, VK_SHIFT, 1);   // away with the splash
    ASSERT_TRUE(program.SplashGone(5000));

    PostMessageA(main, WM_COMMAND, 32773 /* Options > Index */, 0);
    HWND question = FindProgramWindow(program, "Question", 10000);
    ASSERT_NE(question, nullptr) << "the Index confirmation";
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(question, IDOK)));

    // The worker rebuilds both indexes; wait until the files are whole.
    DictionaryCheckResult check;
    DWORD start = GetTickCount();
    do {
        Sleep(300);
        check = CheckDictionary(files);
    } while (!check.Consistent() && GetTickCount() - start < 30000);
    for (const std::string& fault : check.faults) ADD_FAILURE() << fault;
    EXPECT_EQ(check.live_records, 4u);
    IndexCheckResult english = CheckIndexFile(folder.File("mixing.mgm"));
    ASSERT_EQ(english.entries.size(), 4u);
    EXPECT_EQ(english.entries[0].key.substr(0, 3), "dog");
    EXPECT_EQ(english.entries[0].record, 2);
    EXPECT_EQ(CheckIndexFile(folder.File("mixesp.mgm")).entries.size(), 4u);
    EXPECT_TRUE(IsWindow(main)) << "the program goes on after the rebuild";
}

}  // namespace
