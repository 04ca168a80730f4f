#include "report.h"

#include <cstdio>
#include <cstring>

const char kMsgIncorrectVersion[] = "Incorrect version of log file";
const char kMsgUnableToReadLog[] = "Unable to read the log file";
const char kMsgInvalidLog[] = "Invalid log file";
const char kMsgOutOfMemory[] = "Fatal error: Out of memory";
const char kMsgInvalidPath[] = "The path %s is invalid";
const char kMsgUnableToOpenFile[] = "Unable to open file %s";

void StderrReporter::report_error(const std::string& text)
{
    std::fprintf(stderr, "%s\n", text.c_str());
}

void StderrReporter::report_out_of_memory()
{
    std::fprintf(stderr, "%s\n", kMsgOutOfMemory);
}

std::string format_message(const char* format, const std::string& argument)
{
    std::string text(format);
    std::string::size_type at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, argument);
    return text;
}
