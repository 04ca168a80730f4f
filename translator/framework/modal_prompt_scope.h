// ModalPromptScope: makes one of the program's prompts (a file prompt, a
// message box, a modal dialog) modal to the whole program instead of to its
// owner window alone.
//
//   ModalPromptScope modal(owner);
//   GetSaveFileNameA(&ofn);          // ofn.hwndOwner == owner
//
// The system disables only the owner of a modal dialog or message box. The
// program's other top-level windows would stay usable, and through them the
// user could close the window or free the document the prompt's caller is
// working for (close a document's frame while its Save As prompt is open,
// leave the program from the main window while another frame asks whether
// to save), and the caller would go on with objects that are gone when the
// prompt returns. Frames also ignore WM_CLOSE while disabled (frame_wnd.h).
//
// While the scope lives, every visible and enabled top-level window of the
// calling thread except the owner is disabled; the destructor enables them
// again (those that still exist). The owner is left to the dialog manager:
// it disables the owner for the prompt and enables it again before the
// prompt disappears, so that the activation returns to the owner. Windows of
// other threads are not touched. Scopes nest: each one enables only the
// windows it disabled itself.
#ifndef LEXON_FRAMEWORK_MODAL_PROMPT_SCOPE_H
#define LEXON_FRAMEWORK_MODAL_PROMPT_SCOPE_H

#include <windows.h>
#include <vector>

class ModalPromptScope {
public:
    explicit ModalPromptScope(HWND owner);
    ~ModalPromptScope();
    ModalPromptScope(const ModalPromptScope&) = delete;
    ModalPromptScope& operator=(const ModalPromptScope&) = delete;

private:
    std::vector<HWND> disabled_;
};

#endif
