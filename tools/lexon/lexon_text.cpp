#include "tools/lexon/lexon_text.h"

#include "translator/storage/dictionary.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// Unicode code points of Windows-1252 bytes 0x80..0x9F; the five bytes the
// code page leaves undefined map to the C1 controls of the same value.
const unsigned short kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

unsigned CodePointOf(unsigned char c)
{
    if (c >= 0x80 && c <= 0x9F) return kHighControls[c - 0x80];
    return c;
}

bool ByteOf(unsigned code_point, unsigned char* c)
{
    if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
        *c = static_cast<unsigned char>(code_point);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == code_point) {
            *c = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    return false;
}

}  // namespace

bool Utf8ToWindows1252(const std::string& text, std::string* out)
{
    out->clear();
    size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;   // a byte-order mark
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        unsigned code_point;
        int extra;
        if (lead < 0x80) {
            code_point = lead;
            extra = 0;
        } else if ((lead & 0xE0) == 0xC0) {
            code_point = lead & 0x1F;
            extra = 1;
        } else if ((lead & 0xF0) == 0xE0) {
            code_point = lead & 0x0F;
            extra = 2;
        } else if ((lead & 0xF8) == 0xF0) {
            code_point = lead & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (i + extra >= text.size()) return false;
        for (int j = 1; j <= extra; ++j) {
            unsigned char next = static_cast<unsigned char>(text[i + j]);
            if ((next & 0xC0) != 0x80) return false;
            code_point = code_point << 6 | (next & 0x3F);
        }
        // Overlong forms are not valid UTF-8.
        static const unsigned kSmallest[4] = {0, 0x80, 0x800, 0x10000};
        if (code_point < kSmallest[extra]) return false;
        unsigned char c;
        if (!ByteOf(code_point, &c)) return false;
        out->push_back(static_cast<char>(c));
        i += extra + 1;
    }
    return true;
}

std::string Windows1252ToUtf8(const std::string& text)
{
    std::string out;
    for (char byte : text) {
        unsigned code_point = CodePointOf(static_cast<unsigned char>(byte));
        if (code_point < 0x80) {
            out += static_cast<char>(code_point);
        } else if (code_point < 0x800) {
            out += static_cast<char>(0xC0 | code_point >> 6);
            out += static_cast<char>(0x80 | (code_point & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | code_point >> 12);
            out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code_point & 0x3F));
        }
    }
    return out;
}

bool LexonTextIn(const LexonOptions& options, const std::string& text, std::string* out)
{
    if (!options.utf8) {
        *out = text;
        return true;
    }
    return Utf8ToWindows1252(text, out);
}

std::string LexonTextOut(const LexonOptions& options, const std::string& text)
{
    return options.utf8 ? Windows1252ToUtf8(text) : text;
}

bool LexonReadFile(const std::string& name, std::string* bytes)
{
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return false;
    bytes->clear();
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->append(chunk, got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

DictionaryFiles LexonDictionaryFiles(const LexonOptions& options)
{
    return DictionaryFiles::InFolder(options.dir);
}

bool LexonIsTerminal(FILE* stream)
{
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) != 0;
#endif
}
