// Text at the edges of the lexon tool. Inside, all text is Windows-1252, as
// in the program; with --utf8, arguments and files are converted from UTF-8
// on the way in and to UTF-8 on the way out.
#ifndef LEXON_TOOLS_LEXON_TEXT_H
#define LEXON_TOOLS_LEXON_TEXT_H

#include "tools/lexon/lexon_command.h"

#include <cstdio>
#include <string>

// UTF-8 to Windows-1252. False when the text is not valid UTF-8 or holds a
// character that Windows-1252 cannot show (*out is then incomplete).
bool Utf8ToWindows1252(const std::string& text, std::string* out);
std::string Windows1252ToUtf8(const std::string& text);

// Text read from a file or argument, in Windows-1252 (converted with
// --utf8). False when the conversion fails.
bool LexonTextIn(const LexonOptions& options, const std::string& text, std::string* out);
// Text for the terminal or a file: converted to UTF-8 with --utf8.
std::string LexonTextOut(const LexonOptions& options, const std::string& text);

// Reads a whole file (binary). False when it cannot be read.
bool LexonReadFile(const std::string& name, std::string* bytes);

// The dictionary files for the options (--dir).
struct DictionaryFiles;
DictionaryFiles LexonDictionaryFiles(const LexonOptions& options);

// True when the stream is a terminal.
bool LexonIsTerminal(FILE* stream);

#endif
