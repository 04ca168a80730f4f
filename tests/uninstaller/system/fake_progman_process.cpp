// FakeProgmanProcess: starts fake_progman_server.exe from the directory of
// the running test program, or from the path the build gives.
#include "tests/uninstaller/system/fake_progman_server.h"
#include "tests/support/windows_path.h"

namespace {

std::string server_program()
{
#ifdef RAVELUP_FAKE_PROGMAN_EXE
    return WindowsPath(RAVELUP_FAKE_PROGMAN_EXE);
#else
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "fake_progman_server.exe";
#endif
}

}  // namespace

FakeProgmanProcess::FakeProgmanProcess()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    char name[64];
    wsprintfA(name, "fakeprogman-%lu.txt", GetCurrentProcessId());
    state_file_ = std::string(temp) + name;
}

FakeProgmanProcess::~FakeProgmanProcess()
{
    stop();
    DeleteFileA(state_file_.c_str());
}

bool FakeProgmanProcess::start(const ProgmanModel& model)
{
    if (process_ != nullptr || !write_progman_state(state_file_, model, {}))
        return false;
    char ready_name[64], quit_name[64];
    static unsigned long serial = 0;
    ++serial;
    wsprintfA(ready_name, "FakeProgmanReady-%lu-%lu", GetCurrentProcessId(), serial);
    wsprintfA(quit_name, "FakeProgmanQuit-%lu-%lu", GetCurrentProcessId(), serial);
    ready_ = CreateEventA(nullptr, TRUE, FALSE, ready_name);
    quit_ = CreateEventA(nullptr, TRUE, FALSE, quit_name);
    std::string command = "\"" + server_program() + "\" \"" + state_file_ + "\" " + ready_name + " " + quit_name;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    HANDLE waits[2] = {ready_, process_};
    return WaitForMultipleObjects(2, waits, FALSE, 30000) == WAIT_OBJECT_0;
}

void FakeProgmanProcess::stop()
{
    if (process_ != nullptr) {
        SetEvent(quit_);
        if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0)
            TerminateProcess(process_, 1);
        CloseHandle(process_);
        process_ = nullptr;
    }
    if (ready_ != nullptr)
        CloseHandle(ready_);
    if (quit_ != nullptr)
        CloseHandle(quit_);
    ready_ = quit_ = nullptr;
}

ProgmanModel FakeProgmanProcess::model()
{
    ProgmanModel model;
    std::vector<std::string> executes;
    read_progman_state(state_file_, &model, &executes);
    return model;
}

std::vector<std::string> FakeProgmanProcess::executes()
{
    ProgmanModel model;
    std::vector<std::string> executes;
    read_progman_state(state_file_, &model, &executes);
    return executes;
}
