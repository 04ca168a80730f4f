// Helpers of the tests that need Wine's simulated restart or a file held
// open as a running program holds it.
#ifndef RAVELUP_TESTS_WINE_RESTART_H
#define RAVELUP_TESTS_WINE_RESTART_H

#include <windows.h>

#include <string>

// True under Wine (ntdll exports wine_get_version), where "wineboot -r"
// stands in for a restart of Windows.
inline bool running_under_wine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Runs "wineboot -r", the simulated restart, and waits for it: the
// renames and deletions scheduled for the next start are carried out.
inline bool simulate_restart()
{
    char command[] = "wineboot.exe -r";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    DWORD waited = WaitForSingleObject(process.hProcess, 120000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return waited == WAIT_OBJECT_0;
}

// Holds a file open without any sharing, as a running program holds its
// executable or a DLL.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldOpen() { release(); }
    HeldOpen(const HeldOpen&) = delete;
    HeldOpen& operator=(const HeldOpen&) = delete;
    bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
    void release()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

#endif
