#include "translator/framework/data_exchange.h"

#include "translator/framework/app.h"
#include "translator/framework/dialog_colors.h"
#include "translator/framework/message_text.h"

#include <vector>

std::string DataExchange::ReadText(int control_id) const
{
    HWND control = GetDlgItem(dialog_, control_id);
    if (!control) return std::string();
    int length = GetWindowTextLengthA(control);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    int got = GetWindowTextA(control, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

void DataExchange::Text(int control_id, std::string& value)
{
    if (Skip()) return;
    if (ReadingControls())
        value = ReadText(control_id);
    else
        SetDlgItemTextA(dialog_, control_id, value.c_str());
}

void DataExchange::Text(int control_id, std::string& value, size_t max_chars)
{
    if (Skip()) return;
    if (!ReadingControls()) {
        SetDlgItemTextA(dialog_, control_id, value.c_str());
        return;
    }
    std::string text = ReadText(control_id);
    if (text.size() > max_chars) {
        Fail(control_id, FormatMessageText(kTextTooLongMessage, std::to_string(max_chars)));
        return;
    }
    value = text;
}

void DataExchange::Check(int control_id, int& value)
{
    if (Skip()) return;
    if (ReadingControls())
        value = static_cast<int>(IsDlgButtonChecked(dialog_, control_id));
    else
        CheckDlgButton(dialog_, control_id, static_cast<UINT>(value));
}

void DataExchange::Control(int control_id, ::Control& control)
{
    if (Skip()) return;
    if (!control.GetHwnd()) control.Bind(GetDlgItem(dialog_, control_id));
}

void DataExchange::Fail(int control_id, const std::string& message)
{
    failed_ = true;
    WinApp* app = WinApp::Current();
    std::string caption = app ? app->AppTitle() : std::string();
    ShowColoredMessageBox(dialog_, message.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    HWND control = GetDlgItem(dialog_, control_id);
    if (control) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
}
