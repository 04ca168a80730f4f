#include "translator/translate/text_streams.h"

namespace {
const int kCtrlZ = 0x1A;
}

TextInputStream::~TextInputStream()
{
    Close();
}

bool TextInputStream::Open(const char* path)
{
    Close();
    file_ = std::fopen(path, "rb");
    owned_ = file_ != nullptr;
    buffer_.resize(kTextStreamBufferSize);
    ended_ = false;
    consumed_ = 0;
    buffered_ = next_ = 0;
    return file_ != nullptr;
}

void TextInputStream::Attach(std::FILE* file)
{
    Close();
    file_ = file;
    owned_ = false;
    buffer_.resize(kTextStreamBufferSize);
    ended_ = false;
    consumed_ = 0;
    buffered_ = next_ = 0;
}

bool TextInputStream::Close()
{
    bool ok = true;
    if (file_ != nullptr && owned_)
        ok = std::fclose(file_) == 0;
    file_ = nullptr;
    owned_ = false;
    return ok;
}

int TextInputStream::RawByte()
{
    if (next_ == buffered_) {
        if (file_ == nullptr)
            return -1;
        buffered_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        next_ = 0;
        if (buffered_ == 0)
            return -1;
    }
    ++consumed_;
    return buffer_[next_++];
}

int TextInputStream::ReadByte()
{
    if (ended_)
        return -1;
    int byte = RawByte();
    if (byte == kCtrlZ || byte < 0) {
        ended_ = true;
        return -1;
    }
    if (byte == '\r') {
        // Look at the next byte without taking it unless it is a line feed.
        if (next_ == buffered_ && file_ != nullptr) {
            buffered_ = std::fread(buffer_.data(), 1, buffer_.size(), file_);
            next_ = 0;
        }
        if (next_ < buffered_ && buffer_[next_] == '\n') {
            ++next_;
            ++consumed_;
            return '\n';
        }
    }
    return byte;
}

long TextInputStream::Size()
{
    if (file_ == nullptr)
        return -1;
    long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0)
        return -1;
    long size = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return size;
}

TextOutputStream::~TextOutputStream()
{
    Close();
}

bool TextOutputStream::Open(const char* path)
{
    Close();
    file_ = std::fopen(path, "wb");
    owned_ = file_ != nullptr;
    buffer_.resize(kTextStreamBufferSize);
    failed_ = false;
    buffered_ = 0;
    return file_ != nullptr;
}

void TextOutputStream::Attach(std::FILE* file)
{
    Close();
    file_ = file;
    owned_ = false;
    buffer_.resize(kTextStreamBufferSize);
    failed_ = false;
    buffered_ = 0;
}

bool TextOutputStream::Close()
{
    if (file_ == nullptr)
        return true;
    Flush();
    bool ok = !failed_;
    if (owned_) {
        if (std::fclose(file_) != 0)
            ok = false;
    } else if (std::fflush(file_) != 0) {
        ok = false;
    }
    file_ = nullptr;
    owned_ = false;
    return ok;
}

void TextOutputStream::Write(const char* bytes, std::size_t length)
{
    if (file_ == nullptr)
        return;   // no output open: nothing to write to
    for (std::size_t i = 0; i < length; ++i) {
        if (buffered_ + 2 > buffer_.size())
            Flush();
        if (bytes[i] == '\n')
            buffer_[buffered_++] = '\r';
        buffer_[buffered_++] = bytes[i];
    }
}

void TextOutputStream::Flush()
{
    if (buffered_ > 0 && file_ != nullptr) {
        if (std::fwrite(buffer_.data(), 1, buffered_, file_) != buffered_)
            failed_ = true;
    }
    buffered_ = 0;
}
