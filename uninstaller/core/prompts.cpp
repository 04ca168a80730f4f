#include "uninstaller/core/prompts.h"

#include "uninstaller/res/resource.h"
#include "uninstaller/support/dialog_object.h"
#include "uninstaller/support/message_box_dialog.h"

namespace {

// A question with "&Yes" / "&No" and the question icon; true on "&Yes".
bool ask_yes_no(HWND owner, const char* caption, const char* format, const char* argument)
{
    MessageBoxDialog box;
    box.set_text(format, argument);
    box.set_icon(MB_ICONQUESTION);
    box.set_buttons(MB_YESNO);
    return box.show(owner, caption, true) == 0;
}

// DLGASKQUIT: centred over its parent; ends with the answer of the button.
class QuitDialog : public DialogObject {
public:
    INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM) override
    {
        if (message == WM_INITDIALOG) {
            center_window(window_, nullptr);
            return TRUE;
        }
        if (message != WM_COMMAND)
            return FALSE;
        switch (LOWORD(wparam)) {
        case IDOK: EndDialog(window_, kQuitIncomplete); return TRUE;
        case IDC_QUIT_COMPLETE: EndDialog(window_, kQuitComplete); return TRUE;
        case IDCANCEL: EndDialog(window_, kQuitDontQuit); return TRUE;
        default: return FALSE;
        }
    }
};

}  // namespace

bool ask_confirmation(HWND owner, const std::string& product_title)
{
    return ask_yes_no(owner, "Warning", "This will remove %s from your system\n\nContinue?",
                      product_title.c_str());
}

bool ask_non_empty_directory(HWND owner, const char* directory)
{
    return ask_yes_no(owner, "Non-Empty Directory", "Directory %s not empty\nDelete all\nfiles and subdirectories?",
                      directory);
}

bool ask_non_empty_ini_section(HWND owner, const char* section)
{
    return ask_yes_no(owner, "Non-Empty INI Section", "INI section %s not empty\nDelete all entries?", section);
}

bool ask_non_empty_program_group(HWND owner, const char* group)
{
    return ask_yes_no(owner, "Non-Empty Program Group", "Program group %s not empty\nDelete all entries?", group);
}

bool ask_non_empty_registry_key(HWND owner, const char* key)
{
    return ask_yes_no(owner, "Non-Empty Registration Key", "Registration key %s not empty\nDelete all subkeys?", key);
}

bool ask_delete_shared_file(HWND owner, const char* path)
{
    MessageBoxDialog box;
    box.set_text("The reference count of %s has reached zero. Would you like to delete it?\n"
                 "Warning: some older applications may not run without it. "
                 "Contact your system manager if needed.",
                 path);
    box.set_icon(MB_ICONQUESTION);
    box.set_labels("Delete", "Keep");
    box.set_esc_button(1);
    return box.show(owner, "Delete Shared File", true) == 0;
}

void show_reboot_notice(HWND owner)
{
    MessageBoxDialog box;
    box.set_text("We need to reboot Windows for the changes to take effect");
    box.set_icon(MB_ICONASTERISK);
    box.set_buttons(MB_OK);
    box.show(owner, "Reboot", true);
}

int ask_quit(HWND owner)
{
    QuitDialog dialog;
    return static_cast<int>(dialog.run_modal(owner, "DLGASKQUIT"));
}
