// SystemContext: the system-services context through which every system
// primitive of the uninstaller (files, directories, registry, INI files,
// Program Manager) reports its failures.
//
// It carries the owner window of the message boxes, the quiet flag with
// which the undo run keeps failures off the screen, the error code of the
// last failure, and the Program Manager conversation. A failing primitive
// calls one report below exactly once and returns its failure result; the
// report shows the error box (caption "Error", exclamation icon, "&OK",
// owned by the owner window) unless the context is quiet, and always
// leaves its code in error_code. Primitives never reset error_code, so it
// tells the last failure.
//
// Error codes: 1 general failure (the caller's own text), 2 delete failed,
// 3 rename failed, 4 out of memory, 5 open failed, 6 read failed, 7 copy
// failed, 8 close failed, 9 directory creation failed, 10 write failed,
// 11 file creation failed, 12 file missing, 13 invalid path.
#ifndef RAVELUP_SYSTEM_SYSTEM_CONTEXT_H
#define RAVELUP_SYSTEM_SYSTEM_CONTEXT_H

#include <windows.h>
#include <ddeml.h>

#include <cstdint>

enum SystemErrorCode {
    kErrorNone = 0,
    kErrorGeneral = 1,
    kErrorDelete = 2,
    kErrorRename = 3,
    kErrorOutOfMemory = 4,
    kErrorOpen = 5,
    kErrorRead = 6,
    kErrorCopy = 7,
    kErrorClose = 8,
    kErrorCreateDir = 9,
    kErrorWrite = 10,
    kErrorCreateFile = 11,
    kErrorFileMissing = 12,
    kErrorInvalidPath = 13
};

class SystemContext {
public:
    SystemContext() = default;
    SystemContext(const SystemContext&) = delete;
    SystemContext& operator=(const SystemContext&) = delete;
    // Ends an open Program Manager conversation and frees the DDE instance.
    ~SystemContext();

    // printf-style failure report; error code 1.
    void report_failure(const char* format, ...);
    void report_delete_failed(const char* path);                  // 2
    void report_rename_failed(const char* from, const char* to);  // 3
    void report_out_of_memory();                                  // 4
    void report_open_failed(const char* path);                    // 5
    void report_read_failed(const char* path);                    // 6
    void report_copy_failed(const char* from, const char* to);    // 7
    void report_close_failed(const char* path);                   // 8
    void report_create_dir_failed(const char* path);              // 9
    void report_write_failed(const char* path);                   // 10
    void report_create_file_failed(const char* path);             // 11
    void report_file_missing(const char* path);                   // 12
    void report_invalid_path(const char* path);                   // 13

    uint32_t error_code = 0;
    int32_t started_progman = 0;   // this context started Program Manager
    int32_t quiet = 0;             // failure reports are not shown
    HWND owner = nullptr;          // owner window of the message boxes
    HCONV conversation = nullptr;  // open Program Manager conversation
    DWORD dde_instance = 0;        // DDE instance of that conversation

private:
    void report_with_code(uint32_t code, const char* format, const char* first, const char* second);
};

#endif
