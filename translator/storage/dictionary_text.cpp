// The dictionary text conversion and the index key of a word.
#include "translator/storage/btree.h"
#include "translator/storage/dictionary.h"

#include <cstring>

const char kTableFileName[] = "mixto.dbf";
const char kEnglishIndexFileName[] = "mixing.mgm";
const char kSpanishIndexFileName[] = "mixesp.mgm";

namespace {

// Windows-1252 code and OEM code page 850 code of the 11 accented letters.
const unsigned char kAccentPairs[11][2] = {
    {225, 160}, {228, 132}, {233, 130}, {235, 137}, {237, 161}, {239, 139},
    {241, 164}, {243, 162}, {246, 148}, {250, 163}, {252, 129},
};

}  // namespace

unsigned char ConvertDictionaryChar(unsigned char c)
{
    for (const auto& pair : kAccentPairs) {
        if (c == pair[0]) return pair[1];
        if (c == pair[1]) return pair[0];
    }
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
    return c;
}

void ConvertDictionaryText(char* text)
{
    for (; *text; ++text)
        *text = static_cast<char>(ConvertDictionaryChar(static_cast<unsigned char>(*text)));
}

std::string ConvertDictionaryText(const std::string& text)
{
    std::string converted = text;
    for (char& c : converted) {
        if (c == 0) break;
        c = static_cast<char>(ConvertDictionaryChar(static_cast<unsigned char>(c)));
    }
    return converted;
}

void MakeDictionaryKey(const char* word, char* key)
{
    std::memset(key, 0, kDictionaryKeyLength);
    for (int i = 0; i < kDictionaryKeyLength && word[i]; ++i) key[i] = word[i];
    BlankPadKey(key, kDictionaryKeyLength);
    for (int i = 0; i < kDictionaryKeyLength; ++i)
        if (key[i] >= 'A' && key[i] <= 'Z') key[i] = static_cast<char>(key[i] - 'A' + 'a');
}

DictionaryFiles DictionaryFiles::InFolder(const std::string& dir)
{
    DictionaryFiles files;
    if (dir.empty()) return files;
    std::string prefix = dir;
    char last = prefix[prefix.size() - 1];
    if (last != '/' && last != '\\') prefix += '/';
    files.table = prefix + kTableFileName;
    files.english_index = prefix + kEnglishIndexFileName;
    files.spanish_index = prefix + kSpanishIndexFileName;
    return files;
}

int ProgressBarLength(uint32_t position, uint32_t total, int full_width)
{
    if (total == 0) return 0;
    return static_cast<int>(uint64_t(position) * uint64_t(full_width) / total);
}
