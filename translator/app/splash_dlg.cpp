#include "translator/app/splash_dlg.h"

bool CSplashDlg::Show(HWND main_window, DWORD minimum_display_ms)
{
    if (!main_window) return false;
    UpdateWindow(main_window);
    if (IsIconic(main_window)) return false;
    if (IsWindow()) return true;
    if (!CreateModeless(main_window)) return false;
    main_window_ = main_window;
    minimum_display_ms_ = minimum_display_ms;
    shown_at_ = GetTickCount();
    // A system-modal dialog stays above every other window (Windows gives
    // DS_SYSMODAL dialogs WS_EX_TOPMOST; not every implementation does).
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(hwnd_);
    PaintPicture();
    return true;
}

bool CSplashDlg::OnInitDialog()
{
    Dialog::OnInitDialog();
    CenterOnOwner();
    return false;  // no control takes the focus
}

void CSplashDlg::DoDataExchange(DataExchange& dx)
{
    dx.Control(IDC_SPLASH_PICTURE, picture_);
}

void CSplashDlg::CenterOnOwner()
{
    RECT area;
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (!owner || !::IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &area))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own;
    GetWindowRect(hwnd_, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSplashDlg::PaintPicture()
{
    HWND frame = picture_.GetHwnd();
    if (!frame) return;
    HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH));
    if (!picture) return;
    HDC frame_dc = GetWindowDC(frame);
    if (frame_dc) {
        HDC memory_dc = CreateCompatibleDC(frame_dc);
        if (memory_dc) {
            HGDIOBJ previous = SelectObject(memory_dc, picture);
            BitBlt(frame_dc, kPictureLeft, kPictureTop, kCopyWidth, kCopyHeight, memory_dc, 0, 0,
                   SRCCOPY);
            SelectObject(memory_dc, previous);
            DeleteDC(memory_dc);
        }
        ReleaseDC(frame, frame_dc);
    }
    DeleteObject(picture);
}

void CSplashDlg::OnApplicationMessage(const MSG& msg)
{
    if (!IsWindow()) return;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        break;
    default:
        return;
    }
    if (GetTickCount() - shown_at_ < minimum_display_ms_) return;
    DestroyWindow(hwnd_);
    if (main_window_ && ::IsWindow(main_window_)) UpdateWindow(main_window_);
}
