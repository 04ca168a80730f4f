// LogStream: the reader of the installation log "uxlog.ini", a binary file
// (despite its extension) in which the installer records every change it
// made. The uninstaller reads it once, into a list of Operation records
// (installation_log.h), and never rewrites it except for its first 12 bytes.
//
// All multi-byte integers are little-endian signed 32-bit ("int32"), except
// the version, which is big-endian.
//
// File layout:
//
//   offset  size  meaning
//   ------  ----  -----------------------------------------------------------
//        0    12  set-aside log name: file name and extension (8.3, no
//                 directory) of an older log in the same directory that was
//                 moved aside to make room for this one; NUL-terminated when
//                 shorter than 12 characters; all NUL when there is none
//       12     4  version, big-endian: 01 05 00 00 (1.5) or 02 01 00 00 (2.1);
//                 no other value is accepted
//       16   var  product title: a log string
//      ...   var  records up to the end of the file: int32 kind code (0..22)
//                 followed by the kind's fields. No record count, no record
//                 length, no terminator.
//
// Field encodings:
//
//   int32   4 bytes, little-endian, signed
//   string  1 length byte n; when n is 255 an int32 length follows and
//           replaces it (the writer uses the long form from 255 bytes on);
//           then that many bytes of Windows ANSI text, no terminator
//   path    a string of at most 259 bytes (it must fit a MAX_PATH buffer)
//   root    int32 registry root: 0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER,
//           2 HKEY_LOCAL_MACHINE, 3 HKEY_USERS
//   block   a fixed number of raw bytes
//
// Fields of each kind, in file order (v1.5 / v2.1 where they differ):
//
//   code kind                 fields
//   ---- -------------------- -----------------------------------------------
//    0  MakeDirOp             path directory
//    1  DeleteDirOp           path directory
//    2  RenameFileOp          path old; path new
//    3  DeleteFileOp          path file
//    4  InstallCreateFileOp   path from; path to; int32 uninstall flag
//                             (v1.5 stores it inverted: stored 0 means 1,
//                             anything else 0)
//    5  SetFileAttribOp       path file; int32 attributes before; int32
//                             second attribute word (unused)
//    6  CreateFileOp          path file
//    7  AddIniEntryOp         path ini; string section; string entry;
//                             int32 sequence (v2.1 only; 0 in v1.5)
//    8  DeleteIniEntryOp      path ini; string section; string entry;
//                             string value; int32 sequence (v2.1 only)
//    9  SetIniEntryOp         as 8, the previous value
//   10  AddProgramGroupOp     string group
//   11  AddProgramItemOp      string group; string item
//   12  DeleteProgramGroupOp  string group
//   13  DeleteProgramItemOp   string group; block of 1112 bytes
//                             (ProgramItemBlock, program_item_block.h)
//   14  AddRegKeyOp           root; string key
//   15  AddRegFieldOp         root; string key; string field
//   16  SetRegFieldOp         root; string key; string field; v2.1: int32
//                             type, int32 size (>= 0), size bytes of data;
//                             v1.5: string value, taken as type 1 (REG_SZ)
//                             with its NUL: size = length + 1
//   17  DeleteRegFieldOp      as 16
//   18  DeleteRegKeyOp        root; string key
//   19  InstallAppendFileOp   path from; path to; int32 uninstall flag (not
//                             inverted in either version); int32 offset
//                             (the target's length before the append)
//   20  AddIniSectionOp       path ini; string section
//   21  DeleteIniSectionOp    path ini; string section
//   22  InstallFontOp         path font; int32 uninstall flag (not inverted)
//
// Invariants the reader enforces on this untrusted input: no read goes past
// the end of the bytes; a string length or data size is checked against the
// bytes that remain before anything is allocated (so a huge length is a read
// failure, never a huge allocation); a negative int32 length or data size is
// invalid; a path of 260 bytes or more is refused. Every failing read sets a
// sticky error, after which every read fails.
#ifndef RAVELUP_CORE_LOG_STREAM_H
#define RAVELUP_CORE_LOG_STREAM_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum : uint32_t {
    kLogVersion15 = 0x01050000u,
    kLogVersion21 = 0x02010000u
};

enum { kMaxPathChars = 259 };  // a path buffer holds 260 bytes with its NUL

// Why a read failed (the sticky error code).
enum LogError {
    kLogOk = 0,
    kLogEndOfData = 1,    // read failure: the bytes ended (a short read)
    kLogUnstorable = 2,   // out of memory, or a value that could not be stored
    kLogPathTooLong = 3,  // a path of 260 bytes or more (text kept in bad_path)
    kLogInvalidValue = 4  // a negative length or size
};

// Reads the fields of the log from bytes held in memory (the caller owns
// them and keeps them alive).
class LogStream {
public:
    LogStream(const unsigned char* data, size_t size) : data_(data), size_(size) {}

    bool read_byte(unsigned char* out);
    bool read_int32(int32_t* out);
    bool read_string(std::string* out);
    bool read_path(std::string* out);
    bool read_block(void* out, size_t count);
    // Data of a size read from the log: checks size >= 0 and the bytes left.
    bool read_data(int32_t size, std::vector<unsigned char>* out);

    LogError error() const { return error_; }
    // True when nothing was read past the last complete read and no byte is
    // left: the log ended cleanly between two records.
    bool at_end() const { return pos_ == size_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }

    // The log's version, for the record readers (set by the loader).
    uint32_t version() const { return version_; }
    void set_version(uint32_t version) { version_ = version; }

    // The text of a path that was refused for its length (its first 259
    // bytes followed by "...").
    const std::string& bad_path() const { return bad_path_; }

private:
    bool fail(LogError error);
    bool read_length(uint32_t* out);

    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
    LogError error_ = kLogOk;
    uint32_t version_ = 0;
    std::string bad_path_;
};

// Log writer for tests, tools and fuzz seeds: emits the encodings above.
class LogWriter {
public:
    void header(const char* set_aside_name, uint32_t version, const std::string& title);
    void byte(unsigned char value) { bytes.push_back(value); }
    void int32(int32_t value);
    void string(const std::string& text);  // short form below 255, long form from 255
    void raw(const void* data, size_t count);
    std::vector<unsigned char> bytes;
};

#endif
