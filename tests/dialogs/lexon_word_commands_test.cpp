// The lexon add, search and delete commands run as a program on a
// dictionary in a private folder: their output, exit codes and messages,
// and the files they leave behind.
#include "tests/dialogs/word_test_dictionary.h"
#include "tests/storage/program_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class LexonWordCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, Lexon("create").exit_code); }
    void TearDown() override { ExpectConsistent(folder_.Dictionary()); }

    ProgramRun Lexon(const std::string& args)
    {
        return RunProgram(folder_, std::string(LEXON_PROGRAM) + " --dir '" + folder_.Path() + "' " + args);
    }
    TempFolder folder_;
};

}  // namespace

TEST_F(LexonWordCommandsTest, AddThenSearchShowsRecordAndFollowingWords)
{
    ASSERT_EQ(0, Lexon("add n Casa House").exit_code);
    ASSERT_EQ(0, Lexon("add verbo Andar Walk").exit_code);
    ASSERT_EQ(0, Lexon("add n Perro Dog").exit_code);
    EXPECT_EQ("house", ReadStoredRecord(folder_.Dictionary(), 1).english);

    ProgramRun run = Lexon("search --en DOG");
    EXPECT_EQ(0, run.exit_code) << run.err;
    EXPECT_EQ("dog\tperro\tn\nhouse\nwalk\n", run.out);

    run = Lexon("search --es andar");
    EXPECT_EQ(0, run.exit_code);
    EXPECT_EQ("walk\tandar\tverb\ncasa\nperro\n", run.out);   // class shown with 4 characters
    run = Lexon("search --es perro");   // the last key
    EXPECT_EQ("dog\tperro\tn\n", run.out);
}

TEST_F(LexonWordCommandsTest, Utf8TextsAreConvertedBothWays)
{
    ASSERT_EQ(0, Lexon("--utf8 add n 'canci\xC3\xB3n' song").exit_code);
    EXPECT_EQ("canci\xA2n", ReadStoredRecord(folder_.Dictionary(), 1).spanish);
    ProgramRun run = Lexon("--utf8 search --es 'CANCI\xC3\xB3N'");
    EXPECT_EQ(0, run.exit_code);
    EXPECT_EQ("song\tcanci\xC3\xB3n\tn\n", run.out);
}

TEST_F(LexonWordCommandsTest, NotFoundPrintsTheVerbAnalysisThenNoMatch)
{
    ASSERT_EQ(0, Lexon("add v hablar 'to speak'").exit_code);
    ProgramRun run = Lexon("search --es habla");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_EQ("hablar\tspeaks\nI can't find any match\n", run.out);
    ProgramRun analyse = Lexon("analyse --from es habla");
    EXPECT_EQ(analyse.out + "I can't find any match\n", run.out);

    run = Lexon("search --en nothing");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_EQ("I can't find any match\n", run.out);
}

TEST_F(LexonWordCommandsTest, DeletePrintsTheStatusText)
{
    ASSERT_EQ(0, Lexon("add n banco bank").exit_code);
    ASSERT_EQ(0, Lexon("add n orilla bank").exit_code);
    ProgramRun run = Lexon("delete --en bank --es banco");
    EXPECT_EQ(0, run.exit_code) << run.err;
    EXPECT_EQ("Record deleted from Main Database\n", run.out);
    EXPECT_TRUE(ReadStoredRecord(folder_.Dictionary(), 1).deleted);
    EXPECT_FALSE(ReadStoredRecord(folder_.Dictionary(), 2).deleted);

    run = Lexon("delete --en river --es rio");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_EQ("I can't delete that register\n", run.out);

    run = Lexon("delete --en '' --es rio");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find("You can't delete a record if you haven't selected it")) << run.err;
}

TEST_F(LexonWordCommandsTest, LimitsAndUsageErrors)
{
    ProgramRun run = Lexon("add nombre casa house");
    EXPECT_EQ(2, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find("Please enter no more than 5 characters.")) << run.err;
    run = Lexon("add n casa abcdefghijklmnopqrstuv");
    EXPECT_EQ(2, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find("Please enter no more than 21 characters.")) << run.err;
    EXPECT_EQ(0u, TableRecords(folder_.Dictionary()));
    EXPECT_EQ(2, Lexon("add n casa").exit_code);
    EXPECT_EQ(2, Lexon("search house").exit_code);
    EXPECT_EQ(2, Lexon("search --en").exit_code);
    EXPECT_EQ(2, Lexon("delete --en house").exit_code);
}

TEST_F(LexonWordCommandsTest, MissingIndexFailsWithItsMessage)
{
    ASSERT_EQ(0, Lexon("add n casa house").exit_code);
    ASSERT_EQ(0, std::remove(folder_.Dictionary().spanish_index.c_str()));
    ProgramRun run = Lexon("add n perro dog");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find("Error Abriendo indice Castellano")) << run.err;
    run = Lexon("search --es casa");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find("I can't open the main Index, reindex please")) << run.err;
    ASSERT_EQ(0, Lexon("reindex").exit_code);
}

TEST_F(LexonWordCommandsTest, AnIndexWithAnotherKeyLengthIsRefused)
{
    ASSERT_EQ(0, Lexon("add n casa house").exit_code);
    DictionaryFiles files = folder_.Dictionary();
    const std::vector<unsigned char> table = ReadBytes(files.table);
    WriteWideKeyIndex(files.english_index, {{"house", 1}});
    const std::string kRefused = "I can't open the main Index, reindex please";

    ProgramRun run = Lexon("search --en house");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find(kRefused)) << run.err;
    run = Lexon("delete --en house --es casa");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_EQ("", run.out);
    EXPECT_NE(std::string::npos, run.err.find(kRefused)) << run.err;
    run = Lexon("add n perro dog");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find("Error Abriendo indice ingles")) << run.err;
    EXPECT_EQ(std::string::npos, run.err.find("AddressSanitizer")) << run.err;
    EXPECT_EQ(table, ReadBytes(files.table));

    WriteWideKeyIndex(files.spanish_index, {{"casa", 1}});
    run = Lexon("search --es casa");
    EXPECT_EQ(1, run.exit_code);
    EXPECT_NE(std::string::npos, run.err.find(kRefused)) << run.err;
    ASSERT_EQ(0, Lexon("reindex").exit_code);
}
