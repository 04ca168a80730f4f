#include "tests/gui/gui_test_support.h"

#include <gtest/gtest.h>

void PumpFor(WinApp& app, DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            app.ProcessMessage(msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

bool PumpUntil(WinApp& app, const std::function<bool()>& done, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeout_ms) return done();
        PumpFor(app, 10);
    }
    return true;
}

namespace {

struct WindowSearch {
    std::string caption;
    const char* class_name;
    bool match_caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lparam)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lparam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(hwnd)) return TRUE;
    if (search->match_caption && WindowText(hwnd) != search->caption) return TRUE;
    if (search->class_name) {
        char name[64] = {};
        GetClassNameA(hwnd, name, sizeof name);
        if (lstrcmpA(name, search->class_name) != 0) return TRUE;
    }
    search->found.push_back(hwnd);
    return TRUE;
}

}  // namespace

HWND FindOwnWindow(const std::string& caption, const char* class_name)
{
    WindowSearch search{caption, class_name, true, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

HWND WaitForOwnWindow(const std::string& caption, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = FindOwnWindow(caption);
        if (hwnd || GetTickCount() - start > timeout_ms) return hwnd;
        Sleep(20);
    }
}

std::vector<HWND> OwnTopLevelWindows()
{
    WindowSearch search{std::string(), nullptr, false, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND hwnd)
{
    char text[1024] = {};
    // WM_GETTEXT rather than GetWindowText: it also reads other threads' controls.
    SendMessageA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ItemText(HWND dialog, int control_id)
{
    HWND item = GetDlgItem(dialog, control_id);
    return item ? WindowText(item) : std::string("<no control>");
}

HWND FindIconControl(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) return child;
    }
    return nullptr;
}

COLORREF BrushColor(HBRUSH brush)
{
    LOGBRUSH info = {};
    if (!brush || GetObjectA(brush, sizeof info, &info) != sizeof info || info.lbStyle != BS_SOLID)
        return CLR_INVALID;
    return info.lbColor;
}

Watcher::Watcher(std::function<void()> body)
{
    thread_ = std::thread([this, body]() {
        body();
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    });
}

Watcher::~Watcher()
{
    Join();
}

void Watcher::Join()
{
    if (thread_.joinable()) thread_.join();
}

bool Watcher::Done() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return done_;
}
