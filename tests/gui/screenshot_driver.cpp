// lexon_screenshot_driver.exe: drives a running LEXON_V2.exe from outside
// so that scripts/screenshots.sh can capture its windows one by one.
//   lexon_screenshot_driver command ID     posts menu command ID to the main window
//   lexon_screenshot_driver key            posts a key press to the main window
//   lexon_screenshot_driver cancel CAPTION presses Cancel (IDCANCEL) in the
//                                          window with that caption
//   lexon_screenshot_driver type CAPTION TEXT types TEXT ("|" starts a new
//                                          line) into the edit control of the
//                                          window with that caption
// Exit code 0 when the window was found, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kMainTitle[] = "Lexon 1.0 32 bits for Windows 95/Windows NT";

HWND WaitForWindow(const char* caption)
{
    for (int i = 0; i < 100; ++i) {
        HWND hwnd = FindWindowA(nullptr, caption);
        if (hwnd) return hwnd;
        Sleep(100);
    }
    return nullptr;
}

// The first edit control among the descendants of window.
HWND FindEditControl(HWND window)
{
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Edit") == 0) return child;
        HWND inner = FindEditControl(child);
        if (inner) return inner;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s command ID | key | cancel CAPTION | type CAPTION TEXT\n", argv[0]);
        return 2;
    }
    if (std::strcmp(argv[1], "cancel") == 0 && argc == 3) {
        HWND window = WaitForWindow(argv[2]);
        if (!window) return 1;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    if (std::strcmp(argv[1], "type") == 0 && argc == 4) {
        HWND window = WaitForWindow(argv[2]);
        HWND edit = window ? FindEditControl(window) : nullptr;
        if (!edit) return 1;
        for (const char* c = argv[3]; *c; ++c) {
            if (*c == '|') {
                PostMessageA(edit, WM_CHAR, '\r', 1);
            } else {
                PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 1);
            }
        }
        return 0;
    }
    HWND main = WaitForWindow(kMainTitle);
    if (!main) return 1;
    if (std::strcmp(argv[1], "command") == 0 && argc == 3) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(std::atoi(argv[2]), 0), 0);
        return 0;
    }
    if (std::strcmp(argv[1], "key") == 0) {
        PostMessageA(main, WM_KEYDOWN, VK_SHIFT, 1);
        PostMessageA(main, WM_KEYUP, VK_SHIFT, 0xC0000001);
        return 0;
    }
    return 2;
}
