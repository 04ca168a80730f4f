#include "translator/translate/text_pieces.h"

#include "translator/storage/dictionary.h"

#include <cstring>

bool IsSeparator(unsigned char byte)
{
    switch (byte) {
    case 0: case 9: case 10: case 32: case 40: case 41:
    case 44: case 46: case 58: case 59: case 63:
        return true;
    default:
        return false;
    }
}

int TrimEntry(char* text)
{
    int length = 0;
    while (text[length] != '\0') {
        if (text[length] == ' ' && (length == 0 || text[length - 1] == ' '))
            break;
        ++length;
    }
    text[length] = '\0';
    return length;
}

int EmitPiece(char* text, std::size_t capacity, int mode)
{
    int length = TrimEntry(text);
    if (mode == kMarkerMode) {
        if (static_cast<std::size_t>(length) + 3 > capacity)
            return length;   // no room: caller's buffer too small, keep the text
        std::memmove(text + 1, text, static_cast<std::size_t>(length));
        text[0] = '<';
        text[length + 1] = '>';
        length += 2;
        text[length] = '\0';
    } else if (mode > 0 && static_cast<std::size_t>(length) + 2 <= capacity) {
        text[length] = static_cast<char>(mode);
        ++length;
        text[length] = '\0';
    }
    return length;
}

bool ReplaceFirst(char* text, std::size_t capacity, const char* pattern, const char* replacement)
{
    char* found = std::strstr(text, pattern);
    if (found == nullptr)
        return false;
    std::size_t before = static_cast<std::size_t>(found - text);
    std::size_t pattern_length = std::strlen(pattern);
    std::size_t replacement_length = std::strlen(replacement);
    const char* after = found + pattern_length;
    std::size_t after_length = std::strlen(after);

    // Move the tail first (it may overlap the replacement), then put the
    // replacement in; both are cut where the buffer ends.
    std::size_t limit = capacity - 1;
    std::size_t tail_start = before + replacement_length;
    if (tail_start < limit) {
        std::size_t tail_room = limit - tail_start;
        std::size_t tail_length = after_length < tail_room ? after_length : tail_room;
        std::memmove(text + tail_start, after, tail_length);
        text[tail_start + tail_length] = '\0';
    } else {
        text[limit] = '\0';
    }
    std::size_t replacement_room = limit - before;
    std::memcpy(text + before, replacement,
                replacement_length < replacement_room ? replacement_length : replacement_room);
    return true;
}

void CopyAtMost(char* target, const char* source, std::size_t max_bytes)
{
    std::size_t length = 0;
    while (length < max_bytes && source[length] != '\0') {
        target[length] = source[length];
        ++length;
    }
    target[length] = '\0';
}

void AppendText(char* text, std::size_t capacity, const char* suffix)
{
    std::size_t length = std::strlen(text);
    if (length + 1 >= capacity)
        return;
    CopyAtMost(text + length, suffix, capacity - 1 - length);
}

void LowercaseAscii(char* text)
{
    for (; *text != '\0'; ++text)
        if (*text >= 'A' && *text <= 'Z')
            *text = static_cast<char>(*text - 'A' + 'a');
}

bool ContainsAccentedLetter(const char* text)
{
    for (; *text != '\0'; ++text) {
        switch (static_cast<unsigned char>(*text)) {
        case 0xE1: case 0xE4: case 0xE9: case 0xEB: case 0xED: case 0xEF:
        case 0xF1: case 0xF3: case 0xF6: case 0xFA: case 0xFC:
            return true;
        default:
            break;
        }
    }
    return false;
}

void NormaliseWord(char* word)
{
    LowercaseAscii(word);
    if (ContainsAccentedLetter(word))
        ConvertDictionaryText(word);
}
