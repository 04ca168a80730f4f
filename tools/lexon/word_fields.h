// The field texts of the add, search and delete commands: converted from
// UTF-8 with --utf8 and checked against the limits of the dialog fields.
#ifndef LEXON_TOOLS_WORD_FIELDS_H
#define LEXON_TOOLS_WORD_FIELDS_H

#include "tools/lexon/lexon_command.h"

#include <cstddef>
#include <string>

// False, after a message on standard error, when the text cannot be
// converted or is longer than limit characters ("Please enter no more than
// LIMIT characters.", the dialogs' message).
bool TakeWordField(const LexonOptions& options, const std::string& argument, std::size_t limit, std::string* text);

// Text for standard output without its trailing blanks, converted with --utf8.
std::string WordFieldOut(const LexonOptions& options, std::string text);

#endif
