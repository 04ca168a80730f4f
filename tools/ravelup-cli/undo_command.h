// ravelup-cli undo: the uninstaller's undo run without a window (Windows
// builds only).
//
//   ravelup-cli undo LOGFILE [--yes] [--reboot]
//
// Undoes every record in state "Will be undone", from the last to the
// first, on the real system with the failure reports kept quiet. The
// questions are not shown: a non-empty directory, INI section, program
// group or registry key is answered "No" (the record fails and the thing
// stays) and a shared file whose count reaches zero "Keep"; with --yes they
// are answered "Yes" and "Delete". Prints the product title and then one
// line per record in log order, as list does, with the state after the run.
//
// While the run goes on, the log is set aside in the temporary directory
// (it usually lies in the product's directory, which the run removes); an
// older log named in its header is put back in its place, as the dialog
// program does.
//
// When nothing is left to undo and nothing failed, the log is deleted and
// the exit code is 0; if a file could only be scheduled for deletion at the
// next start of Windows, "We need to reboot Windows for the changes to take
// effect" is printed, and Windows is restarted only with --reboot.
// Otherwise the log is put back where it was (its directory made again when
// the run removed it) and the exit code is 1 (also when the log cannot be
// loaded or set aside). A usage error gives 2.
#ifndef RAVELUP_CLI_UNDO_COMMAND_H
#define RAVELUP_CLI_UNDO_COMMAND_H

#include <cstdio>
#include <string>
#include <vector>

class Reporter;

// What would restart Windows; the program passes one that really does.
class RestartSeam {
public:
    virtual ~RestartSeam() {}
    virtual void restart_windows() = 0;
};

int ravelup_undo_command(const std::vector<std::string>& args, std::FILE* out, Reporter& reporter,
                         RestartSeam& restart);

// The real restart (shutdown privilege enabled, then ExitWindowsEx).
class WindowsRestart : public RestartSeam {
public:
    void restart_windows() override;
};

#endif
