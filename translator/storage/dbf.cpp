#include "translator/storage/dbf.h"

#include "translator/app/messages.h"
#include "translator/storage/raw_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The word scrambling key. A table is readable only by a build with the same
// 20 values, so they never change.
const unsigned char kScrambleKey[20] = {
    0x4C, 0x65, 0x78, 0x6F, 0x6E, 0x2D, 0x44, 0x69, 0x63, 0x63,
    0x69, 0x6F, 0x6E, 0x61, 0x72, 0x69, 0x6F, 0x31, 0x39, 0x35,
};

const int kBufferSize = 1024;
const int kFileHeaderSize = 32;

uint32_t GetU32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutU32(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

uint16_t GetU16(const unsigned char* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

unsigned char* AllocateBuffer()
{
    unsigned char* buffer = new (std::nothrow) unsigned char[kBufferSize];
    if (!buffer) {
        ShowErrorBox("Error mallocing memory");
        FatalStop();
    }
    std::memset(buffer, 0, kBufferSize);
    return buffer;
}

}  // namespace

void ScrambleWordArea(char* image, int offset)
{
    for (int i = 0; i < 20; ++i)
        image[offset + i] = static_cast<char>(image[offset + i] ^ (kScrambleKey[i] | 0x80));
    image[offset + 20] = 0;
}

DBF::DBF()
    : descriptor_area_length_(0),
      descriptors_(nullptr),
      header_(nullptr),
      handle_(-1),
      position_(0),
      read_ahead_start_(0),
      last_record_read_(0)
{
    descriptors_ = AllocateBuffer();
    header_ = AllocateBuffer();
}

DBF::~DBF()
{
    Close();
}

int16_t DBF::Open(int permission_mode, const char* file_name)
{
    if (handle_ >= 0) Close();   // an object opens one file at a time
    if (!header_) header_ = AllocateBuffer();
    if (!descriptors_) descriptors_ = AllocateBuffer();
    file_name_ = file_name ? file_name : "";

    int16_t handle = ObtenerGeneral(permission_mode);
    if (handle < 0) return -1;

    descriptor_area_length_ = kDbfDescriptorAreaLength;
    long got = RawRead(handle_, descriptors_, descriptor_area_length_);
    if (got != descriptor_area_length_) {
        ShowErrorBox("No Puedo leer estructura campos");
        RawClose(handle_);
        handle_ = -1;
        return -1;
    }
    // Byte 128 ends the descriptors of exactly three fields; the header
    // length, record length and record count must describe a file that
    // really holds the counted records.
    bool sound = descriptors_[96] == 0x0D;
    int header_length = GetU16(header_ + 8);
    int record_length = GetU16(header_ + 10);
    if (header_length != kDbfHeaderLength) sound = false;
    if (record_length < kDbfMinRecordLength || record_length > kDbfMaxRecordLength) sound = false;
    if (sound) {
        int64_t size = RawFileSize(handle_);
        int64_t needed = int64_t(kDbfHeaderLength) + int64_t(RecordCount()) * record_length;
        if (size < 0 || needed > size) sound = false;
    }
    if (!sound) {
        ShowErrorBox("El Fichero no cumple formato DBF");
        RawClose(handle_);
        handle_ = -1;
        return -1;
    }
    position_ = kFileHeaderSize + descriptor_area_length_;
    read_ahead_.clear();
    last_record_read_ = 0;
    return 0;
}

int16_t DBF::ObtenerGeneral(int /*permission_mode*/)
{
    int handle = RawOpenReadWrite(file_name_.c_str());
    if (handle < 0) {
        ShowErrorBox("No Encuentro el Fichero (ObtenerGeneral)");
        return -1;
    }
    long got = RawRead(handle, header_, kFileHeaderSize);
    if (got != kFileHeaderSize) {
        ShowErrorBox("I can't read the Dbf Header");
        RawClose(handle);
        return -2;
    }
    handle_ = handle;
    return static_cast<int16_t>(handle);
}

void DBF::Close()
{
    if (handle_ >= 0) RawClose(handle_);
    handle_ = -1;
    delete[] descriptors_;
    descriptors_ = nullptr;
    delete[] header_;
    header_ = nullptr;
}

uint32_t DBF::RecordCount() const
{
    return header_ ? GetU32(header_ + 4) : 0;
}

int DBF::RecordLength() const
{
    return header_ ? GetU16(header_ + 10) : 0;
}

int16_t DBF::ReadRecord(char* buffer, int32_t n)
{
    int length = RecordLength();
    if (handle_ < 0 || length <= 0) {
        ShowErrorBox("No Puedo mover puntero del DBF");
        return -1;
    }
    int64_t offset = int64_t(GetU16(header_ + 8)) + (int64_t(n) - 1) * length;
    int64_t cached_end = read_ahead_start_ + int64_t(read_ahead_.size());
    bool cached = offset >= read_ahead_start_ && offset + length <= cached_end;
    if (!cached) {
        if (offset < kDbfHeaderLength || RawSeek(handle_, offset, SEEK_SET) != offset) {
            ShowErrorBox("No Puedo mover puntero del DBF");
            std::memset(buffer, 0, length);
            return -1;
        }
        // A walk in record order reads ahead; a lone read takes one record.
        size_t wanted = n == last_record_read_ + 1 && n > 1 ? size_t(length) * 256 : size_t(length);
        read_ahead_.resize(wanted);
        long got = RawRead(handle_, &read_ahead_[0], static_cast<unsigned long>(wanted));
        read_ahead_.resize(got > 0 ? size_t(got) : 0);
        read_ahead_start_ = offset;
        if (got < length) {
            char text[64];
            std::snprintf(text, sizeof text, "No puedo leer registro %ld", static_cast<long>(n));
            ShowErrorBox(text);
            std::memset(buffer, 0, length);
            read_ahead_.clear();
            return -1;
        }
    }
    std::memcpy(buffer, read_ahead_.data() + (offset - read_ahead_start_), length);
    position_ = offset + length;
    last_record_read_ = n;
    ScrambleWordArea(buffer, 22);
    ScrambleWordArea(buffer, 1);
    return 0;
}

int16_t DBF::WriteRecord(char* image)
{
    if (handle_ < 0) return -2;
    read_ahead_.clear();
    int64_t start = position_ + 1;
    if (RawSeek(handle_, start, SEEK_SET) != start) return -2;
    position_ = start;
    int length = RecordLength();
    ScrambleWordArea(image, 22);
    ScrambleWordArea(image, 1);
    long written = RawWrite(handle_, image, length);
    if (written != length) {
        ShowErrorBox("Something was wrong writing the register");
        return -1;
    }
    position_ += length;
    ScrambleWordArea(image, 22);
    ScrambleWordArea(image, 1);
    return 0;
}

int16_t DBF::AppendBlank()
{
    if (handle_ < 0) return -1;
    read_ahead_.clear();
    int length = RecordLength();
    char* blanks = new (std::nothrow) char[length + 3];
    if (!blanks) {
        ShowErrorBox("Error mallocing memory");
        return -1;
    }
    std::memset(blanks, ' ', length);

    // The record goes first, just past the last counted record (the physical
    // end of every table this program writes); the header counts it only
    // once it is in the file.
    uint32_t count = RecordCount();
    int64_t end = int64_t(kDbfHeaderLength) + int64_t(count) * length;
    if (RawSeek(handle_, end, SEEK_SET) != end) {
        ShowErrorBox("no es el final??????...:-(");
        delete[] blanks;
        return -1;
    }
    long written = RawWrite(handle_, blanks, length);
    delete[] blanks;
    if (written != length) {
        ShowErrorBox("Something was wrong writing the register");
        FatalStop();
    }

    PutU32(header_ + 4, count + 1);
    if (RawSeek(handle_, 0, SEEK_SET) != 0) {
        ShowErrorBox("no es el principio??????...:-(");
        PutU32(header_ + 4, count);
        return -1;
    }
    if (RawWrite(handle_, header_, kFileHeaderSize) != kFileHeaderSize) {
        ShowErrorBox("Algo a salido mal grabando la cabecera de la DBF");
        PutU32(header_ + 4, count);
        return -1;
    }
    GoBottom();
    return 0;
}

int16_t DBF::GoTo(int32_t n)
{
    if (handle_ < 0) return -1;
    int64_t position = int64_t(descriptor_area_length_) + 32 + (int64_t(n) - 1) * RecordLength();
    if (position < 0) return -1;
    position_ = position;
    return 0;
}

int16_t DBF::GoTop()
{
    return GoTo(1);
}

int16_t DBF::GoBottom()
{
    return GoTo(static_cast<int32_t>(RecordCount()));
}

int32_t DBF::RecNo()
{
    int length = RecordLength();
    if (handle_ < 0 || length <= 0) return 0;
    uint32_t from_first = static_cast<uint32_t>(position_ - descriptor_area_length_ - 32);
    return static_cast<int32_t>(from_first / static_cast<uint32_t>(length) + 1);
}

int16_t DBF::Delete(int32_t n)
{
    // Only a record that is in the table can be marked: a number past the
    // end would otherwise write a flag beyond the last record.
    if (n < 1 || static_cast<uint32_t>(n) > RecordCount()) return -2;
    if (GoTo(n) != 0) return -2;
    read_ahead_.clear();
    int64_t flag_at = position_ + 1;
    if (RawSeek(handle_, flag_at, SEEK_SET) != flag_at) return -3;
    char flag = '*';
    if (RawWrite(handle_, &flag, 1) != 1) return -3;
    position_ = flag_at + 1;
    return 0;
}
