// The questions the uninstaller asks, all modal and centred over their
// owner: the confirmation before the first run, the questions before
// deleting a container that is not empty or a shared file whose reference
// count reached zero (MessageBoxDialogs), the reboot notice, and the quit
// question (its own template DLGASKQUIT).
#ifndef RAVELUP_CORE_PROMPTS_H
#define RAVELUP_CORE_PROMPTS_H

#include <windows.h>

#include <string>

// "Warning": "This will remove %s from your system\n\nContinue?";
// true on "&Yes" (Esc: "&No").
bool ask_confirmation(HWND owner, const std::string& product_title);

// The four "not empty" questions; true on "&Yes" (Esc: "&No").
bool ask_non_empty_directory(HWND owner, const char* directory);
bool ask_non_empty_ini_section(HWND owner, const char* section);
bool ask_non_empty_program_group(HWND owner, const char* group);
bool ask_non_empty_registry_key(HWND owner, const char* key);

// "Delete Shared File" with buttons "Delete" and "Keep" (Esc: "Keep");
// true on "Delete".
bool ask_delete_shared_file(HWND owner, const char* path);

// "Reboot": "We need to reboot Windows for the changes to take effect",
// information icon, "&OK" only (Esc on it).
void show_reboot_notice(HWND owner);

// The quit question's answers (DLGASKQUIT).
enum QuitAnswer {
    kQuitCannotShow = -1,   // the dialog could not be created
    kQuitIncomplete = 0,    // "Yes, and consider uninstallation incomplete" (default)
    kQuitComplete = 1,      // "Yes, and consider uninstallation complete"
    kQuitDontQuit = 2       // "No, don't quit" (also Esc)
};
int ask_quit(HWND owner);

#endif
