#include "log_stream.h"

#include <cstring>
#include <new>
#include <stdexcept>

bool LogStream::fail(LogError error)
{
    if (error_ == kLogOk)
        error_ = error;
    return false;
}

bool LogStream::read_byte(unsigned char* out)
{
    if (error_ != kLogOk)
        return false;
    if (remaining() < 1)
        return fail(kLogEndOfData);
    *out = data_[pos_++];
    return true;
}

bool LogStream::read_int32(int32_t* out)
{
    if (error_ != kLogOk)
        return false;
    if (remaining() < 4)
        return fail(kLogEndOfData);
    const unsigned char* p = data_ + pos_;
    uint32_t value = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                     (uint32_t(p[3]) << 24);
    pos_ += 4;
    std::memcpy(out, &value, 4);  // two's complement reinterpretation
    return true;
}

// The length of a log string: one byte, or 255 followed by an int32.
bool LogStream::read_length(uint32_t* out)
{
    unsigned char short_length;
    if (!read_byte(&short_length))
        return false;
    if (short_length != 255) {
        *out = short_length;
        return true;
    }
    int32_t long_length;
    if (!read_int32(&long_length))
        return false;
    if (long_length < 0)
        return fail(kLogInvalidValue);
    *out = uint32_t(long_length);
    return true;
}

bool LogStream::read_string(std::string* out)
{
    uint32_t length;
    if (!read_length(&length))
        return false;
    // Checked before allocating: a length beyond the data is a short read.
    if (length > remaining())
        return fail(kLogEndOfData);
    try {
        out->assign(reinterpret_cast<const char*>(data_ + pos_), length);
    } catch (const std::bad_alloc&) {
        return fail(kLogUnstorable);
    } catch (const std::length_error&) {
        return fail(kLogUnstorable);
    }
    pos_ += length;
    return true;
}

bool LogStream::read_path(std::string* out)
{
    std::string text;
    if (!read_string(&text))
        return false;
    if (text.size() > size_t(kMaxPathChars)) {
        bad_path_ = text.substr(0, kMaxPathChars) + "...";
        return fail(kLogPathTooLong);
    }
    // The reader keeps the text up to a NUL inside it, as a path buffer would.
    size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    out->swap(text);
    return true;
}

bool LogStream::read_block(void* out, size_t count)
{
    if (error_ != kLogOk)
        return false;
    if (count > remaining())
        return fail(kLogEndOfData);
    std::memcpy(out, data_ + pos_, count);
    pos_ += count;
    return true;
}

bool LogStream::read_data(int32_t size, std::vector<unsigned char>* out)
{
    if (error_ != kLogOk)
        return false;
    if (size < 0)
        return fail(kLogInvalidValue);
    if (size_t(size) > remaining())
        return fail(kLogEndOfData);
    try {
        out->assign(data_ + pos_, data_ + pos_ + size);
    } catch (const std::bad_alloc&) {
        return fail(kLogUnstorable);
    }
    pos_ += size_t(size);
    return true;
}

void LogWriter::header(const char* set_aside_name, uint32_t version, const std::string& title)
{
    unsigned char name[12] = {0};
    if (set_aside_name) {
        size_t length = std::strlen(set_aside_name);
        std::memcpy(name, set_aside_name, length < 12 ? length : 12);
    }
    raw(name, 12);
    byte((unsigned char)(version >> 24));
    byte((unsigned char)(version >> 16));
    byte((unsigned char)(version >> 8));
    byte((unsigned char)version);
    string(title);
}

void LogWriter::int32(int32_t value)
{
    uint32_t v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        bytes.push_back((unsigned char)(v >> (8 * i)));
}

void LogWriter::string(const std::string& text)
{
    if (text.size() < 255) {
        byte((unsigned char)text.size());
    } else {
        byte(255);
        int32(int32_t(text.size()));
    }
    raw(text.data(), text.size());
}

void LogWriter::raw(const void* data, size_t count)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    bytes.insert(bytes.end(), p, p + count);
}
