// Reporter: how the uninstaller's portable core tells the user about a
// failure. The Windows program implements it with the error box of the
// system-services context (caption "Error", exclamation icon, "&OK", owned by
// the main dialog); ravelup-cli prints to standard error; the tests record.
#ifndef RAVELUP_CORE_REPORT_H
#define RAVELUP_CORE_REPORT_H

#include <string>
#include <vector>

// The messages the core reports (the program's own texts).
extern const char kMsgIncorrectVersion[];  // "Incorrect version of log file"
extern const char kMsgUnableToReadLog[];   // "Unable to read the log file"
extern const char kMsgInvalidLog[];        // "Invalid log file"
extern const char kMsgOutOfMemory[];       // "Fatal error: Out of memory"
extern const char kMsgInvalidPath[];       // "The path %s is invalid" (printf format)
extern const char kMsgUnableToOpenFile[];  // "Unable to open file %s" (printf format)

class Reporter {
public:
    virtual ~Reporter() {}
    // A failure message, already formatted.
    virtual void report_error(const std::string& text) = 0;
    // The out-of-memory condition ("Fatal error: Out of memory", shown
    // system-modal with the error icon by the Windows program).
    virtual void report_out_of_memory() = 0;
};

// Prints each message as one line on standard error.
class StderrReporter : public Reporter {
public:
    void report_error(const std::string& text) override;
    void report_out_of_memory() override;
};

// Keeps the messages in order, for tests. The out-of-memory condition is
// recorded as its message text.
class RecordingReporter : public Reporter {
public:
    void report_error(const std::string& text) override { messages.push_back(text); }
    void report_out_of_memory() override { messages.push_back(kMsgOutOfMemory); }
    std::vector<std::string> messages;
};

// printf-style formatting of a message with one string argument ("%s").
// Only the first %s is replaced; the argument is not interpreted.
std::string format_message(const char* format, const std::string& argument);

#endif
