#include "translator/translate/text_translator.h"

#include "translator/app/messages.h"
#include "translator/translate/morphology.h"
#include "translator/translate/text_pieces.h"

#include <cstring>

const char kChooseLanguagesText[] = "Se deber\xE1 elegir un Idioma Origen y Destino";
const char kInputNotOpenedText[] = "El fichero especificado no se ha podido abrir";
const char kOutputNotOpenedText[] = "El fichero especificado (write)  no se ha podido abrir";
const char kEnglishIndexNotOpenedText[] = "No se ha podido Abrir el indice de ingles";
const char kSpanishIndexNotOpenedText[] = "No se ha podido Abrir el indice de castellano";
const char kCloseFilesFailedText[] = "Error closing read/write files";
const char kFileLineEndMarker[] = "\n";

namespace {

// Bytes that end a line of a file.
bool IsLineTerminator(int byte)
{
    return byte == 0 || byte == '\n' || byte == '\r';
}

bool IsChosenLanguage(int language)
{
    return language >= 0 && language <= 3;
}

// Room for one piece: a word of a line in marker form with its separator.
const int kPieceCapacity = kLineBufferSize + 4;

}  // namespace

TextTranslator::TextTranslator(int source_language, int target_language, const DictionaryFiles& files)
    : source_(source_language), target_(target_language), files_(files)
{
    line_[0] = '\0';
    token_[0] = '\0';
}

TextTranslator::~TextTranslator() = default;

void TextTranslator::SetLanguages(int source_language, int target_language)
{
    source_ = source_language;
    target_ = target_language;
}

int TextTranslator::OpenTextFiles(const char* input_path, OutputPathChooser& chooser)
{
    if (!IsChosenLanguage(source_) || !IsChosenLanguage(target_)) {
        ShowErrorBox(kChooseLanguagesText);
        return -1;
    }
    if (input_path == nullptr || !input_.Open(input_path)) {
        ShowErrorBox(kInputNotOpenedText);
        return -2;
    }
    std::string output_path;
    if (!chooser.ChooseOutputPath(output_path)) {
        input_.Close();
        return -1;
    }
    if (!output_.Open(output_path.c_str())) {
        ShowErrorBox(kOutputNotOpenedText);
        input_.Close();
        return -3;
    }
    pending_length_ = pending_next_ = 0;
    return 0;
}

void TextTranslator::AttachStreams(std::FILE* input, std::FILE* output)
{
    input_.Attach(input);
    output_.Attach(output);
    pending_length_ = pending_next_ = 0;
}

int TextTranslator::CloseTextFiles()
{
    bool output_closed = output_.Close();
    bool input_closed = input_.Close();
    return output_closed && input_closed ? 0 : 1;
}

int TextTranslator::OpenSourceIndex()
{
    if (source_ != kEnglish && source_ != kSpanish)
        return 0;
    std::unique_ptr<IndexDictionarySource> index(new IndexDictionarySource(files_));
    if (!index->Open(source_)) {
        ShowErrorBox(source_ == kEnglish ? kEnglishIndexNotOpenedText : kSpanishIndexNotOpenedText);
        return -1;
    }
    dictionary_ = std::move(index);
    return 0;
}

void TextTranslator::UseDictionary(std::unique_ptr<DictionarySource> source)
{
    dictionary_ = std::move(source);
}

void TextTranslator::TranslateFile(TranslationProgress* progress)
{
    if (progress != nullptr) {
        long size = input_.Size();
        progress->Begin(size > 0 ? size : 0);
    }
    while (ReadFileLine() != kNoMoreLines) {
        if (progress != nullptr)
            progress->Update(input_.Position());
        TranslateLine();
    }
}

int TextTranslator::NextInputByte()
{
    if (pending_next_ < pending_length_)
        return static_cast<unsigned char>(pending_[pending_next_++]);
    return input_.ReadByte();
}

int TextTranslator::ReadFileLine()
{
    int byte = NextInputByte();
    if (byte < 0)
        return kNoMoreLines;

    // Room for the text, its terminator and the NUL.
    const int max_text = kLineBufferSize - 2;
    int stored = 0;
    int last = byte;
    for (;;) {
        if (byte < 0) {
            // The input ended without a terminator: the last byte read is
            // the line's terminator.
            line_[stored] = '\0';
            line_length_ = static_cast<int>(std::strlen(line_));
            return last;
        }
        if (IsLineTerminator(byte)) {
            line_[stored++] = static_cast<char>(byte);
            line_[stored] = '\0';
            line_length_ = static_cast<int>(std::strlen(line_));
            return byte;
        }
        if (stored == max_text)
            break;
        line_[stored++] = static_cast<char>(byte);
        last = byte;
        byte = NextInputByte();
    }

    // The buffer is full and the line goes on: end this part after its last
    // separator, so that no word is split, and keep the rest (with the byte
    // in hand) for the next line. A part without any separator is one word
    // longer than the buffer and is cut where the buffer ends.
    int cut = stored;
    for (int i = stored - 1; i >= 0; --i)
        if (IsSeparator(static_cast<unsigned char>(line_[i]))) {
            cut = i + 1;
            break;
        }
    char rest[kLineBufferSize];
    int rest_length = stored - cut;
    std::memcpy(rest, line_ + cut, static_cast<std::size_t>(rest_length));
    rest[rest_length++] = static_cast<char>(byte);
    // Whatever was still pending stays behind the new rest.
    int still_pending = pending_length_ - pending_next_;
    std::memcpy(rest + rest_length, pending_ + pending_next_, static_cast<std::size_t>(still_pending));
    std::memcpy(pending_, rest, static_cast<std::size_t>(rest_length + still_pending));
    pending_length_ = rest_length + still_pending;
    pending_next_ = 0;

    line_[cut] = '\0';
    line_length_ = cut;
    return kBufferFull;
}

void TextTranslator::SetLine(const char* text)
{
    CopyAtMost(line_, text, kLineBufferSize - 1);
    line_length_ = static_cast<int>(std::strlen(line_));
}

int TextTranslator::NextToken(int& position)
{
    int start = position < line_length_ ? position : line_length_;
    int count = 0;
    while (!IsSeparator(static_cast<unsigned char>(line_[start + count]))) {
        token_[count] = line_[start + count];
        ++count;
    }
    token_[count] = '\0';
    int separator = static_cast<unsigned char>(line_[start + count]);
    position = start + count + 1;
    token_too_long_ = count > kMaxTokenWordLength;
    token_joined_ = false;

    if (std::strcmp(token_, "will") == 0 || std::strcmp(token_, "would") == 0)
        JoinFollowingWord(position);
    return separator;
}

bool TextTranslator::JoinedLineEnd(int position) const
{
    return token_joined_ && position >= 1 && position - 1 < line_length_ && line_[position - 1] == '\n';
}

void TextTranslator::JoinFollowingWord(int& position)
{
    char head[8];
    std::strcpy(head, token_);
    int after_head = position;
    NextToken(position);
    std::size_t head_length = std::strlen(head);
    std::size_t following_length = std::strlen(token_);
    if (token_too_long_ || head_length + 1 + following_length > kMaxJoinedTokenLength) {
        // Not joined: the following word is read again as a token of its own.
        std::strcpy(token_, head);
        token_too_long_ = false;
        token_joined_ = false;
        position = after_head;
        return;
    }
    std::memmove(token_ + head_length + 1, token_, following_length + 1);
    std::memcpy(token_, head, head_length);
    token_[head_length] = ' ';
    token_joined_ = true;
}

void TextTranslator::WritePieceWithMode(const char* text, int mode)
{
    char piece[kPieceCapacity];
    CopyAtMost(piece, text, kPieceCapacity - 4);
    int length = EmitPiece(piece, sizeof piece, mode);
    WritePiece(piece, static_cast<std::size_t>(length));
}

void TextTranslator::WriteUnknownWord(const char* copy, int separator)
{
    char piece[kPieceCapacity];
    CopyAtMost(piece, copy, kPieceCapacity - 4);
    EmitPiece(piece, sizeof piece, kMarkerMode);
    int length = EmitPiece(piece, sizeof piece, separator);
    WritePiece(piece, static_cast<std::size_t>(length));
}

void TextTranslator::TranslateLine()
{
    if (dictionary_ != nullptr)
        dictionary_->Refresh();
    analysis_.person = 0;
    analysis_.tense = 0;
    int position = 0;
    char copy[kLineBufferSize];
    char result[kWordBufferSize];

    for (;;) {
        int separator = NextToken(position);
        if (separator == 0 && token_[0] == '\0')
            return;
        if (token_[0] != '\0') {
            std::strcpy(copy, token_);
            std::memset(result, 0, sizeof result);
            if (token_too_long_) {
                // No dictionary word is this long: written whole as unknown.
                NormaliseWord(copy);
                WriteUnknownWord(copy, separator);
            } else if (LookupWord(copy, result) == 1) {
                if (source_ == kEnglish)
                    NotePronoun(token_, analysis_);
                WritePieceWithMode(result, separator);
            } else if (source_ == kEnglish) {
                if (AnalyseEnglishForm(token_, analysis_, *this) == 0)
                    WritePieceWithMode(analysis_.form, ' ');
                else
                    WriteUnknownWord(copy, separator);
            } else if (source_ == kSpanish) {
                // Lower case by the dictionary text conversion unless the
                // word has an accented letter in its Windows code (doing it
                // once is enough: the conversion leaves no word it could
                // change again).
                if (!ContainsAccentedLetter(token_))
                    ConvertDictionaryText(token_);
                if (AnalyseSpanishForm(token_, analysis_, *this) == 0)
                    WritePieceWithMode(analysis_.form, ' ');
                else if (ReduceGenderNumber(token_, analysis_, *this) == 0)
                    WritePieceWithMode(analysis_.adjective, ' ');
                else
                    WriteUnknownWord(copy, separator);
            } else {
                WriteUnknownWord(copy, separator);
            }
        }
        // A line feed consumed after "will go" still ends the line: without
        // the marker two lines of the text would run together.
        if (separator == '\n' || JoinedLineEnd(position)) {
            const char* marker = LineEndMarker();
            WritePiece(marker, std::strlen(marker));
        }
        if (separator == 0 || position >= line_length_)
            return;
    }
}

int TextTranslator::LookupWord(char* word, char* result)
{
    NormaliseWord(word);
    if (dictionary_ == nullptr)
        return -7;
    char key[kDictionaryKeyLength + 1];
    MakeDictionaryKey(word, key);
    key[kDictionaryKeyLength] = '\0';
    int32_t record = dictionary_->SeekKey(key);
    if (record <= 0)
        return -7;
    if (target_ != kEnglish && target_ != kSpanish)
        return -7;
    char image[kRecordImageSize];
    std::memset(image, 0, sizeof image);
    dictionary_->FetchRecordImage(record, image);
    CopyAtMost(result, image + (target_ == kEnglish ? kEnglishOffset : kSpanishOffset), kMaxTokenWordLength);
    ConvertDictionaryText(result);
    return 1;
}

void TextTranslator::WritePiece(const char* bytes, std::size_t length)
{
    output_.Write(bytes, length);
}
