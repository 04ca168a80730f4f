// RecordingEntrySystem: the entry's system services for the dialog tests:
// a Windows directory of the test's own, and restarts counted instead of
// carried out.
#ifndef RAVELUP_TESTS_RECORDING_ENTRY_SYSTEM_H
#define RAVELUP_TESTS_RECORDING_ENTRY_SYSTEM_H

#include <string>

#include "uninstaller/core/uninstaller_entry.h"

class RecordingEntrySystem : public EntrySystem {
public:
    explicit RecordingEntrySystem(const std::string& windows) : windows_(windows) {}
    std::string windows_directory() override { return windows_; }
    void restart_windows() override { ++restarts; }
    int restarts = 0;

private:
    std::string windows_;
};

#endif
