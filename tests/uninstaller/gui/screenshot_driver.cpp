// ravelup_screenshot_driver: starts the real ravelup3.exe on a demonstration
// log, walks it through a run, and saves what a user sees as BMP files in
// the current directory: the main dialog, the confirmation, the main dialog
// after the run (one record failed: its file was held open), and the quit
// question. Used by scripts/screenshots-uninstaller.sh.
//
//   ravelup_screenshot_driver.exe <path of ravelup3.exe>
// (also the about box and the question about the non-empty directory)
#include "tests/uninstaller/gui/log_builder.h"
#include "uninstaller/res/resource.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND wait_for_window(const char* caption, DWORD timeout_ms = 15000)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        HWND window = FindWindowA(nullptr, caption);
        if (window != nullptr && IsWindowVisible(window)) {
            Sleep(400);   // let it paint
            return window;
        }
        Sleep(50);
    }
    std::fprintf(stderr, "no window \"%s\"\n", caption);
    return nullptr;
}

std::string text_of(HWND window)
{
    char text[256] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Copies the window's rectangle from the screen into a 24-bit BMP file.
bool save_window(HWND window, const char* file_name)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    DWORD row = ((width * 3 + 3) / 4) * 4;
    DWORD image_size = row * height;
    BITMAPFILEHEADER file_header = {};
    file_header.bfType = 0x4D42;
    file_header.bfOffBits = sizeof file_header + sizeof info.bmiHeader;
    file_header.bfSize = file_header.bfOffBits + image_size;
    FILE* out = std::fopen(file_name, "wb");
    bool ok = out != nullptr;
    if (ok) {
        std::fwrite(&file_header, sizeof file_header, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(bits, 1, image_size, out);
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::printf("%s %dx%d\n", file_name, width, height);
    return ok;
}

void write_bytes(const std::string& path, const std::string& bytes)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }
}

void click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: ravelup_screenshot_driver <ravelup3.exe>\n");
        return 2;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string product = std::string(temp) + "Halbern Demo";
    CreateDirectoryA(product.c_str(), nullptr);
    CreateDirectoryA((product + "\\Samples").c_str(), nullptr);
    const char* names[] = {"lexon.exe", "lexon.hlp", "readme.txt", "Samples\\letter.txt"};
    for (const char* name : names)
        write_bytes(product + "\\" + name, "demo");
    LogBuilder log("Halbern Demo 1.0");
    log.make_dir(product)
        .make_dir(product + "\\Samples")
        .install_create_file("A:\\lexon.exe", product + "\\lexon.exe", 1)
        .install_create_file("A:\\lexon.hlp", product + "\\lexon.hlp", 1)
        .create_file(product + "\\readme.txt")
        .create_file(product + "\\Samples\\letter.txt")
        .rename_file(product + "\\config.old", product + "\\config.sys")
        .delete_file(product + "\\setup.tmp")
        .delete_ini_entry("win.ini", "Extensions", "lex", product + "\\lexon.exe ^.lex", 0)
        .add_ini_section(product + "\\lexon.ini", "Dictionary")
        .add_reg_key(1, "Software\\Halbern\\Demo");
    write_bytes(product + "\\uxlog.ini", log.bytes());

    // The help file stays open while the uninstaller runs: its undo fails.
    HANDLE held = CreateFileA((product + "\\lexon.hlp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);

    std::string command = "\"" + std::string(argv[1]) + "\" " + product + "\\uxlog.ini";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    HWND main = wait_for_window("Halbern Uninstaller - [Halbern Demo 1.0]");
    if (main != nullptr) {
        HWND list = GetDlgItem(main, IDC_OPLIST);
        SendMessageA(list, LB_SETCURSEL, 8, 0);
        SendMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_OPLIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        Sleep(300);
        failures += !save_window(main, "main-dialog.bmp");
        click(main, IDC_ABOUT);
        HWND about = wait_for_window("About");
        if (about != nullptr) {
            failures += !save_window(about, "about.bmp");
            click(about, IDOK);
            Sleep(300);
        }
        click(main, IDC_START);
        HWND warning = wait_for_window("Warning");
        if (warning != nullptr) {
            failures += !save_window(warning, "confirmation.bmp");
            click(warning, 103);
        }
        DWORD start = GetTickCount();
        bool asked = false;
        while (text_of(GetDlgItem(main, IDC_START)) != "&Restart" && GetTickCount() - start < 20000) {
            // The product directory still holds the help file: keep it.
            HWND question = FindWindowA(nullptr, "Non-Empty Directory");
            if (question != nullptr && IsWindowVisible(question)) {
                Sleep(400);
                if (!asked)
                    failures += !save_window(question, "non-empty-directory.bmp");
                asked = true;
                click(question, 104);
                Sleep(300);
            }
            Sleep(100);
        }
        Sleep(300);
        failures += !save_window(main, "main-dialog-after-run.bmp");
        click(main, IDC_QUIT);
        HWND quit = wait_for_window("Uninstallation Incomplete");
        if (quit != nullptr) {
            failures += !save_window(quit, "quit-question.bmp");
            click(quit, IDOK);
        }
    } else {
        ++failures;
    }
    if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        ++failures;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(held);
    return failures == 0 ? 0 : 1;
}
