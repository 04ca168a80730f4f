#include "translator/framework/window.h"

#include "translator/framework/app.h"

const char Wnd::kWindowClassName[] = "LexonFrameworkWnd";

Wnd::~Wnd()
{
    // A window still alive must not call into a dead object.
    if (hwnd_ && ::IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

bool Wnd::RegisterFrameworkClass()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kWindowClassName, &existing)) return true;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWindowClassName;
    WinApp* app = WinApp::Current();
    if (app) wc.hIcon = app->GetProgramIcon();
    return RegisterClassExA(&wc) != 0;
}

bool Wnd::Create(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                 int height, HWND parent, HMENU menu_or_id)
{
    if (!RegisterFrameworkClass()) return false;
    HWND hwnd = CreateWindowExA(ex_style, kWindowClassName, title, style, x, y, width, height,
                                parent, menu_or_id, GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

void Wnd::Destroy()
{
    if (hwnd_) DestroyWindow(hwnd_);
}

std::string Wnd::GetText() const
{
    if (!hwnd_) return std::string();
    int length = GetWindowTextLengthA(hwnd_);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(hwnd_, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

Wnd* Wnd::FromHandle(HWND hwnd)
{
    if (!hwnd) return nullptr;
    char class_name[64] = {};
    GetClassNameA(hwnd, class_name, sizeof class_name);
    if (lstrcmpA(class_name, kWindowClassName) != 0) return nullptr;
    return reinterpret_cast<Wnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT Wnd::WindowProc(UINT message, WPARAM wparam, LPARAM lparam)
{
    Message m{message, wparam, lparam, 0};
    if (message == WM_COMMAND) {
        if (OnCmdMsg(m)) return m.result;
    } else if (DispatchMessageToMap(m)) {
        return m.result;
    }
    return DefaultProc(message, wparam, lparam);
}

LRESULT Wnd::DefaultProc(UINT message, WPARAM wparam, LPARAM lparam)
{
    return DefWindowProcA(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK Wnd::StaticWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    Wnd* self = reinterpret_cast<Wnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self && message == WM_NCCREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lparam);
        self = static_cast<Wnd*>(cs->lpCreateParams);
        if (self) {
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);

    LRESULT result = 0;
    try {
        result = self->WindowProc(message, wparam, lparam);
    } catch (...) {
        result = DefWindowProcA(hwnd, message, wparam, lparam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        try {
            self->PostNcDestroy();  // may delete self
        } catch (...) {
        }
    }
    return result;
}
