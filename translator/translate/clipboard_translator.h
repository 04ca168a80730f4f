// ClipboardTranslator: the translation of the text on the clipboard (CF_TEXT
// bytes) into a result text, which the Text > Clipboard worker shows in its
// result dialog.
//
// The clipboard text is cut into units of one word and the separator that
// ends it; every unit is translated as a line of its own, so no pronoun,
// tense or "will"/"would" joining carries from one word to the next. Each
// line feed of the source adds "[*--Enter--*] " to the result.
#ifndef LEXON_TRANSLATE_CLIPBOARD_TRANSLATOR_H
#define LEXON_TRANSLATE_CLIPBOARD_TRANSLATOR_H

#include "translator/translate/text_translator.h"

#include <string>

extern const char kChooseLanguagesClipboardText[];   // "You must select the source and target languaje"
extern const char kClipboardLineEndMarker[];         // "[*--Enter--*] "

class ClipboardTranslator : public TextTranslator {
public:
    ClipboardTranslator(int source_language, int target_language,
                        const DictionaryFiles& files = DictionaryFiles());

    // True when both languages are chosen (0..3); otherwise shows
    // "You must select the source and target languaje".
    bool CheckLanguages() const;

    // The clipboard bytes (size bytes; the text ends at its first NUL or at
    // the end of the data). The data must stay valid while translating.
    void SetClipboardData(const char* data, std::size_t size);

    // Reads the next unit into the line buffer: the bytes up to the first
    // separator, which is stored after them. Returns the separator, 0 at
    // the end of the data, or kBufferFull for a word longer than the buffer
    // (its next part starts the next unit).
    int ReadClipboardUnit();

    // Translates every unit of the clipboard data, appending to the result.
    void TranslateClipboard();

    const std::string& ResultText() const { return result_; }

protected:
    void WritePiece(const char* bytes, std::size_t length) override;
    const char* LineEndMarker() const override { return kClipboardLineEndMarker; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t next_ = 0;
    std::string result_;
};

#endif
