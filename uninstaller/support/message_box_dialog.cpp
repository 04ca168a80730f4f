#include "uninstaller/support/message_box_dialog.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

void copy_cut(char* target, size_t target_size, const char* source)
{
    std::snprintf(target, target_size, "%s", source != nullptr ? source : "");
}

}  // namespace

MessageBoxDialog::MessageBoxDialog() = default;

void MessageBoxDialog::set_text(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vsnprintf(text_, sizeof text_, format, args);
    va_end(args);
}

void MessageBoxDialog::set_icon(int icon_type)
{
    const char* id = nullptr;
    switch (icon_type) {
    case MB_ICONHAND: id = IDI_HAND; break;
    case MB_ICONQUESTION: id = IDI_QUESTION; break;
    case MB_ICONEXCLAMATION: id = IDI_EXCLAMATION; break;
    case MB_ICONASTERISK: id = IDI_ASTERISK; break;
    default: break;
    }
    icon_ = id != nullptr ? LoadIconA(nullptr, id) : nullptr;
}

void MessageBoxDialog::set_buttons(int button_type)
{
    switch (button_type) {
    case MB_OK:
        set_labels("&OK");
        set_esc_button(0);
        break;
    case MB_OKCANCEL:
        set_labels("&OK", "&Cancel");
        set_esc_button(1);
        break;
    case MB_YESNO:
        set_labels("&Yes", "&No");
        set_esc_button(1);
        break;
    case MB_RETRYCANCEL:
        set_labels("&Retry", "&Cancel");
        set_esc_button(1);
        break;
    default:
        break;
    }
}

void MessageBoxDialog::set_labels(const char* first, const char* second, const char* third)
{
    const char* given[kMaxButtons] = {first, second, third};
    button_count_ = 0;
    for (int i = 0; i < kMaxButtons; ++i) {
        labels_[i][0] = '\0';
        if (given[i] == nullptr)
            continue;
        copy_cut(labels_[i], sizeof labels_[i], given[i]);
        button_count_ = i + 1;
    }
}

void MessageBoxDialog::set_esc_button(int index)
{
    esc_button_ = index < 0 ? -1 : kMsgBoxFirstButtonId + index;
}

int MessageBoxDialog::show(HWND owner, const char* caption, bool center)
{
    copy_cut(caption_, sizeof caption_, caption != nullptr ? caption : "Error");
    center_ = center;
    char template_name[16];
    std::snprintf(template_name, sizeof template_name, "dlgmsgbox%d", button_count_);
    return static_cast<int>(run_modal(owner, template_name));
}

void MessageBoxDialog::on_init_dialog()
{
    SetWindowTextA(window_, caption_);
    SetDlgItemTextA(window_, kMsgBoxTextId, text_);
    if (icon_ != nullptr) {
        HWND icon_control = GetDlgItem(window_, kMsgBoxIconId);
        SendMessageA(icon_control, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
        ShowWindow(icon_control, SW_SHOW);
    }
    for (int i = 0; i < button_count_; ++i)
        SetDlgItemTextA(window_, kMsgBoxFirstButtonId + i, labels_[i]);
    if (center_)
        center_window(window_, GetParent(window_));
}

INT_PTR MessageBoxDialog::handle_message(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wparam);
        if (id == IDOK) {
            if (button_count_ > 0)
                EndDialog(window_, 0);
            return TRUE;
        }
        if (id == IDCANCEL) {
            if (esc_button_ != -1)
                EndDialog(window_, esc_button_ - kMsgBoxFirstButtonId);
            return TRUE;
        }
        if (id >= kMsgBoxFirstButtonId && id < kMsgBoxFirstButtonId + button_count_) {
            EndDialog(window_, id - kMsgBoxFirstButtonId);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}
