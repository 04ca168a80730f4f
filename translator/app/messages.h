// The translator's two message boxes and its fatal stop.
//
// ShowErrorBox shows text under the caption "ERROR" with the exclamation
// icon; ShowInfoBox under "Message from Lexon 1.0" with the information icon.
// Both have a single OK button and no owner window, so worker threads use
// them as freely as the user-interface thread; both return when the user has
// closed the box.
//
// FatalStop ends the program after an unrecoverable storage failure (memory
// or index page input/output), once its message has been shown. It ends the
// program with kFatalExitCode so that the failure is never reported as
// success.
//
// All three go through one MessagePresenter so that code without windows
// (the storage and translation classes) can use them: the program installs a
// presenter that shows real message boxes, the command-line tools one that
// writes to standard error, the tests one that records what was shown.
// This header includes no <windows.h>.
#ifndef LEXON_APP_MESSAGES_H
#define LEXON_APP_MESSAGES_H

#include <string>

extern const char kErrorBoxCaption[];   // "ERROR"
extern const char kInfoBoxCaption[];    // "Message from Lexon 1.0"
const int kFatalExitCode = 3;

class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual void ShowError(const std::string& text) = 0;
    virtual void ShowInfo(const std::string& text) = 0;
    // Ends the program (or, in tests, the operation) and never returns.
    [[noreturn]] virtual void FatalStop(int exit_code) = 0;
};

// The presenter that writes "ERROR: text" / "text" lines to standard error
// and ends the process with the given exit code. It is in place until
// another is installed.
class StderrMessagePresenter : public MessagePresenter {
public:
    void ShowError(const std::string& text) override;
    void ShowInfo(const std::string& text) override;
    [[noreturn]] void FatalStop(int exit_code) override;
};

// Installs presenter (never null) and returns the one it replaces. Called
// at program start, before any worker thread exists.
MessagePresenter* SetMessagePresenter(MessagePresenter* presenter);
MessagePresenter& CurrentMessagePresenter();

void ShowErrorBox(const char* text);
void ShowInfoBox(const char* text);
inline void ShowErrorBox(const std::string& text) { ShowErrorBox(text.c_str()); }
inline void ShowInfoBox(const std::string& text) { ShowInfoBox(text.c_str()); }
[[noreturn]] void FatalStop();

#endif
