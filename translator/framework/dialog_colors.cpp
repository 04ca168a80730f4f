#include "translator/framework/dialog_colors.h"

namespace {

// Written once at start-up, before any worker thread exists; read after.
bool g_colors_set = false;
COLORREF g_background = 0;
COLORREF g_text = 0;
HBRUSH g_background_brush = nullptr;

const char kOldProcProperty[] = "LexonColoredBoxOldProc";

LRESULT CALLBACK ColoredBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    WNDPROC old_proc = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kOldProcProperty));
    HBRUSH brush = AnswerDialogColorMessage(message, reinterpret_cast<HDC>(wparam));
    if (brush) return reinterpret_cast<LRESULT>(brush);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_proc));
        RemovePropA(hwnd, kOldProcProperty);
    }
    return old_proc ? CallWindowProcA(old_proc, hwnd, message, wparam, lparam)
                    : DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT CALLBACK MessageBoxCreationHook(int code, WPARAM wparam, LPARAM lparam)
{
    if (code == HCBT_CREATEWND) {
        HWND hwnd = reinterpret_cast<HWND>(wparam);
        char class_name[16] = {};
        GetClassNameA(hwnd, class_name, sizeof class_name);
        if (lstrcmpA(class_name, "#32770") == 0 && !GetPropA(hwnd, kOldProcProperty)) {
            LONG_PTR old_proc = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
            SetPropA(hwnd, kOldProcProperty, reinterpret_cast<HANDLE>(old_proc));
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColoredBoxProc));
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

void SetDialogColors(COLORREF background, COLORREF text)
{
    if (g_background_brush) DeleteObject(g_background_brush);
    g_background = background;
    g_text = text;
    g_background_brush = CreateSolidBrush(background);
    g_colors_set = g_background_brush != nullptr;
}

bool DialogColorsSet() { return g_colors_set; }
COLORREF DialogBackgroundColor() { return g_background; }
COLORREF DialogTextColor() { return g_text; }

HBRUSH AnswerDialogColorMessage(UINT message, HDC dc)
{
    if (!g_colors_set) return nullptr;
    switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORMSGBOX:
        SetTextColor(dc, g_text);
        SetBkColor(dc, g_background);
        return g_background_brush;
    default:
        return nullptr;
    }
}

int ShowColoredMessageBox(HWND owner, const char* text, const char* caption, UINT flags)
{
    HHOOK hook = nullptr;
    if (g_colors_set)
        hook = SetWindowsHookExA(WH_CBT, MessageBoxCreationHook, nullptr, GetCurrentThreadId());
    int result = MessageBoxA(owner, text, caption, flags);
    if (hook) UnhookWindowsHookEx(hook);
    return result;
}
