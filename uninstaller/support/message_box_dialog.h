// MessageBoxDialog: the uninstaller's own message box, made from the dialog
// templates DLGMSGBOX0 .. DLGMSGBOX4 (the number is the count of buttons), so
// that messages share the program's font, 3-D look and button texts.
//
// Template controls: icon static 101 (hidden unless an icon is set), text
// static 102, buttons 103, 104, ... The result of show() is the 0-based
// index of the button chosen, or -1 when the dialog cannot be created.
//
//   MessageBoxDialog box;
//   box.set_text("Directory %s not empty", path);
//   box.set_icon(MB_ICONQUESTION);
//   box.set_buttons(MB_YESNO);           // "&Yes" = 0, "&No" = 1 (also Esc)
//   int answer = box.show(owner, "Non-Empty Directory", true);
//
// Enter acts as the first button (when there is one); Esc and the close box
// act as the Esc button when one is set and do nothing otherwise.
#ifndef RAVELUP_SUPPORT_MESSAGE_BOX_DIALOG_H
#define RAVELUP_SUPPORT_MESSAGE_BOX_DIALOG_H

#include "uninstaller/support/dialog_object.h"

class MessageBoxDialog : public DialogObject {
public:
    static const int kMaxButtons = 3;
    static const int kCaptionSize = 40;   // 39 characters and the NUL
    static const int kTextSize = 1024;
    static const int kLabelSize = 20;

    MessageBoxDialog();

    // printf-style; longer texts are cut at 1023 characters.
    void set_text(const char* format, ...);
    // 16 hand, 32 question, 48 exclamation, 64 asterisk; other values: none.
    void set_icon(int icon_type);
    // MB_OK (0), MB_OKCANCEL (1), MB_YESNO (4), MB_RETRYCANCEL (5); other
    // types change nothing.
    void set_buttons(int button_type);
    // One, two or three custom labels (null for the missing ones).
    void set_labels(const char* first, const char* second = nullptr, const char* third = nullptr);
    // Esc chooses button index `index` (-1: Esc does nothing).
    void set_esc_button(int index);

    int show(HWND owner, const char* caption, bool center);

    int button_count() const { return button_count_; }
    int esc_button() const { return esc_button_; }
    const char* text() const { return text_; }
    const char* label(int index) const { return labels_[index]; }
    HICON icon() const { return icon_; }

    INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    void on_init_dialog();

    int button_count_ = 0;
    int esc_button_ = -1;       // -1, otherwise the control id 103 + index
    bool center_ = true;
    HICON icon_ = nullptr;      // a shared system icon, never destroyed
    char caption_[kCaptionSize] = "";
    char text_[kTextSize] = "";
    char labels_[kMaxButtons][kLabelSize] = {};
};

// Control ids of the message box templates.
const int kMsgBoxIconId = 101;
const int kMsgBoxTextId = 102;
const int kMsgBoxFirstButtonId = 103;

#endif
