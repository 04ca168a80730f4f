// Helpers of the storage tests: a private folder per test, file bytes, keys.
#ifndef LEXON_TESTS_STORAGE_TEST_UTIL_H
#define LEXON_TESTS_STORAGE_TEST_UTIL_H

#include "translator/storage/btree.h"
#include "translator/storage/dictionary.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the current directory, removed again at the end.
class TempFolder {
public:
    TempFolder()
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("tmp_") + (info ? info->test_suite_name() : "x") + "_" +
                           (info ? info->name() : "y");
        for (char& c : name)
            if (c == '/') c = '_';
        path_ = std::filesystem::current_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Path() const { return path_.string(); }
    DictionaryFiles Dictionary() const { return DictionaryFiles::InFolder(Path()); }

private:
    std::filesystem::path path_;
};

inline std::vector<unsigned char> ReadBytes(const std::string& name)
{
    std::vector<unsigned char> bytes;
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(file);
    return bytes;
}

inline void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes)
{
    FILE* file = std::fopen(name.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

inline uint32_t U32At(const std::vector<unsigned char>& b, size_t at)
{
    return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8 | uint32_t(b.at(at + 2)) << 16 |
           uint32_t(b.at(at + 3)) << 24;
}
inline int U16At(const std::vector<unsigned char>& b, size_t at)
{
    return b.at(at) | b.at(at + 1) << 8;
}
inline void PutU32At(std::vector<unsigned char>& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<unsigned char>(v >> (8 * i));
}
inline void PutU16At(std::vector<unsigned char>& b, size_t at, int v)
{
    b.at(at) = static_cast<unsigned char>(v);
    b.at(at + 1) = static_cast<unsigned char>(v >> 8);
}

// A 21-byte dictionary key for a word: NUL-filled, then blank padded.
inline std::string Key21(const std::string& word)
{
    std::string key(21, '\0');
    for (size_t i = 0; i < word.size() && i < 21; ++i) key[i] = word[i];
    BlankPadKey(&key[0], 21);
    return key;
}

// The key bytes of item i (1-based) of page n in an index file image.
inline std::string ItemKey(const std::vector<unsigned char>& b, uint32_t page, int i, int k = 21)
{
    size_t at = size_t(page) * 512 + 24 + size_t(i - 1) * (k + 4);
    return std::string(reinterpret_cast<const char*>(&b.at(at)), k);
}
inline uint32_t ItemValue(const std::vector<unsigned char>& b, uint32_t page, int i, int k = 21)
{
    return U32At(b, size_t(page) * 512 + 24 + size_t(i - 1) * (k + 4) + k);
}
inline int PageCount(const std::vector<unsigned char>& b, uint32_t page) { return U16At(b, page * 512 + 16); }
inline uint32_t PageFirst(const std::vector<unsigned char>& b, uint32_t page) { return U32At(b, page * 512 + 20); }
inline uint32_t PageParent(const std::vector<unsigned char>& b, uint32_t page) { return U32At(b, page * 512 + 4); }
inline uint32_t PagePrev(const std::vector<unsigned char>& b, uint32_t page) { return U32At(b, page * 512 + 8); }
inline uint32_t PageNext(const std::vector<unsigned char>& b, uint32_t page) { return U32At(b, page * 512 + 12); }
inline int PageKind(const std::vector<unsigned char>& b, uint32_t page) { return U16At(b, page * 512); }

#endif
