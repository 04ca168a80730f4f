// DataExchange: moves values between a dialog's members and its controls,
// in one of two named directions. A dialog lists its members once, in its
// DoDataExchange, and the framework runs that list in either direction:
//
//   void CAddWordDlg::DoDataExchange(DataExchange& dx) {
//       dx.Text(IDC_CLASS, class_code_, 5);    // at most 5 characters
//       dx.Text(IDC_SPANISH, spanish_, 21);
//       dx.Control(IDC_LIST, word_list_);      // binds a control member
//   }
//
// ToControls (dialog start-up): members are written into the controls.
// FromControls (OK): controls are read into the members; a text longer
// than its limit fails the exchange: the framework's message "Please enter
// no more than %1 characters." (%1 = the limit) is shown with the
// exclamation icon, the focus goes back to that field with its text
// selected, and every later item of the list is skipped, so members after
// the failing one keep their values. Failed() then tells the caller to
// keep the dialog open.
#ifndef LEXON_FRAMEWORK_DATA_EXCHANGE_H
#define LEXON_FRAMEWORK_DATA_EXCHANGE_H

#include <windows.h>
#include <string>

// A control member: the handle of one dialog control, bound by
// DataExchange::Control.
class Control {
public:
    HWND GetHwnd() const { return hwnd_; }
    void Bind(HWND hwnd) { hwnd_ = hwnd; }
    LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const
    {
        return SendMessageA(hwnd_, message, wparam, lparam);
    }

private:
    HWND hwnd_ = nullptr;
};

class DataExchange {
public:
    enum class Direction { ToControls, FromControls };

    DataExchange(HWND dialog, Direction direction) : dialog_(dialog), direction_(direction) {}

    bool ReadingControls() const { return direction_ == Direction::FromControls; }
    Direction GetDirection() const { return direction_; }
    bool Failed() const { return failed_; }

    // Text of control_id (edit, static, button) <-> value.
    void Text(int control_id, std::string& value);
    // The same with the length check when reading the controls.
    void Text(int control_id, std::string& value, size_t max_chars);
    // Check box or radio button state (BST_CHECKED etc.) <-> value.
    void Check(int control_id, int& value);
    // Binds control to the dialog's control control_id (both directions).
    void Control(int control_id, ::Control& control);

private:
    bool Skip() const { return failed_; }
    void Fail(int control_id, const std::string& message);
    std::string ReadText(int control_id) const;

    HWND dialog_;
    Direction direction_;
    bool failed_ = false;
};

#endif
