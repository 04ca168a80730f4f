#include "translator/app/message_boxes_win32.h"

#include "translator/framework/dialog_colors.h"

#include <windows.h>

const unsigned int Win32MessagePresenter::kErrorBoxStyle =
    MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL | MB_SETFOREGROUND;
const unsigned int Win32MessagePresenter::kInfoBoxStyle =
    MB_OK | MB_ICONINFORMATION | MB_TASKMODAL | MB_SETFOREGROUND;

void Win32MessagePresenter::ShowError(const std::string& text)
{
    ShowColoredMessageBox(nullptr, text.c_str(), kErrorBoxCaption, kErrorBoxStyle);
}

void Win32MessagePresenter::ShowInfo(const std::string& text)
{
    ShowColoredMessageBox(nullptr, text.c_str(), kInfoBoxCaption, kInfoBoxStyle);
}

void Win32MessagePresenter::FatalStop(int exit_code)
{
    ExitProcess(static_cast<UINT>(exit_code));
}
