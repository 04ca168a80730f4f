// Placeholder substitution for the framework's own message texts, in the
// style of Windows message resources: "%1" is replaced by the argument,
// "%%" by one "%"; any other "%" is kept as it is.
//
//   FormatMessageText("Please enter no more than %1 characters.", "21")
//       -> "Please enter no more than 21 characters."
#ifndef LEXON_FRAMEWORK_MESSAGE_TEXT_H
#define LEXON_FRAMEWORK_MESSAGE_TEXT_H

#include <string>

std::string FormatMessageText(const std::string& format, const std::string& argument);

// The texts the framework shows itself (captioned with the application
// title).
extern const char kTextTooLongMessage[];     // "Please enter no more than %1 characters."
extern const char kSaveChangesMessage[];     // "Save changes to %1?"
extern const char kUntitledDocumentName[];   // "Untitled"
extern const char kAllFilesFilter[];         // "All Files (*.*)"
extern const char kOpenDocumentFailed[];     // "Failed to open document."
extern const char kSaveDocumentFailed[];     // "Failed to save document."
extern const char kFileTooLarge[];           // "The file is too large to open."
extern const char kFileNotFound[];           // "%1\nCannot find this file.\n..."
extern const char kCannotRead[];             // "Unable to read from %1, ..."
extern const char kCannotWrite[];            // "Unable to write to %1, ..."
extern const char kDiskFull[];               // "Destination disk drive is full."
extern const char kInvalidFileName[];        // "Invalid filename."

#endif
