// PlatformInfo: the Windows platform the uninstaller runs on.
//
// One global record, filled once by the program entry before anything else
// (fill_platform_info) and only read afterwards. It answers the questions on
// which the program behaves differently per platform: the look of its
// dialogs, the registry root it may touch, whether Program Manager is the
// shell and whether paths are shortened.
//
// platform_info_from_version holds the rules themselves, so that they can be
// checked for every platform whatever system the tests run on.
#ifndef RAVELUP_SUPPORT_PLATFORM_INFO_H
#define RAVELUP_SUPPORT_PLATFORM_INFO_H

enum PlatformKind {
    kPlatformNt = 0,       // GetVersionExA platform 2
    kPlatformWin95 = 1,    // platform 1
    kPlatformWin32s = 2    // platform 0
};

struct PlatformInfo {
    int kind;                  // PlatformKind
    int major_version;
    int minor_version;
    bool dialog_3d_look;       // dialogs get DS_3DLOOK added to their template
    bool shell_not_progman;    // the shell is not Program Manager
    const char* base_key;      // platform's key under HKEY_LOCAL_MACHINE, or nullptr
};

extern const char kNtBaseKey[];      // "SOFTWARE\Microsoft\Windows NT\CurrentVersion"
extern const char kWin95BaseKey[];   // "SOFTWARE\Microsoft\Windows\CurrentVersion"

// The rules. version_platform is GetVersionExA's dwPlatformId (0, 1 or 2;
// anything else is treated as Win32s). nt_shell is the value with the empty
// name under HKLM\<NT base key>\WinLogon, or nullptr when it cannot be read;
// it is looked at on Windows NT only.
PlatformInfo platform_info_from_version(unsigned long version_platform, int major, int minor,
                                        const char* nt_shell);

// Fills the global record from the running system.
void fill_platform_info();

// The global record (all zero, i.e. NT without 3-D look, until filled).
const PlatformInfo& platform_info();

// For tests: replaces the global record and returns the previous one.
PlatformInfo replace_platform_info(const PlatformInfo& info);

#endif
