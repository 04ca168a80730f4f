#include "translator/framework/archive.h"

bool Archive::Write(const void* data, size_t size)
{
    if (!IsStoring() || !file_) {
        failed_ = true;
        return false;
    }
    if (size == 0) return true;
    if (std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
        return false;
    }
    return true;
}

size_t Archive::Read(void* data, size_t size)
{
    if (!IsLoading() || !file_) {
        failed_ = true;
        return 0;
    }
    size_t got = std::fread(data, 1, size, file_);
    if (got < size && std::ferror(file_)) failed_ = true;
    return got;
}

long long Archive::FileLength()
{
    if (!file_) return -1;
    long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0) return -1;
    long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end;
}

Archive::ReadResult Archive::ReadAll(std::string& text, size_t limit)
{
    long long length = FileLength();
    if (length < 0) {
        failed_ = true;
        return ReadResult::Error;
    }
    long here = std::ftell(file_);
    long long remaining = length - (here > 0 ? here : 0);
    if (remaining < 0) remaining = 0;
    if (static_cast<unsigned long long>(remaining) > limit) return ReadResult::TooLarge;
    std::string content(static_cast<size_t>(remaining), '\0');
    size_t got = remaining > 0 ? Read(&content[0], content.size()) : 0;
    if (got != content.size()) {
        failed_ = true;
        return ReadResult::Error;
    }
    text.swap(content);
    return ReadResult::Ok;
}
