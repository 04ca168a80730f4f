// translate_reference DIR en|es en|es INPUT OUTPUT
// Translates INPUT into OUTPUT with the dictionary in DIR the plain way:
// every search goes to the index file and every record is read from the
// table, with no copies kept. The translation benchmark compares the
// output of `lexon translate` with this one byte for byte.
#include "translator/storage/dictionary.h"
#include "translator/translate/dictionary_source.h"
#include "translator/translate/text_translator.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {
int Language(const char* name)
{
    return std::strcmp(name, "en") == 0 ? kEnglish : std::strcmp(name, "es") == 0 ? kSpanish : -1;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6 || Language(argv[2]) < 0 || Language(argv[3]) < 0) {
        std::fprintf(stderr, "usage: translate_reference DIR en|es en|es INPUT OUTPUT\n");
        return 2;
    }
    DictionaryFiles files = DictionaryFiles::InFolder(argv[1]);
    int source = Language(argv[2]);
    std::unique_ptr<IndexDictionarySource> index(new IndexDictionarySource(files));
    if (!index->Open(source)) {
        std::fprintf(stderr, "translate_reference: cannot open the index in %s\n", argv[1]);
        return 1;
    }
    index->SetDirectSeeks(-1);
    std::FILE* input = std::fopen(argv[4], "rb");
    std::FILE* output = std::fopen(argv[5], "wb");
    if (input == nullptr || output == nullptr) {
        std::fprintf(stderr, "translate_reference: cannot open %s or %s\n", argv[4], argv[5]);
        return 1;
    }
    TextTranslator translator(source, Language(argv[3]), files);
    translator.UseDictionary(std::move(index));
    translator.AttachStreams(input, output);
    translator.TranslateFile(nullptr);
    int result = translator.CloseTextFiles();
    std::fclose(input);
    if (std::fclose(output) != 0)
        result = 1;
    return result == 0 ? 0 : 1;
}
