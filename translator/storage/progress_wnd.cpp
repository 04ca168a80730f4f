#include "translator/storage/progress_wnd.h"

const char kProgressWindowClass[] = "LexonProgressWnd";
const char kProgressWindowTitle[] = "  ";

namespace {

bool RegisterProgressClass(HINSTANCE instance)
{
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kProgressWindowClass, &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;   // replaced per window below
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kProgressWindowClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

CProgressWnd::CProgressWnd()
    : hwnd_(nullptr), total_(0), position_(0), brush_(CreateSolidBrush(RGB(0, 0, 0))), dc_(nullptr)
{
}

CProgressWnd::~CProgressWnd()
{
    Destroy();
    if (brush_) DeleteObject(brush_);
}

bool CProgressWnd::Create(uint32_t total)
{
    total_ = total;
    position_ = 0;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterProgressClass(instance)) return false;
    // The screen rectangle (1, 1)-(300, 50).
    hwnd_ = CreateWindowExA(0, kProgressWindowClass, kProgressWindowTitle, WS_OVERLAPPEDWINDOW, 1, 1, 300 - 1,
                            50 - 1, nullptr, nullptr, instance, nullptr);
    if (!hwnd_) return false;
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CProgressWnd::WindowProc));
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    return true;
}

HDC CProgressWnd::GetDrawingContext()
{
    if (hwnd_ && !dc_) dc_ = GetDC(hwnd_);
    return dc_;
}

void CProgressWnd::ReleaseDrawingContext()
{
    if (hwnd_ && dc_) ReleaseDC(hwnd_, dc_);
    dc_ = nullptr;
}

void CProgressWnd::Destroy()
{
    ReleaseDrawingContext();
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void CProgressWnd::PaintBar(HDC dc)
{
    if (!dc || total_ == 0) return;
    RECT bar = {0, 0, ProgressBarLength(position_, total_, kProgressBarWidth), 50};
    FillRect(dc, &bar, brush_);
}

void CProgressWnd::Update(uint32_t position)
{
    position_ = position;
    if (!hwnd_) return;
    // Handle what is pending for this thread's windows (paint, move), so
    // the window stays responsive while the walk runs.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    HDC dc = dc_ ? dc_ : GetDC(hwnd_);
    PaintBar(dc);
    if (!dc_) ReleaseDC(hwnd_, dc);
}

LRESULT CALLBACK CProgressWnd::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    CProgressWnd* self = reinterpret_cast<CProgressWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        self->PaintBar(dc);
        EndPaint(hwnd, &paint);
        return 0;
    }
    if (message == WM_CLOSE) return 0;   // the walk ends it, not the user
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

bool WindowRebuildProgress::Start(uint32_t total)
{
    delete window_;
    window_ = new CProgressWnd;
    if (!window_->Create(total)) return false;
    window_->GetDrawingContext();
    return true;
}

void WindowRebuildProgress::Update(uint32_t position)
{
    if (window_) window_->Update(position);
}

void WindowRebuildProgress::Finish()
{
    if (!window_) return;
    window_->ReleaseDrawingContext();
    delete window_;
    window_ = nullptr;
}
