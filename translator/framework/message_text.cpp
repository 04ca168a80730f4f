#include "translator/framework/message_text.h"

const char kTextTooLongMessage[] = "Please enter no more than %1 characters.";
const char kSaveChangesMessage[] = "Save changes to %1?";
const char kUntitledDocumentName[] = "Untitled";
const char kAllFilesFilter[] = "All Files (*.*)";
const char kOpenDocumentFailed[] = "Failed to open document.";
const char kSaveDocumentFailed[] = "Failed to save document.";
const char kFileTooLarge[] = "The file is too large to open.";
const char kFileNotFound[] =
    "%1\nCannot find this file.\nPlease verify that the correct path and file name are given.";
const char kCannotRead[] = "Unable to read from %1, it is opened by someone else.";
const char kCannotWrite[] = "Unable to write to %1, it is read-only or opened by someone else.";
const char kDiskFull[] = "Destination disk drive is full.";
const char kInvalidFileName[] = "Invalid filename.";

std::string FormatMessageText(const std::string& format, const std::string& argument)
{
    std::string out;
    out.reserve(format.size() + argument.size());
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '1') {
                out += argument;
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}
