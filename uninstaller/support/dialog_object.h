// DialogObject: the base of every dialog of the uninstaller (main dialog,
// about box, quit question, message boxes).
//
// A dialog object is a C++ object that owns the state of one dialog window;
// its handle_message is the dialog procedure of that window. One static
// procedure (dialog_proc) serves every dialog: at WM_INITDIALOG it stores
// the object (the creation parameter) in the window's DWLP_USER slot and the
// window in the object; later messages are handed to the object found in
// that slot (messages that come before WM_INITDIALOG return 0).
//
// Use: derive, implement handle_message, then run_modal(owner, "TEMPLATE").
// A modeless window made with create_modeless belongs to the object
// (ownership word set) and must be destroyed with del() before the object
// is: otherwise the destructor says "del() must be called before
// destruction" in a plain system message box. Modal dialogs never own their
// window, so for them the check never fires.
//
// When the platform asks for the 3-D look (PlatformInfo), the dialog is made
// from a copy of its template with DS_3DLOOK added to the style.
#ifndef RAVELUP_SUPPORT_DIALOG_OBJECT_H
#define RAVELUP_SUPPORT_DIALOG_OBJECT_H

#include <windows.h>

extern const char kDelBeforeDestructionText[];   // "del() must be called before destruction"

class DialogObject {
public:
    DialogObject() = default;
    DialogObject(const DialogObject&) = delete;
    DialogObject& operator=(const DialogObject&) = delete;
    virtual ~DialogObject();

    // The dialog procedure of this object's window: returns what a dialog
    // procedure returns (TRUE when handled, or the value for the message).
    virtual INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam) = 0;

    // Runs the dialog modally; returns the value given to EndDialog, or -1
    // when the dialog cannot be created.
    INT_PTR run_modal(HWND owner, const char* template_name);

    // Creates the dialog modeless; the object owns the window until del().
    bool create_modeless(HWND owner, const char* template_name);

    // Destroys the window this object owns (if any).
    void del();

    HWND window() const { return window_; }
    bool owns_window() const { return owns_window_ != 0; }

    static INT_PTR CALLBACK dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

protected:
    HWND window_ = nullptr;

private:
    int owns_window_ = 0;   // the window-ownership word
};

// Centres window over `over`, or when that is null over its parent, or when
// it has none over the desktop, then pushes it back inside the screen. The
// size does not change.
void center_window(HWND window, HWND over);

// The position centre_window gives a window of the given size over the
// rectangle `over` on a screen of screen_width x screen_height pixels.
POINT centered_position(const RECT& over, int width, int height, int screen_width, int screen_height);

// A copy of dialog template `template_name` from module `instance`, with
// DS_3DLOOK added to its style (both DLGTEMPLATE and DLGTEMPLATEEX). The
// caller frees it with delete[]; nullptr when the template is missing.
unsigned char* copy_template_with_3d_look(HINSTANCE instance, const char* template_name);

// The module whose resources hold the dialog templates (the executable).
HINSTANCE resource_instance();

#endif
