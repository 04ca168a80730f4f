// Win32MessagePresenter: the MessagePresenter (messages.h) of the windowed
// program. ShowErrorBox and ShowInfoBox become real message boxes with a
// single OK button and no owner window, so that they work the same on the
// user-interface thread and on worker threads:
//   error: caption "ERROR", exclamation icon;
//   info:  caption "Message from Lexon 1.0", information icon.
// Both are task-modal (the calling thread's windows wait for the answer)
// and come to the foreground; they use the program's dialog colours.
// FatalStop ends the process at once with the given exit code.
//
// The program installs one at start-up:
//   static Win32MessagePresenter presenter;
//   SetMessagePresenter(&presenter);
#ifndef LEXON_APP_MESSAGE_BOXES_WIN32_H
#define LEXON_APP_MESSAGE_BOXES_WIN32_H

#include "translator/app/messages.h"

class Win32MessagePresenter : public MessagePresenter {
public:
    void ShowError(const std::string& text) override;
    void ShowInfo(const std::string& text) override;
    [[noreturn]] void FatalStop(int exit_code) override;

    static const unsigned int kErrorBoxStyle;
    static const unsigned int kInfoBoxStyle;
};

#endif
