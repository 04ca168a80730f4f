#include "translator/translate/clipboard_translator.h"

#include "translator/app/messages.h"
#include "translator/translate/text_pieces.h"

#include <cstring>

const char kChooseLanguagesClipboardText[] = "You must select the source and target languaje";
const char kClipboardLineEndMarker[] = "[*--Enter--*] ";

ClipboardTranslator::ClipboardTranslator(int source_language, int target_language,
                                         const DictionaryFiles& files)
    : TextTranslator(source_language, target_language, files)
{
}

bool ClipboardTranslator::CheckLanguages() const
{
    if (SourceLanguage() < 0 || SourceLanguage() > 3 || TargetLanguage() < 0 || TargetLanguage() > 3) {
        ShowErrorBox(kChooseLanguagesClipboardText);
        return false;
    }
    return true;
}

void ClipboardTranslator::SetClipboardData(const char* data, std::size_t size)
{
    data_ = data;
    size_ = data != nullptr ? size : 0;
    next_ = 0;
}

int ClipboardTranslator::ReadClipboardUnit()
{
    const int max_text = kLineBufferSize - 2;
    int stored = 0;
    int terminator = 0;
    for (;;) {
        if (next_ >= size_) {
            terminator = 0;
            break;
        }
        unsigned char byte = static_cast<unsigned char>(data_[next_]);
        if (IsSeparator(byte)) {
            ++next_;
            line_[stored++] = static_cast<char>(byte);
            terminator = byte;
            break;
        }
        if (stored == max_text) {
            terminator = kBufferFull;
            break;
        }
        ++next_;
        line_[stored++] = static_cast<char>(byte);
    }
    line_[stored] = '\0';
    line_length_ = static_cast<int>(std::strlen(line_));
    return terminator;
}

void ClipboardTranslator::TranslateClipboard()
{
    for (;;) {
        int terminator = ReadClipboardUnit();
        TranslateLine();
        if (terminator <= 0)
            break;
    }
}

void ClipboardTranslator::WritePiece(const char* bytes, std::size_t length)
{
    result_.append(bytes, length);
}
