// lexon_screenshot_driver.exe: drives a running LEXON_V2.exe from outside
// so that scripts/screenshots.sh can capture its windows one by one.
//   lexon_screenshot_driver command ID     posts menu command ID to the main window
//   lexon_screenshot_driver key            posts a key press to the main window
//   lexon_screenshot_driver cancel CAPTION presses Cancel (IDCANCEL) in the
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

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s command ID | key | cancel CAPTION\n", argv[0]);
        return 2;
    }
    if (std::strcmp(argv[1], "cancel") == 0 && argc == 3) {
        HWND window = WaitForWindow(argv[2]);
        if (!window) return 1;
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
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
