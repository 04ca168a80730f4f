// Translates arbitrary bytes in both directions, as a file (lines, text-mode
// input) and as clipboard text (units), over a small dictionary held in
// memory, and runs the verb analyses on the first word. Bit 0 of the first
// byte chooses the source language, bit 1 the target; the rest is the text.
#include "tests/translate/memory_dictionary.h"
#include "translator/app/messages.h"
#include "translator/translate/clipboard_translator.h"
#include "translator/translate/morphology.h"
#include "translator/translate/text_pieces.h"
#include "translator/translate/text_translator.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

// Messages are not expected; none may stop the run.
class QuietPresenter : public MessagePresenter {
public:
    void ShowError(const std::string&) override {}
    void ShowInfo(const std::string&) override {}
    [[noreturn]] void FatalStop(int) override { __builtin_trap(); }
};

std::unique_ptr<DictionarySource> SmallDictionary(int source)
{
    std::unique_ptr<MemoryDictionary> dictionary(new MemoryDictionary(source));
    const char* const pairs[][2] = {
        {"i", "yo"}, {"you", "t\xFA"}, {"he", "\xE9l"}, {"we", "nosotros"}, {"they", "ellos"},
        {"to speak", "hablar"}, {"to eat", "comer"}, {"to live", "vivir"}, {"to go", "ir"},
        {"to want", "querer"}, {"to be able", "poder"}, {"to walk", "andar              "},
        {"to carry", "llevar"}, {"to like", "gustar"}, {"good", "bueno"}, {"tall", "alta"},
        {"house", "casa"}, {"hello", "hola                "}, {"world", "mundo"}, {"will", "voluntad"},
        {"is", "est\xE1"}, {"year", "a\xF1o"}, {"abcdefghijklmnopqrst", "uvwxyzabcdefghijklmn"},
        {"to abcdefghijklmnopq", "abcdefghijklmnopqrar"}, {"x", ""}, {"", "vac\xEDo"},
    };
    for (const auto& pair : pairs)
        dictionary->Add(pair[0], pair[1]);
    return std::move(dictionary);
}

void TranslateAsFile(int source, int target, const uint8_t* data, size_t size)
{
    std::FILE* input = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    std::FILE* output = std::fopen("/dev/null", "wb");
    if (input != nullptr && output != nullptr) {
        TextTranslator translator(source, target);
        translator.UseDictionary(SmallDictionary(source));
        translator.AttachStreams(input, output);
        translator.TranslateFile(nullptr);
        translator.CloseTextFiles();
    }
    if (input != nullptr) std::fclose(input);
    if (output != nullptr) std::fclose(output);
}

void TranslateAsClipboard(int source, int target, const uint8_t* data, size_t size)
{
    ClipboardTranslator translator(source, target);
    translator.UseDictionary(SmallDictionary(source));
    translator.SetClipboardData(reinterpret_cast<const char*>(data), size);
    translator.TranslateClipboard();
    // a byte becomes at most a line-end marker or a short word a 20-byte form
    if (translator.ResultText().size() > 24 * size + 64)
        __builtin_trap();
}

void AnalyseFirstWord(int source, const uint8_t* data, size_t size)
{
    TextTranslator translator(source, 1 - source);
    translator.UseDictionary(SmallDictionary(source));
    char* token = translator.Token();
    size_t length = size < kMaxTokenWordLength ? size : kMaxTokenWordLength;
    std::memcpy(token, data, length);
    token[length] = '\0';
    VerbAnalysis& analysis = translator.Analysis();
    if (source == kEnglish) {
        NotePronoun(token, analysis);
        AnalyseEnglishForm(token, analysis, translator);
    } else {
        AnalyseSpanishForm(token, analysis, translator);
        ReduceGenderNumber(token, analysis, translator);
    }
    if (std::strlen(analysis.form) > kMaxFormLength || std::strlen(analysis.infinitive) > kMaxTokenWordLength
        || std::strlen(analysis.adjective) > kMaxTokenWordLength)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QuietPresenter presenter;
    static bool installed = (SetMessagePresenter(&presenter), true);
    (void)installed;
    if (size == 0)
        return 0;
    int choice = data[0];
    ++data;
    --size;
    int source = choice & 1;
    int target = (choice >> 1) & 1;
    TranslateAsFile(source, target, data, size);
    TranslateAsClipboard(source, target, data, size);
    AnalyseFirstWord(source, data, size);
    return 0;
}
