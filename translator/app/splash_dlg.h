// CSplashDlg: the splash screen, a modeless dialog (template 127) owned by
// the main window, showing bitmap 128 in its picture frame (control 1032).
//
//   splash.Show(main_window, 0);            // at start-up
//   splash.OnApplicationMessage(msg);       // from the application's
//                                           // message pre-translation
//
// Show repaints the main window and shows nothing when that is minimised
// or the dialog cannot be created. The splash is shown active and topmost,
// and is painted once: it does not repaint itself afterwards. OnApplicationMessage destroys it at the first key
// press (key down or system key down) or mouse button press (left, right,
// middle; client or non-client area) on any window of the user-interface
// thread once the minimum display time has passed, then repaints the main
// window at once. It never consumes the message.
#ifndef LEXON_APP_SPLASH_DLG_H
#define LEXON_APP_SPLASH_DLG_H

#include "translator/app/resource.h"
#include "translator/framework/dialog.h"

class CSplashDlg : public Dialog {
public:
    CSplashDlg() : Dialog(IDD_SPLASH) {}

    bool Show(HWND main_window, DWORD minimum_display_ms);
    void OnApplicationMessage(const MSG& msg);
    bool IsShown() const { return IsWindow(); }
    HWND GetPictureFrame() const { return picture_.GetHwnd(); }

    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& dx) override;

    // Where the picture goes inside the frame control, and how much is
    // copied (the copy is clipped to the frame).
    static const int kPictureLeft = 40;
    static const int kPictureTop = 10;
    static const int kCopyWidth = 700;
    static const int kCopyHeight = 300;

private:
    void PaintPicture();
    void CenterOnOwner();

    Control picture_;
    HWND main_window_ = nullptr;
    DWORD shown_at_ = 0;
    DWORD minimum_display_ms_ = 0;
};

#endif
