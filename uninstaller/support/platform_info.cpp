#include "uninstaller/support/platform_info.h"

#include <windows.h>

#include <cstdio>

const char kNtBaseKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kWin95BaseKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

namespace {

PlatformInfo g_platform_info = {kPlatformNt, 0, 0, false, false, kNtBaseKey};

// Reads the value with the empty name under HKLM\<NT base key>\WinLogon.
bool read_nt_shell(char* value, DWORD value_size)
{
    char key_path[MAX_PATH];
    std::snprintf(key_path, sizeof key_path, "%s\\WinLogon", kNtBaseKey);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key_path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD size = value_size - 1;
    LONG rc = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value[size < value_size ? size : value_size - 1] = '\0';
    return true;
}

}  // namespace

PlatformInfo platform_info_from_version(unsigned long version_platform, int major, int minor,
                                        const char* nt_shell)
{
    PlatformInfo info = {};
    info.major_version = major;
    info.minor_version = minor;
    if (version_platform == 2) {
        info.kind = kPlatformNt;
        info.dialog_3d_look = major > 3 || (major == 3 && minor >= 51);
        info.shell_not_progman = nt_shell != nullptr && lstrcmpiA(nt_shell, "progman.exe") != 0;
        info.base_key = kNtBaseKey;
    } else if (version_platform == 1) {
        info.kind = kPlatformWin95;
        info.dialog_3d_look = true;
        info.shell_not_progman = true;
        info.base_key = kWin95BaseKey;
    } else {
        info.kind = kPlatformWin32s;
        info.dialog_3d_look = false;
        info.shell_not_progman = false;
        info.base_key = nullptr;
    }
    return info;
}

void fill_platform_info()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExA(&version);
#pragma GCC diagnostic pop
    char shell[MAX_PATH] = "";
    const char* nt_shell = nullptr;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT && read_nt_shell(shell, sizeof shell))
        nt_shell = shell;
    g_platform_info = platform_info_from_version(version.dwPlatformId,
                                                 static_cast<int>(version.dwMajorVersion),
                                                 static_cast<int>(version.dwMinorVersion), nt_shell);
}

const PlatformInfo& platform_info()
{
    return g_platform_info;
}

PlatformInfo replace_platform_info(const PlatformInfo& info)
{
    PlatformInfo previous = g_platform_info;
    g_platform_info = info;
    return previous;
}
