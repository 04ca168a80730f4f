#include "tests/uninstaller/gui/dialog_driver.h"

#include <vector>

namespace {

struct Search {
    const char* caption;
    const char* static_text;
    HWND found;
};

bool is_own_dialog(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window))
        return false;
    char class_name[32] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    return lstrcmpA(class_name, "#32770") == 0;
}

BOOL CALLBACK find_static_text(HWND child, LPARAM lparam)
{
    Search* search = reinterpret_cast<Search*>(lparam);
    if (window_text(child) == search->static_text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK find_dialog(HWND window, LPARAM lparam)
{
    Search* search = reinterpret_cast<Search*>(lparam);
    if (!is_own_dialog(window))
        return TRUE;
    if (search->caption != nullptr) {
        if (window_text(window) == search->caption) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    Search inner = {nullptr, search->static_text, nullptr};
    EnumChildWindows(window, find_static_text, reinterpret_cast<LPARAM>(&inner));
    if (inner.found != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND poll(Search search, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        search.found = nullptr;
        EnumWindows(find_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            Sleep(50);   // let WM_INITDIALOG and the first paint finish
            return search.found;
        }
        Sleep(20);
    }
    return nullptr;
}

LRESULT CALLBACK owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

HWND wait_for_dialog(const char* caption, DWORD timeout_ms)
{
    return poll({caption, nullptr, nullptr}, timeout_ms);
}

HWND wait_for_message_box_with_text(const char* text, DWORD timeout_ms)
{
    return poll({nullptr, text, nullptr}, timeout_ms);
}

bool wait_until_closed(HWND window, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeout_ms)
            return false;
        Sleep(20);
    }
    return true;
}

std::string window_text(HWND window)
{
    char text[1024] = "";
    // WM_GETTEXT through SendMessage works across threads (GetWindowText
    // does not ask windows of other threads for the text of controls).
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string control_text(HWND dialog, int id)
{
    return window_text(id == -1 ? dialog : GetDlgItem(dialog, id));
}

void press_key(HWND dialog, UINT virtual_key)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND target = dialog;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus != nullptr)
        target = info.hwndFocus;
    UINT scan = MapVirtualKeyA(virtual_key, 0);
    PostMessageA(target, WM_KEYDOWN, virtual_key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, virtual_key, 1 | (scan << 16) | (3u << 30));
}

void click_button(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

RECT window_rect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

OwnerWindow::OwnerWindow(int x, int y, int width, int height)
{
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = owner_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "RavelupTestOwner";
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    RegisterClassA(&window_class);   // fails harmlessly when already registered
    window_ = CreateWindowExA(0, "RavelupTestOwner", "owner", WS_POPUP | WS_VISIBLE, x, y, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

OwnerWindow::~OwnerWindow()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}
