// Helpers that drive the real dialogs of the uninstaller from a second
// thread while the test's thread sits in the dialog's modal loop: find a
// dialog of this process by its caption, read its controls, press keys and
// buttons, wait for it to close.
//
//   DialogWatcher watcher([] {
//       HWND box = wait_for_dialog("Warning");
//       press_key(box, VK_ESCAPE);
//   });
//   int answer = box.show(...);      // returns once the watcher answered
//   watcher.join();
#ifndef RAVELUP_TESTS_DIALOG_DRIVER_H
#define RAVELUP_TESTS_DIALOG_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// A visible top-level window of this process with exactly this caption
// (class #32770, a dialog), or nullptr after timeout_ms.
HWND wait_for_dialog(const char* caption, DWORD timeout_ms = 10000);
// Waits until the window no longer exists; false after timeout_ms.
bool wait_until_closed(HWND window, DWORD timeout_ms = 10000);
// The text of a control of the dialog (or of the window itself for id -1).
std::string control_text(HWND dialog, int id);
std::string window_text(HWND window);
// Posts a key press (down and up) to the control that has the focus in the
// dialog's thread, as the keyboard would deliver it.
void press_key(HWND dialog, UINT virtual_key);
// Clicks the button as the mouse would (BM_CLICK posted to the button:
// the button then notifies the dialog with BN_CLICKED).
void click_button(HWND dialog, int id);
// Rectangle of the window in screen coordinates.
RECT window_rect(HWND window);
// Finds a message box of this process whose static text equals `text`.
HWND wait_for_message_box_with_text(const char* text, DWORD timeout_ms = 10000);

// Runs `body` on a helper thread; join() or the destructor waits for it.
class DialogWatcher {
public:
    explicit DialogWatcher(std::function<void()> body) : thread_(body) {}
    ~DialogWatcher() { join(); }
    void join()
    {
        if (thread_.joinable())
            thread_.join();
    }

private:
    std::thread thread_;
};

// A plain visible popup window to own dialogs, at a given place.
class OwnerWindow {
public:
    OwnerWindow(int x, int y, int width, int height);
    ~OwnerWindow();
    HWND get() const { return window_; }

private:
    HWND window_;
};

#endif
