// Loading the installation log (file layout in log_stream.h) into a list of
// Operation records in log order, each in its initial state.
//
// What a damaged log does (the log is untrusted input): the load fails with
// one message and keeps no record.
//   - version not 1.5 or 2.1, or fewer than 16 bytes: "Incorrect version of
//     log file";
//   - the title, or a record's fields, cut short by the end of the file, or
//     a string or data longer than what is left of the file: "Unable to read
//     the log file" (a record cut short is never kept half-read);
//   - a kind code outside 0..22, a negative string length or data size:
//     "Invalid log file";
//   - a path of 260 characters or more: "The path %s is invalid";
//   - a value that cannot be allocated: "Fatal error: Out of memory".
// The load succeeds when the end of the file comes exactly after a record
// (or after the title: an empty list).
#ifndef RAVELUP_CORE_INSTALLATION_LOG_H
#define RAVELUP_CORE_INSTALLATION_LOG_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "operation.h"

class Reporter;

struct InstallationLog {
    uint32_t version = 0;
    std::string title;
    std::vector<std::unique_ptr<Operation>> records;
};

// Loads from the bytes of a log. On failure reports the message through
// reporter, leaves log->records empty and returns false.
bool load_installation_log(const unsigned char* data, size_t size, Reporter& reporter,
                           InstallationLog* log);

// Reads the file at path (binary) and loads it. A file that cannot be opened
// or read reports "Unable to open file %s" resp. "Unable to read the log
// file".
bool load_installation_log_file(const char* path, Reporter& reporter, InstallationLog* log);

#endif
