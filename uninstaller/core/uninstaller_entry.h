// The uninstaller's program entry, "ravelup <logfile>": platform, 3-D
// controls, the log fetched into the Windows directory, the main dialog,
// and at the end the log deleted (complete, with a restart of Windows when
// a file could only be scheduled for deletion) or returned (incomplete).
//
// What would restart Windows goes through an EntrySystem, so that the
// entry runs whole in tests; the program passes RealEntrySystem.
#ifndef RAVELUP_CORE_UNINSTALLER_ENTRY_H
#define RAVELUP_CORE_UNINSTALLER_ENTRY_H

#include <windows.h>

#include <string>

class EntrySystem {
public:
    virtual ~EntrySystem() = default;
    // Where the working copy of the log goes (the Windows directory).
    virtual std::string windows_directory() = 0;
    // Enables the shutdown privilege when it can and restarts Windows.
    virtual void restart_windows() = 0;
};

class RealEntrySystem : public EntrySystem {
public:
    std::string windows_directory() override;
    void restart_windows() override;
};

// Runs the program; returns its exit code (0 after the dialog has run, 1
// after an error before it).
int run_uninstaller(HINSTANCE instance, const char* command_tail, EntrySystem& system);

#endif
