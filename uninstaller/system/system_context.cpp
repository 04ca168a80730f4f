#include "uninstaller/system/system_context.h"

#include "uninstaller/support/reports.h"
#include "uninstaller/system/progman_client.h"

#include <cstdarg>
#include <cstdio>

SystemContext::~SystemContext()
{
    progman_end(*this, true);
}

void SystemContext::report_failure(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (!quiet)
        show_error_report(owner, "%s", text);
    error_code = kErrorGeneral;
}

void SystemContext::report_with_code(uint32_t code, const char* format, const char* first,
                                     const char* second)
{
    report_failure(format, first != nullptr ? first : "", second != nullptr ? second : "");
    error_code = code;
}

void SystemContext::report_delete_failed(const char* path)
{
    report_with_code(kErrorDelete, "Unable to delete file %s", path, nullptr);
}

void SystemContext::report_rename_failed(const char* from, const char* to)
{
    report_with_code(kErrorRename, "Unable to rename file from %s to %s", from, to);
}

void SystemContext::report_out_of_memory()
{
    if (!quiet)
        show_out_of_memory_report(owner);
    error_code = kErrorOutOfMemory;
}

void SystemContext::report_open_failed(const char* path)
{
    report_with_code(kErrorOpen, "Unable to open file %s", path, nullptr);
}

void SystemContext::report_read_failed(const char* path)
{
    report_with_code(kErrorRead, "Unable to read from file %s", path, nullptr);
}

void SystemContext::report_copy_failed(const char* from, const char* to)
{
    report_with_code(kErrorCopy, "Unable to copy %s to %s", from, to);
}

void SystemContext::report_close_failed(const char* path)
{
    report_with_code(kErrorClose, "Unable to close file %s", path, nullptr);
}

void SystemContext::report_create_dir_failed(const char* path)
{
    report_with_code(kErrorCreateDir, "Unable to create dir %s", path, nullptr);
}

void SystemContext::report_write_failed(const char* path)
{
    report_with_code(kErrorWrite, "Unable to write to file %s", path, nullptr);
}

void SystemContext::report_create_file_failed(const char* path)
{
    report_with_code(kErrorCreateFile, "Unable to create file %s", path, nullptr);
}

void SystemContext::report_file_missing(const char* path)
{
    report_with_code(kErrorFileMissing, "File %s not found", path, nullptr);
}

void SystemContext::report_invalid_path(const char* path)
{
    report_with_code(kErrorInvalidPath, "The path %s is invalid", path, nullptr);
}
