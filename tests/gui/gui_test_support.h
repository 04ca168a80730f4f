// Helpers for the GUI tests that run the real windows in-process under
// Wine: message pumping through the application's own loop body, finding
// this process's top-level windows by caption, answering modal windows from
// a watcher thread, and a WorkerLauncher that records instead of starting.
#ifndef LEXON_TESTS_GUI_TEST_SUPPORT_H
#define LEXON_TESTS_GUI_TEST_SUPPORT_H

#include "translator/framework/app.h"
#include "translator/framework/worker_thread.h"

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Runs the application's message loop body for ms milliseconds.
void PumpFor(WinApp& app, DWORD ms);
// Pumps until done() is true or timeout_ms passed; returns done().
bool PumpUntil(WinApp& app, const std::function<bool()>& done, DWORD timeout_ms = 5000);

// A visible top-level window of this process with exactly this caption
// (and, when class_name is given, this window class), or null.
HWND FindOwnWindow(const std::string& caption, const char* class_name = nullptr);
// Waits up to timeout_ms for such a window.
HWND WaitForOwnWindow(const std::string& caption, DWORD timeout_ms = 5000);
// Every visible top-level window of this process.
std::vector<HWND> OwnTopLevelWindows();

std::string WindowText(HWND hwnd);
std::string ItemText(HWND dialog, int control_id);
// The child of dialog that shows an icon (a static with SS_ICON), or null.
HWND FindIconControl(HWND dialog);
// The colour of a solid brush; CLR_INVALID when it is not one.
COLORREF BrushColor(HBRUSH brush);

// Runs body on a separate thread; Join() waits for it. Failures inside the
// body are recorded with ADD_FAILURE (thread-safe in GoogleTest).
class Watcher {
public:
    explicit Watcher(std::function<void()> body);
    ~Watcher();
    void Join();
    bool Done() const;

private:
    std::thread thread_;
    mutable std::mutex mutex_;
    bool done_ = false;
};

struct StartedWorker {
    WorkerProc proc;
    void* param;
};

class RecordingLauncher : public WorkerLauncher {
public:
    RecordingLauncher() : previous_(SetWorkerLauncher(this)) {}
    ~RecordingLauncher() override { SetWorkerLauncher(previous_); }
    bool Start(WorkerProc proc, void* param) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        started_.push_back({proc, param});
        return true;
    }
    std::vector<StartedWorker> Started() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return started_;
    }

private:
    WorkerLauncher* previous_;
    mutable std::mutex mutex_;
    std::vector<StartedWorker> started_;
};

#endif
