// TextTranslator: the word-by-word translation of a text file, and the base
// of ClipboardTranslator (clipboard_translator.h).
//
// The text is cut into words at the separator set (text_pieces.h). Each word
// is looked up in the index of the source language; a found word is written
// in the target language with the separator that followed it. A word that
// is not found goes through the morphology (morphology.h): a reduced verb
// form, or a Spanish adjective retried with another gender or number, is
// written followed by a blank; a word that stays unknown is written in
// lower case between "<" and ">" with its separator. A separator that
// follows another separator is dropped, except that a line feed always
// writes the line-end marker ("\n" to a file, "[*--Enter--*] " on the
// clipboard).
//
// A translator lives for one command. The Win32 worker of the Text > File
// command is a thin layer on it: it asks for the languages, then calls
// OpenTextFiles (asking for the output path through OutputPathChooser),
// OpenSourceIndex, TranslateFile (drawing its progress window through
// TranslationProgress) and CloseTextFiles, which show their own messages
// with ShowErrorBox.
#ifndef LEXON_TRANSLATE_TEXT_TRANSLATOR_H
#define LEXON_TRANSLATE_TEXT_TRANSLATOR_H

#include "translator/storage/dictionary.h"
#include "translator/translate/dictionary_source.h"
#include "translator/translate/text_streams.h"
#include "translator/translate/verb_analysis.h"

#include <cstdio>
#include <memory>
#include <string>

extern const char kChooseLanguagesText[];      // "Se deberá elegir un Idioma Origen y Destino"
extern const char kInputNotOpenedText[];       // "El fichero especificado no se ha podido abrir"
extern const char kOutputNotOpenedText[];      // "El fichero especificado (write)  no se ha podido abrir"
extern const char kEnglishIndexNotOpenedText[];// "No se ha podido Abrir el indice de ingles"
extern const char kSpanishIndexNotOpenedText[];// "No se ha podido Abrir el indice de castellano"
extern const char kCloseFilesFailedText[];     // "Error closing read/write files"
extern const char kFileLineEndMarker[];        // "\n"

// Results of the line readers besides a terminator byte 0..255.
const int kNoMoreLines = -1;      // the input has ended
const int kBufferFull = 256;      // the line was cut because the buffer is full

// Asks the user for the output file (the Save As dialog of the worker).
class OutputPathChooser {
public:
    virtual ~OutputPathChooser() = default;
    // False when the user cancelled.
    virtual bool ChooseOutputPath(std::string& path) = 0;
};

// The progress of a file translation (the worker's progress window).
class TranslationProgress {
public:
    virtual ~TranslationProgress() = default;
    // total: the input's size in bytes (0 when unknown).
    virtual void Begin(long total) = 0;
    // position: the bytes of the input read so far; called once per line.
    virtual void Update(long position) = 0;
};

class TextTranslator : public WordLookup {
public:
    TextTranslator(int source_language, int target_language,
                   const DictionaryFiles& files = DictionaryFiles());
    ~TextTranslator() override;
    TextTranslator(const TextTranslator&) = delete;
    TextTranslator& operator=(const TextTranslator&) = delete;

    void SetLanguages(int source_language, int target_language);
    int SourceLanguage() const { return source_; }
    int TargetLanguage() const { return target_; }

    // Checks the languages (0..3), opens the input, asks for the output path
    // and opens it. 0; -1 languages not chosen or Save As cancelled; -2 the
    // input cannot be opened; -3 the output cannot be opened. The messages
    // are shown here.
    int OpenTextFiles(const char* input_path, OutputPathChooser& chooser);
    // Translates from and to streams the caller owns (standard input and
    // output of the command-line tool); both must be in binary mode.
    void AttachStreams(std::FILE* input, std::FILE* output);
    // Closes the output, then the input. Nonzero when a close failed.
    int CloseTextFiles();

    // Opens the index of the source language for the whole command:
    // "mixing.mgm" for English, "mixesp.mgm" for Spanish, showing
    // "No se ha podido Abrir el indice de ingles" / "... de castellano" on
    // failure. Other source codes open nothing. 0, or nonzero.
    int OpenSourceIndex();
    // Uses source instead of the dictionary files (tests, fuzzing).
    void UseDictionary(std::unique_ptr<DictionarySource> source);

    // Reads and translates every line of the input; progress may be null.
    void TranslateFile(TranslationProgress* progress);

    // Reads the next line of the input into the line buffer: the bytes up to
    // and including the first NUL, line feed or carriage return. Returns
    // that terminator, the last byte read when the input ends without one,
    // kBufferFull when the line is longer than the buffer (it is then cut
    // after its last separator and the rest starts the next line), or
    // kNoMoreLines at the end of the input.
    int ReadFileLine();

    // Cuts the next word from the line buffer at position: fills the token,
    // moves position past the separator, and returns the separator's byte
    // (0 at the end of the text). A token "will" or "would" is joined with
    // a blank to the word that follows; the separator reported is then the
    // one after "will"/"would", and the one after the following word is
    // consumed (JoinedLineEnd tells whether that was a line feed).
    int NextToken(int& position);
    // True when the last token was joined and the separator consumed after
    // its following word was a line feed: the line still ends there.
    bool JoinedLineEnd(int position) const;
    // True when the last token is a single word longer than 21 bytes.
    bool TokenTooLong() const { return token_too_long_; }

    // Translates the line buffer and writes the output pieces.
    void TranslateLine();

    // Looks word up (normalising it in place) in the source index; 1 with
    // the target-language text in result (kWordBufferSize bytes), or -7.
    int LookupWord(char* word, char* result) override;

    // The line buffer, for callers that fill it themselves.
    void SetLine(const char* text);
    const char* Line() const { return line_; }
    int LineLength() const { return line_length_; }

    // The current token; the search dialog puts a word here before it runs
    // an analysis.
    char* Token() { return token_; }
    VerbAnalysis& Analysis() { return analysis_; }

protected:
    // Writes one output piece.
    virtual void WritePiece(const char* bytes, std::size_t length);
    // The marker written for a line feed of the source.
    virtual const char* LineEndMarker() const { return kFileLineEndMarker; }

    char line_[kLineBufferSize];
    int line_length_ = 0;

private:
    int NextInputByte();
    void JoinFollowingWord(int& position);
    void WriteUnknownWord(const char* copy, int separator);
    void WritePieceWithMode(const char* text, int mode);

    int source_;
    int target_;
    DictionaryFiles files_;
    std::unique_ptr<DictionarySource> dictionary_;
    TextInputStream input_;
    TextOutputStream output_;

    // Bytes read from the input but not yet part of a line (the rest of a
    // line cut at the buffer's end).
    char pending_[kLineBufferSize];
    int pending_length_ = 0;
    int pending_next_ = 0;

    char token_[kLineBufferSize];
    bool token_too_long_ = false;
    bool token_joined_ = false;   // the last token is "will"/"would" + word
    VerbAnalysis analysis_;
};

// The longest token a "will"/"would" joining may build; a longer phrase is
// not joined, and its words are translated one by one.
const int kMaxJoinedTokenLength = 63;

#endif
