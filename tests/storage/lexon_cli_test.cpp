// The lexon command-line tool, run as a program: create, import, export,
// reindex and check on a dictionary in a private folder, the text
// conversions at its edges, its exit codes and its messages.
#include "tools/lexon/lexon_progress.h"
#include "tools/lexon/lexon_text.h"

#include "translator/storage/integrity_check.h"

#include "program_run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class LexonCliTest : public ::testing::Test {
protected:
    // Runs lexon with --dir of the test's folder and the given arguments.
    ProgramRun Lexon(const std::string& args, bool with_dir = true)
    {
        return RunProgram(folder_, std::string(LEXON_PROGRAM) + (with_dir ? " --dir '" + folder_.Path() + "'" : "") +
                                       " " + args);
    }
    std::string WriteText(const std::string& name, const std::string& text)
    {
        std::string path = folder_.File(name);
        WriteBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
        return "'" + path + "'";
    }
    TempFolder folder_;
};

TEST_F(LexonCliTest, CreateImportExportRoundTripInUtf8)
{
    ProgramRun run = Lexon("create");
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::vector<unsigned char> table = ReadBytes(folder_.Dictionary().table);
    ASSERT_EQ(table.size(), 130u);
    EXPECT_EQ(table[128], 0x0D);
    EXPECT_EQ(ReadBytes(folder_.Dictionary().english_index).size(), 512u);

    std::string words = WriteText("words.tsv",
                                  "# a comment\r\n"
                                  "child\tni\xC3\xB1o\tn\r\n"
                                  "\r\n"
                                  "Bank\tbanco\tn\n"
                                  "bank\torilla\tn\n"
                                  "go\tir\n");
    run = Lexon("--utf8 import " + words);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "4 word pairs added\n");

    run = Lexon("--utf8 export");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "child\tni\xC3\xB1o\tn\nbank\tbanco\tn\nbank\torilla\tn\ngo\tir\t\n");
    run = Lexon("export");   // Windows-1252
    EXPECT_EQ(run.out.substr(0, 11), "child\tni\xF1o\t");

    std::string exported = folder_.File("out.tsv");
    run = Lexon("export '" + exported + "'");
    EXPECT_EQ(run.exit_code, 0);
    std::vector<unsigned char> file = ReadBytes(exported);
    EXPECT_EQ(std::string(file.begin(), file.end()), "child\tni\xF1o\tn\nbank\tbanco\tn\nbank\torilla\tn\ngo\tir\t\n");

    run = Lexon("check");
    EXPECT_EQ(run.exit_code, 0) << run.out;
    EXPECT_EQ(run.out, "The dictionary is consistent: 4 records, 4 live.\n");
}

TEST_F(LexonCliTest, CreateNeverReplacesADictionary)
{
    ASSERT_EQ(Lexon("create").exit_code, 0);
    ProgramRun run = Lexon("create");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("already exists"), std::string::npos) << run.err;
}

TEST_F(LexonCliTest, ImportReportsLinesItCannotAddAndAddsTheRest)
{
    ASSERT_EQ(Lexon("create").exit_code, 0);
    std::string words = WriteText("bad.tsv",
                                  "one\tuno\tnum\n"
                                  "abcdefghijklmnopqrstu\tlargo\tadj\n"
                                  "a\tb\tc\td\n"
                                  "two\tdos\tnumeral\n"
                                  "three\ttres\n");
    ProgramRun run = Lexon("import " + words);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("bad.tsv:2: the English word is longer than 20 characters"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("bad.tsv:3: expected English<TAB>Spanish<TAB>class"), std::string::npos);
    EXPECT_NE(run.err.find("bad.tsv:4: the class code is longer than 5 characters"), std::string::npos);
    EXPECT_EQ(run.out, "2 word pairs added, 3 lines refused\n");
    EXPECT_EQ(Lexon("check").exit_code, 0);
    // Not UTF-8: refused with --utf8.
    words = WriteText("latin.tsv", "ni\xF1o\tchild\n");
    run = Lexon("--utf8 import " + words);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.err.find("latin.tsv:1: not UTF-8"), std::string::npos) << run.err;
}

TEST_F(LexonCliTest, ReindexAndCheckFindAndRepairAnIndexFault)
{
    ASSERT_EQ(Lexon("create").exit_code, 0);
    std::string text;
    for (int i = 0; i < 200; ++i) text += "w" + std::to_string(i * 37 % 211) + "\tp" + std::to_string(i) + "\tn\n";
    ASSERT_EQ(Lexon("import " + WriteText("many.tsv", text)).exit_code, 0);
    std::vector<unsigned char> english = ReadBytes(folder_.Dictionary().english_index);

    std::vector<unsigned char> broken = english;
    broken[512 + 24] ^= 0x40;   // a key byte of page 1
    WriteBytes(folder_.Dictionary().english_index, broken);
    ProgramRun run = Lexon("check");
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.out.find("mixing.mgm: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("run \"lexon reindex\""), std::string::npos);

    run = Lexon("reindex");
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, "Both indexes rebuilt.\n");
    EXPECT_EQ(run.err, "") << "no bar when standard error is not a terminal";
    EXPECT_EQ(ReadBytes(folder_.Dictionary().english_index), english) << "the same file as the imports made";
    EXPECT_EQ(Lexon("check").exit_code, 0);
}

TEST_F(LexonCliTest, MessagesOfTheProgramGoToStandardError)
{
    ProgramRun run = Lexon("export");   // no dictionary here
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "ERROR: No Encuentro el Fichero (ObtenerGeneral)\n"
              "ERROR: I can't open the Main Database File\n");
}

TEST_F(LexonCliTest, UsageErrorsExitTwoAndHelpPrintsTheUsage)
{
    ProgramRun run = Lexon("", false);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_NE(run.err.find("usage: lexon [--dir DIR] [--utf8] COMMAND"), std::string::npos);
    EXPECT_EQ(Lexon("frobnicate").exit_code, 2);
    EXPECT_EQ(Lexon("--verbose check").exit_code, 2);
    EXPECT_EQ(Lexon("import").exit_code, 2);
    EXPECT_EQ(Lexon("check extra").exit_code, 2);
    EXPECT_EQ(Lexon("--dir", false).exit_code, 2);
    run = Lexon("--help", false);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.out.find("reindex"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

TEST(LexonTextTest, Utf8AndWindows1252ConvertBothWays)
{
    std::string out;
    ASSERT_TRUE(Utf8ToWindows1252("\xEF\xBB\xBF" "a\xC3\xB1o \xE2\x82\xAC", &out));
    EXPECT_EQ(out, "a\xF1o \x80");
    EXPECT_EQ(Windows1252ToUtf8("a\xF1o \x80"), "a\xC3\xB1o \xE2\x82\xAC");
    for (int c = 1; c < 256; ++c) {
        std::string one(1, static_cast<char>(c));
        ASSERT_TRUE(Utf8ToWindows1252(Windows1252ToUtf8(one), &out)) << c;
        EXPECT_EQ(out, one) << c;
    }
    EXPECT_FALSE(Utf8ToWindows1252("\xF1o", &out)) << "a Windows-1252 byte is not UTF-8";
    EXPECT_FALSE(Utf8ToWindows1252("\xE4\xB8\xAD", &out)) << "a character Windows-1252 lacks";
    EXPECT_FALSE(Utf8ToWindows1252("\xC3", &out)) << "cut short";
    EXPECT_FALSE(Utf8ToWindows1252("\xC1\xA1", &out)) << "overlong";
}

TEST(TextProgressBarTest, ReachesTheFullBarAtTheLastStep)
{
    FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    TextProgressBar bar(stream, {"mixing.mgm", "mixesp.mgm"}, 10);
    bar.Start(4);
    for (uint32_t i = 1; i <= 4; ++i) bar.Update(i);
    bar.Finish();
    bar.Start(0);
    bar.Finish();
    std::rewind(stream);
    std::string text;
    int c;
    while ((c = std::fgetc(stream)) != EOF) text += static_cast<char>(c);
    std::fclose(stream);
    EXPECT_NE(text.find("\rmixing.mgm [#####     ] 2/4"), std::string::npos) << text;
    EXPECT_NE(text.find("\rmixing.mgm [##########] 4/4\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\rmixesp.mgm [##########] 0/0\n"), std::string::npos) << text;
}

}  // namespace
