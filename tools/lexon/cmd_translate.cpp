// lexon translate --from en|es --to en|es [INPUT|- [OUTPUT|-]]
// Translates a text file word by word with the dictionary, writing exactly
// what the Text > File command of the program writes for that input
// (Windows text-mode line ends included). Standard input and output by
// default. With --utf8 the input is read as UTF-8 and the output written as
// UTF-8; inside, the text is Windows-1252 as in the program.
#include "tools/lexon/lexon_command.h"
#include "tools/lexon/lexon_text.h"

#include "translator/app/messages.h"
#include "translator/storage/dictionary.h"
#include "translator/translate/text_translator.h"

#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// "en" or "es" to a language code; -1 otherwise.
int LanguageCode(const std::string& name)
{
    if (name == "en") return kEnglish;
    if (name == "es") return kSpanish;
    return -1;
}

int TranslateUsage(const char* text)
{
    std::fprintf(stderr, "lexon: %s\nusage: lexon translate --from en|es --to en|es [INPUT|- [OUTPUT|-]]\n", text);
    return 2;
}

void UseBinaryMode(std::FILE* stream)
{
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}

// Copies a whole stream into bytes.
std::string ReadAll(std::FILE* stream)
{
    std::string bytes;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0)
        bytes.append(buffer, got);
    return bytes;
}

// A stream that holds bytes, for the --utf8 conversions around the
// translation.
std::FILE* StreamOf(const std::string& bytes)
{
    std::FILE* stream = std::tmpfile();
    if (stream != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
        std::rewind(stream);
    }
    return stream;
}

}  // namespace

int LexonCommandTranslate(const LexonOptions& options, const std::vector<std::string>& args)
{
    int source = -1, target = -1;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--from" || args[i] == "--to") {
            if (i + 1 >= args.size())
                return TranslateUsage("--from and --to need a language");
            int code = LanguageCode(args[i + 1]);
            if (code < 0)
                return TranslateUsage("the languages are en and es");
            (args[i] == "--from" ? source : target) = code;
            ++i;
        } else {
            paths.push_back(args[i]);
        }
    }
    if (source < 0 || target < 0)
        return TranslateUsage("--from and --to are required");
    if (paths.size() > 2)
        return TranslateUsage("too many arguments");
    std::string input_path = paths.size() > 0 ? paths[0] : "-";
    std::string output_path = paths.size() > 1 ? paths[1] : "-";

    std::FILE* input = stdin;
    if (input_path == "-") {
        UseBinaryMode(stdin);
    } else if ((input = std::fopen(input_path.c_str(), "rb")) == nullptr) {
        ShowErrorBox(kInputNotOpenedText);
        return 1;
    }
    std::FILE* output = stdout;
    if (output_path == "-") {
        UseBinaryMode(stdout);
    } else if ((output = std::fopen(output_path.c_str(), "wb")) == nullptr) {
        ShowErrorBox(kOutputNotOpenedText);
        if (input != stdin) std::fclose(input);
        return 1;
    }

    int result = 0;
    std::FILE* translator_input = input;
    std::FILE* translator_output = output;
    if (options.utf8) {
        std::string text;
        if (!LexonTextIn(options, ReadAll(input), &text)) {
            std::fprintf(stderr, "lexon: the input is not UTF-8 text that Windows-1252 can hold\n");
            result = 1;
        }
        translator_input = result == 0 ? StreamOf(text) : nullptr;
        translator_output = std::tmpfile();
        if (result == 0 && (translator_input == nullptr || translator_output == nullptr)) {
            std::fprintf(stderr, "lexon: no room for temporary files\n");
            result = 1;
        }
    }

    if (result == 0) {
        TextTranslator translator(source, target, LexonDictionaryFiles(options));
        translator.AttachStreams(translator_input, translator_output);
        if (translator.OpenSourceIndex() != 0) {
            result = 1;
        } else {
            translator.TranslateFile(nullptr);
            if (translator.CloseTextFiles() != 0) {
                ShowErrorBox(kCloseFilesFailedText);
                result = 1;
            }
        }
    }

    if (options.utf8) {
        if (result == 0) {
            std::rewind(translator_output);
            std::string text = LexonTextOut(options, ReadAll(translator_output));
            if (std::fwrite(text.data(), 1, text.size(), output) != text.size())
                result = 1;
        }
        if (translator_input != nullptr) std::fclose(translator_input);
        if (translator_output != nullptr) std::fclose(translator_output);
    }
    if (input != stdin) std::fclose(input);
    if (output != stdout) {
        if (std::fclose(output) != 0) {
            ShowErrorBox(kCloseFilesFailedText);
            result = 1;
        }
    } else if (std::fflush(stdout) != 0) {
        result = 1;
    }
    return result;
}
