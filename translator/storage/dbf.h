// DBF: the dictionary's record table (mixto.dbf), a dBASE-format file of one
// header, three field descriptors and fixed-length records.
//
// The class moves whole record images between the file and caller buffers.
// It does not interpret the field descriptors: callers address the fields of
// a record image at fixed offsets (see dictionary.h). It scrambles the two
// word areas of a record on every write and unscrambles them on every read,
// so callers always see plain text.
//
// File format (all integers little-endian):
//
//   offset  size  meaning
//   ------  ----  -------------------------------------------------------
//        0     1  version byte (not read, not changed; 0x03 when we create)
//        1     3  date of last change, YY MM DD (not read, not changed)
//        4     4  record count, unsigned
//        8     2  header length in bytes = file offset of record 1 (130)
//       10     2  record length L in bytes, deletion flag included
//       12    20  rest of the header, written back unchanged
//       32    96  three field descriptors of 32 bytes (name 11, type 1,
//                 address 4, width 1, decimals 1, reserved 14)
//      128     1  0x0D, end of the field descriptors
//      129     1  one further header byte (0x00 when we create)
//      130   L*n  records 1..n; record r starts at 130 + (r - 1) * L
//
// Record: byte 0 is the deletion flag ('*' = deleted, anything else = live).
// The two 20-byte word areas at offsets 1 and 22 are stored scrambled: byte
// f + i (i = 0..19) is XORed with (K[i] | 0x80) for the fixed key table K of
// dbf.cpp, and byte f + 20 is 0x00. The transform is its own inverse. After
// a read the words are plain NUL-terminated strings of at most 20 bytes.
//
// Invariants this class relies on and checks at Open:
//   - byte 128 is 0x0D (exactly three fields) and the header length is 130;
//   - 43 <= L <= kDbfMaxRecordLength (the word areas fit, and a record fits
//     in a caller's kRecordImageSize buffer);
//   - 130 + count * L <= file size (every counted record is in the file).
// No end-of-file marker is written. Records are never removed or moved; a
// deleted record keeps its words.
//
// The current file position is the table's cursor: GoTo(n) puts it on the
// byte just before record n (offset 129 + (n - 1) * L), and RecNo() turns a
// position back into the record number it lies in or just before.
//
// Results: 0 success, a negative value failure. Every failure is shown with
// ShowErrorBox first. Not thread-safe: one object per thread; any number of
// objects may have the same file open.
#ifndef LEXON_STORAGE_DBF_H
#define LEXON_STORAGE_DBF_H

#include <cstdint>
#include <string>

const int kDbfHeaderLength = 130;        // offset of record 1
const int kDbfDescriptorAreaLength = 97; // 3 x 32 + terminator
const int kDbfMaxRecordLength = 300;     // largest record a caller buffer takes
const int kDbfMinRecordLength = 43;      // flag + two 21-byte word areas

class DBF {
public:
    DBF();
    ~DBF();   // closes the file if it is still open
    DBF(const DBF&) = delete;
    DBF& operator=(const DBF&) = delete;

    // Opens an existing table for reading and writing (it is never
    // created; permission_mode has no effect). 0, or -1 after a message.
    int16_t Open(int permission_mode, const char* file_name);
    // Opens the file named by Open and reads the 32-byte header. The file
    // handle, -1 when the file cannot be opened, -2 when the header cannot
    // be read.
    int16_t ObtenerGeneral(int permission_mode);
    void Close();

    // Reads record n into buffer (at least record length bytes) and
    // unscrambles its words. 0 on success; on failure the message is shown,
    // the first record-length bytes of buffer are cleared, and -1 returned.
    // After success the position is at the start of record n + 1.
    int16_t ReadRecord(char* buffer, int32_t n);
    // Writes image as the record that begins one byte after the position.
    // 0; -2 when the position cannot be advanced; -1 when the write is short.
    int16_t WriteRecord(char* image);
    // Adds one blank record at the end and leaves the position just before
    // it. 0, or -1.
    int16_t AppendBlank();
    int16_t GoTo(int32_t n);
    int16_t GoTop();
    int16_t GoBottom();
    int32_t RecNo();
    // Marks record n deleted ('*'). 0; -2 when GoTo fails; -3 short write.
    int16_t Delete(int32_t n);

    // The header's record count and record length (valid while open).
    uint32_t RecordCount() const;
    int RecordLength() const;
    bool IsOpen() const { return handle_ >= 0; }

private:
    int16_t descriptor_area_length_;
    std::string file_name_;        // any length: paths from --dir can be long
    unsigned char* descriptors_;   // 1024 bytes
    unsigned char* header_;        // 1024 bytes; the first 32 are the file header
    int handle_;                   // low-level file handle, -1 = closed
    // The table's cursor: the file position as the operations define it.
    // The handle is moved there before every transfer.
    int64_t position_;
    // Read-ahead for walks through the table in record order: bytes
    // [read_ahead_start_, read_ahead_start_ + read_ahead_.size()) of the
    // file, filled only when a record is read right after the one before
    // it, and dropped by every write of this object.
    std::string read_ahead_;
    int64_t read_ahead_start_;
    int32_t last_record_read_;
};

// The word scrambling of one 20-byte area starting at image + offset; sets
// image[offset + 20] to 0. Its own inverse.
void ScrambleWordArea(char* image, int offset);

#endif
