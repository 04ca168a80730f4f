// The translation engine over a real dictionary (table and two indexes made
// in a temporary folder through the storage API): files in and out as the
// Text > File command writes them, and clipboard text as Text > Clipboard
// shows it.
#include "tests/support/recording_presenter.h"
#include "translator/storage/dictionary.h"
#include "translator/translate/clipboard_translator.h"
#include "translator/translate/text_translator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

typedef std::vector<std::pair<std::string, std::string>> Pairs;   // english, spanish

std::string Padded(const std::string& word)
{
    return word + std::string(20 - word.size(), ' ');
}

class TempFolder {
public:
    TempFolder()
    {
        static int counter = 0;
        path_ = fs::current_path() / ("translate-test-" + std::to_string(++counter));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { std::error_code ignored; fs::remove_all(path_, ignored); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Path() const { return path_.string(); }

private:
    fs::path path_;
};

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FixedOutputPath : public OutputPathChooser {
public:
    explicit FixedOutputPath(std::string path, bool cancel = false) : path_(std::move(path)), cancel_(cancel) {}
    bool ChooseOutputPath(std::string& path) override
    {
        path = path_;
        return !cancel_;
    }

private:
    std::string path_;
    bool cancel_;
};

class RecordingProgress : public TranslationProgress {
public:
    void Begin(long total) override { totals.push_back(total); }
    void Update(long position) override { positions.push_back(position); }
    std::vector<long> totals;
    std::vector<long> positions;
};

// A dictionary folder with the given pairs.
class DictionaryFolder {
public:
    explicit DictionaryFolder(const Pairs& pairs) : files(DictionaryFiles::InFolder(folder.Path()))
    {
        EXPECT_EQ(0, CreateDictionary(files, 2024, 1, 1));
        for (const auto& pair : pairs)
            EXPECT_EQ(0, AddWordPair(pair.first.c_str(), pair.second.c_str(), "n", files));
    }

    // Translates input (the bytes of a file) and returns the output file's
    // bytes.
    std::string TranslateFile(int source, int target, const std::string& input,
                              RecordingProgress* progress = nullptr)
    {
        WriteBytes(folder.File("in.txt"), input);
        TextTranslator translator(source, target, files);
        FixedOutputPath chooser(folder.File("out.txt"));
        EXPECT_EQ(0, translator.OpenTextFiles(folder.File("in.txt").c_str(), chooser));
        EXPECT_EQ(0, translator.OpenSourceIndex());
        translator.TranslateFile(progress);
        EXPECT_EQ(0, translator.CloseTextFiles());
        return ReadBytes(folder.File("out.txt"));
    }

    std::string TranslateClipboard(int source, int target, const std::string& text)
    {
        ClipboardTranslator translator(source, target, files);
        EXPECT_TRUE(translator.CheckLanguages());
        EXPECT_EQ(0, translator.OpenSourceIndex());
        translator.SetClipboardData(text.c_str(), text.size() + 1);   // CF_TEXT keeps its NUL
        translator.TranslateClipboard();
        return translator.ResultText();
    }

    TempFolder folder;
    DictionaryFiles files;
};

const Pairs kPaddedHelloWorld = {{"hello", Padded("hola")}, {"world", Padded("mundo")}};
const Pairs kPlainHelloWorld = {{"hello", "hola"}, {"world", "mundo"}};

}  // namespace

TEST(FileTranslation, FoundWordsKeepTheirSeparators)
{
    ScopedRecordingPresenter messages;
    DictionaryFolder padded(kPaddedHelloWorld);
    // one blank kept from the padding; the blank after the comma is an empty
    // token and dropped; the line feed after "." writes only the marker
    EXPECT_EQ("hola ,mundo .\r\n", padded.TranslateFile(kEnglish, kSpanish, "Hello, world.\n"));
    // a line feed right after a found word is written twice
    EXPECT_EQ("hola  mundo \r\n\r\n", padded.TranslateFile(kEnglish, kSpanish, "Hello world\n"));

    DictionaryFolder plain(kPlainHelloWorld);
    EXPECT_EQ("hola mundo\r\n\r\n", plain.TranslateFile(kEnglish, kSpanish, "Hello world\n"));
    // text-mode input: CR LF is read as LF
    EXPECT_EQ("hola mundo\r\n\r\n", plain.TranslateFile(kEnglish, kSpanish, "Hello world\r\n"));
    // Spanish to English, and the same language on both sides
    // (a separator right after another is dropped)
    EXPECT_EQ("hello world)", plain.TranslateFile(kSpanish, kEnglish, "Hola (MUNDO)"));
    EXPECT_EQ("hello world", plain.TranslateFile(kEnglish, kEnglish, "HELLO world"));
    EXPECT_TRUE(messages->Messages().empty());
}

TEST(FileTranslation, UnknownWordsAreMarked)
{
    DictionaryFolder plain(kPlainHelloWorld);
    EXPECT_EQ("<xyz> mundo", plain.TranslateFile(kEnglish, kSpanish, "Xyz world"));
    // a carriage return alone ends the line and stays in the word
    EXPECT_EQ("<xyz\r>mundo", plain.TranslateFile(kEnglish, kSpanish, "Xyz\rworld"));
    // Spanish: written with the OEM code of its accented letter, as normalised
    EXPECT_EQ("<ma\xA4" "ana>;", plain.TranslateFile(kSpanish, kEnglish, "Ma\xF1" "ana;"));
}

TEST(FileTranslation, LastLineWithoutLineFeedAndEmptyFile)
{
    DictionaryFolder folder({{"hello", "hola"}, {"is", "est\xE1"}});
    EXPECT_EQ("hola\r\n\r\nhola", folder.TranslateFile(kEnglish, kSpanish, "hello\nhello"));
    // a last line whose final byte is above 127 is translated too
    EXPECT_EQ("is", folder.TranslateFile(kSpanish, kEnglish, "est\xE1"));
    RecordingProgress progress;
    EXPECT_EQ("", folder.TranslateFile(kEnglish, kSpanish, "", &progress));
    EXPECT_EQ(std::vector<long>{0}, progress.totals);
    EXPECT_TRUE(progress.positions.empty());
}

TEST(FileTranslation, ProgressFollowsTheInput)
{
    DictionaryFolder folder(kPlainHelloWorld);
    RecordingProgress progress;
    folder.TranslateFile(kEnglish, kSpanish, "hello\r\nworld\r\nhello", &progress);
    EXPECT_EQ(std::vector<long>{19}, progress.totals);
    ASSERT_EQ(3u, progress.positions.size());
    EXPECT_LE(progress.positions[0], progress.positions[1]);
    EXPECT_EQ(19, progress.positions[2]);
}

TEST(FileTranslation, NulAndCtrlZ)
{
    DictionaryFolder folder(kPlainHelloWorld);
    // a NUL ends its line without a separator; the file goes on after it
    EXPECT_EQ("holamundo\r\n\r\n", folder.TranslateFile(kEnglish, kSpanish, std::string("hello\0world\n", 12)));
    // Ctrl-Z ends a text-mode input
    EXPECT_EQ("hola mundo", folder.TranslateFile(kEnglish, kSpanish, "hello world\x1A" "hello"));
}

TEST(FileTranslation, VerbsPronounsAndWillPhrases)
{
    DictionaryFolder folder({{"i", "yo"}, {"we", "nosotros"}, {"to go", "ir"}, {"to walk", Padded("andar")}});
    // "will go" is one token; the full stop after it is lost
    EXPECT_EQ("yo ir\xE9  \r\n", folder.TranslateFile(kEnglish, kSpanish, "I will go.\n"));
    // the pronoun sets the person; the line feed after "go" is consumed
    // with the phrase but still ends the line, so lines never run together
    EXPECT_EQ("nosotros iremos  \r\n", folder.TranslateFile(kEnglish, kSpanish, "we will go\n"));
    EXPECT_EQ("nosotros iremos  \r\nyo ir\xE9  \r\n",
              folder.TranslateFile(kEnglish, kSpanish, "we will go\nI will go\n"));
    // a blank after the phrase is consumed as before
    EXPECT_EQ("yo ir\xE9  nosotros ", folder.TranslateFile(kEnglish, kSpanish, "I will go we "));
    // the person lasts one verb; a new line starts again with person 0
    EXPECT_EQ("nosotros andamos  and\xE9  \r\nand\xE9  ",
              folder.TranslateFile(kEnglish, kSpanish, "We walked walked\nwalked"));
    // "goes" loses its s and is unknown
    EXPECT_EQ("<goes> ", folder.TranslateFile(kEnglish, kSpanish, "goes "));
}

TEST(FileTranslation, WordsTooLongForTheDictionaryAreWrittenWhole)
{
    DictionaryFolder folder(kPlainHelloWorld);
    std::string word21(21, 'a');
    std::string word22(22, 'B');
    // 21 bytes is still a word; 22 and more are written whole as unknown,
    // and the rest of the line is translated
    EXPECT_EQ("<" + word21 + "> mundo", folder.TranslateFile(kEnglish, kSpanish, word21 + " world"));
    EXPECT_EQ("hola <" + std::string(22, 'b') + ">,mundo\r\n\r\n",
              folder.TranslateFile(kEnglish, kSpanish, "hello " + word22 + ",world\n"));
}

TEST(FileTranslation, LinesLongerThanTheBufferLoseNothing)
{
    DictionaryFolder folder(kPlainHelloWorld);
    std::string input, expected;
    for (int i = 0; i < 300; ++i) {
        input += i % 2 ? "world " : "hello ";
        expected += i % 2 ? "mundo " : "hola ";
    }
    input += "\n";
    expected += "\r\n";
    EXPECT_EQ(expected, folder.TranslateFile(kEnglish, kSpanish, input));

    // a word longer than the whole buffer is written in buffer-long parts
    std::string giant(1500, 'x');
    std::string output = folder.TranslateFile(kEnglish, kSpanish, giant + " hello");
    std::string letters;
    for (char c : output)
        if (c == 'x')
            letters += c;
    EXPECT_EQ(giant, letters);
    EXPECT_EQ(" hola", output.substr(output.size() - 5));
    EXPECT_EQ('<', output[0]);
}

TEST(FileTranslation, WillChainsAreBounded)
{
    DictionaryFolder folder({{"will", "voluntad"}, {"to go", "ir"}});
    std::string input;
    for (int i = 0; i < 100; ++i)
        input += "will ";
    input += "go\n";
    std::string output = folder.TranslateFile(kEnglish, kSpanish, input);
    // the phrases are cut into pieces of at most 63 bytes, none found; every
    // "will" is still written
    std::size_t found = 0, at = 0;
    while ((at = output.find("will", at)) != std::string::npos) {
        ++found;
        at += 4;
    }
    EXPECT_EQ(100u, found);
    EXPECT_EQ(std::string::npos, output.find("voluntad"));
    // the last phrase takes the line feed with it, as every joined phrase
    // takes the separator after its last word, and the line still ends
    EXPECT_EQ(" <will will will will will will will will will will will will go> \r\n",
              output.substr(output.size() - 68));
    // a short chain joins whole; only its first "will" is an auxiliary
    EXPECT_EQ("<will will go> \r\n", folder.TranslateFile(kEnglish, kSpanish, "will will go\n"));
}

TEST(ClipboardTranslation, EveryWordIsAUnitOfItsOwn)
{
    DictionaryFolder folder({{"hi", "hola"}, {"there", "all\xED"}, {"we", "nosotros"}, {"to go", "ir"}});
    // the last word has no separator
    EXPECT_EQ("hola all\xED", folder.TranslateClipboard(kEnglish, kSpanish, "Hi there"));
    EXPECT_EQ("hola\n[*--Enter--*] all\xED", folder.TranslateClipboard(kEnglish, kSpanish, "Hi\nthere"));
    // a carriage return stays with the last word of its line
    EXPECT_EQ("<hi\r>\n[*--Enter--*] all\xED", folder.TranslateClipboard(kEnglish, kSpanish, "Hi\r\nthere"));
    // no person and no "will" joining across words
    // ("will" alone is joined with the empty text after it: 'will ')
    EXPECT_EQ("nosotros <will > ir  ", folder.TranslateClipboard(kEnglish, kSpanish, "we will go"));
    EXPECT_EQ("", folder.TranslateClipboard(kEnglish, kSpanish, ""));
    std::string long_word(700, 'q');
    std::string result = folder.TranslateClipboard(kEnglish, kSpanish, long_word + " hi");
    EXPECT_EQ(std::string::npos, result.find_first_not_of("q<> hola"));
    EXPECT_EQ(700, static_cast<int>(std::count(result.begin(), result.end(), 'q')));
}

TEST(TranslationFailures, MessagesAndResults)
{
    ScopedRecordingPresenter messages;
    DictionaryFolder folder(kPlainHelloWorld);
    WriteBytes(folder.folder.File("in.txt"), "hello\n");
    FixedOutputPath chooser(folder.folder.File("out.txt"));

    TextTranslator unset(-1, 7, folder.files);
    EXPECT_EQ(-1, unset.OpenTextFiles(folder.folder.File("in.txt").c_str(), chooser));
    TextTranslator missing(kEnglish, kSpanish, folder.files);
    EXPECT_EQ(-2, missing.OpenTextFiles(folder.folder.File("none.txt").c_str(), chooser));
    FixedOutputPath unwritable(folder.folder.File("no/such/folder/out.txt"));
    EXPECT_EQ(-3, missing.OpenTextFiles(folder.folder.File("in.txt").c_str(), unwritable));
    FixedOutputPath cancelled("", true);
    EXPECT_EQ(-1, missing.OpenTextFiles(folder.folder.File("in.txt").c_str(), cancelled));
    ClipboardTranslator clipboard(kEnglish, 9, folder.files);
    EXPECT_FALSE(clipboard.CheckLanguages());

    TextTranslator english(kEnglish, kSpanish, DictionaryFiles::InFolder(folder.folder.File("nothing")));
    EXPECT_NE(0, english.OpenSourceIndex());
    TextTranslator spanish(kSpanish, kEnglish, DictionaryFiles::InFolder(folder.folder.File("nothing")));
    EXPECT_NE(0, spanish.OpenSourceIndex());
    TextTranslator other(2, kEnglish, DictionaryFiles::InFolder(folder.folder.File("nothing")));
    EXPECT_EQ(0, other.OpenSourceIndex());

    std::vector<std::string> expected = {
        "Se deber\xE1 elegir un Idioma Origen y Destino",
        "El fichero especificado no se ha podido abrir",
        "El fichero especificado (write)  no se ha podido abrir",
        "You must select the source and target languaje",
        "No se ha podido Abrir el indice de ingles",
        "No se ha podido Abrir el indice de castellano",
    };
    EXPECT_EQ(expected, messages->Errors());
}

TEST(TranslationFailures, MissingTableGivesEmptyTranslations)
{
    ScopedRecordingPresenter messages;
    DictionaryFolder folder(kPlainHelloWorld);
    std::remove(folder.files.table.c_str());
    EXPECT_EQ(" \r\n\r\n", folder.TranslateFile(kEnglish, kSpanish, "hello world\n"));
    std::vector<std::string> errors = messages->Errors();
    EXPECT_EQ(2, std::count(errors.begin(), errors.end(), std::string("Error Abriendo la Dbf")));
}

namespace {
// Dates a file back by minutes, as a dictionary that was not just written.
void AgeFile(const std::string& path, int minutes)
{
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::minutes(minutes));
}

void AgeDictionary(const DictionaryFolder& folder, int minutes)
{
    AgeFile(folder.files.table, minutes);
    AgeFile(folder.files.english_index, minutes);
    AgeFile(folder.files.spanish_index, minutes);
}

// Translates input through a source over the folder's English index whose
// copies are used from the start (direct_seeks 0) or never (-1).
std::string TranslateWithSource(DictionaryFolder& folder, int direct_seeks, const std::string& input)
{
    std::unique_ptr<IndexDictionarySource> source(new IndexDictionarySource(folder.files));
    EXPECT_TRUE(source->Open(kEnglish));
    source->SetDirectSeeks(direct_seeks);
    TextTranslator translator(kEnglish, kSpanish, folder.files);
    translator.UseDictionary(std::move(source));
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    translator.AttachStreams(in, out);
    translator.TranslateFile(nullptr);
    translator.CloseTextFiles();
    std::rewind(out);
    std::string bytes;
    int c;
    while ((c = std::fgetc(out)) != EOF)
        bytes += static_cast<char>(c);
    std::fclose(in);
    std::fclose(out);
    return bytes;
}
}  // namespace

TEST(DictionaryCopies, GiveWhatTheFilesGive)
{
    // duplicate keys (the first in key order wins), padded entries, verbs,
    // misses before, between and after every key
    DictionaryFolder folder({{"hello", "hola"}, {"hello", "buenas"}, {"to walk", Padded("andar")},
                             {"we", "nosotros"}, {"zzz", "zeta"}, {"a", "un"}, {"world", Padded("mundo")}});
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(0, AddWordPair(("word" + std::to_string(i)).c_str(), ("palabra" + std::to_string(i)).c_str(),
                                 "n", folder.files));
    AgeDictionary(folder, 60);
    std::string input = "Hello world, we walked; a zzz word7 word39 aaa zzzz walking.\nhello\n";
    for (int i = 0; i < 45; ++i)
        input += "word" + std::to_string(i) + " ";
    std::string direct = TranslateWithSource(folder, -1, input);
    EXPECT_EQ(direct, TranslateWithSource(folder, 0, input));
    // (of two equal keys the one added last comes first in the index)
    EXPECT_EQ(0u, direct.find("buenas mundo ,nosotros andamos  un zeta palabra7 palabra39 <aaa> <zzzz> andando  ")) << direct;
}

TEST(DictionaryCopies, AreDroppedWhenTheFilesChange)
{
    // -1: no copies at all; 0: copies from the first search on. The table is
    // replaced while the translation runs, once with a fresh time stamp
    // (the copies are not trusted) and once dated back (a new stamp).
    for (int direct_seeks : {-1, 0}) {
        for (int replaced_age : {0, 30}) {
            DictionaryFolder folder(kPlainHelloWorld);
            DictionaryFolder other({{"hello", "saludos"}, {"world", "tierra"}});
            AgeDictionary(folder, 60);
            std::unique_ptr<IndexDictionarySource> source(new IndexDictionarySource(folder.files));
            ASSERT_TRUE(source->Open(kEnglish));
            source->SetDirectSeeks(direct_seeks);
            source->SetCheckInterval(0);
            TextTranslator translator(kEnglish, kSpanish, folder.files);
            translator.UseDictionary(std::move(source));
            std::FILE* out = std::tmpfile();
            translator.AttachStreams(nullptr, out);
            translator.SetLine("hello world\n");
            translator.TranslateLine();

            WriteBytes(folder.files.table, ReadBytes(other.files.table));
            if (replaced_age > 0)
                AgeFile(folder.files.table, replaced_age);
            translator.SetLine("hello world\n");
            translator.TranslateLine();
            translator.CloseTextFiles();
            std::rewind(out);
            char written[64] = {};
            std::size_t got = std::fread(written, 1, sizeof written - 1, out);
            std::fclose(out);
            EXPECT_EQ("hola mundo\r\n\r\nsaludos tierra\r\n\r\n", std::string(written, got))
                << direct_seeks << " " << replaced_age;
        }
    }
}
