// Moving the installation log out of the product's directory while the
// uninstaller runs, and back when the uninstallation stays incomplete.
//
// log_path: <directory of the program's argument>\uxlog.ini
// working_path: <Windows directory>\uxlog.ini
//
// The first 12 bytes of a log name an older log of the product directory
// that was set aside to make room for it (file name and extension, NUL
// padded; all NUL for none). Fetching puts that older log back in place;
// returning sets the current file at the log path aside again under a
// backup name (uxlog.bak, uxlog.000, ...) and writes that name into the
// header of the log that is moved back.
#ifndef RAVELUP_CORE_LOG_TRANSFER_H
#define RAVELUP_CORE_LOG_TRANSFER_H

#include <string>

class SystemContext;

const size_t kSetAsideNameSize = 12;

// Builds both paths from the unparsed command-line tail and the Windows
// directory.
void make_log_paths(const std::string& command_tail, const std::string& windows_directory,
                    std::string* log_path, std::string* working_path);

// True when the log is at the working path afterwards.
bool fetch_log(SystemContext& context, const std::string& log_path, const std::string& working_path);

// Puts the working copy back at the log path (errors are reported through
// the context, not returned).
void return_log(SystemContext& context, const std::string& log_path, const std::string& working_path);

#endif
