// The table file byte for byte: header, descriptors, a record and its word
// scrambling; appending, deleting, positioning and the failure paths.
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, CreateDictionary(folder_.Dictionary(), 2026, 12, 8));
        name_ = folder_.Dictionary().table;
    }
    // Appends a record the way the add operation does.
    int32_t Append(const char* english, const char* spanish, const char* word_class)
    {
        DBF table;
        EXPECT_EQ(0, table.Open(0, name_.c_str()));
        EXPECT_EQ(0, table.AppendBlank());
        int32_t n = table.RecNo();
        char image[kRecordImageSize];
        std::memset(image, 0, sizeof image);
        std::strncpy(image + 1, english, 21);
        std::strncpy(image + 22, spanish, 21);
        std::strncpy(image + 43, word_class, 5);
        EXPECT_EQ(0, table.WriteRecord(image));
        return n;
    }

    ScopedRecordingPresenter presenter_;
    TempFolder folder_;
    std::string name_;
};

TEST_F(TableTest, AnEmptyTableHasItsHeaderAndThreeDescriptors)
{
    std::vector<unsigned char> b = ReadBytes(name_);
    ASSERT_EQ(b.size(), 130u);
    std::vector<unsigned char> expected(130, 0);
    expected[0] = 0x03;
    expected[1] = 126;   // 2026
    expected[2] = 12;
    expected[3] = 8;
    expected[8] = 130;
    expected[10] = 48;
    const char* names[3] = {"ENGLISH", "SPANISH", "CLASS"};
    const int widths[3] = {21, 21, 5};
    for (int i = 0; i < 3; ++i) {
        std::memcpy(&expected[32 + 32 * i], names[i], std::strlen(names[i]));
        expected[32 + 32 * i + 11] = 'C';
        expected[32 + 32 * i + 16] = static_cast<unsigned char>(widths[i]);
    }
    expected[128] = 0x0D;
    EXPECT_EQ(b, expected);
}

TEST_F(TableTest, ARecordIsStoredWithItsWordsScrambled)
{
    EXPECT_EQ(Append("house", "casa", "n"), 1);
    std::vector<unsigned char> b = ReadBytes(name_);
    ASSERT_EQ(b.size(), 130u + 48);
    EXPECT_EQ(U32At(b, 4), 1u);
    const unsigned char* record = &b[130];
    EXPECT_EQ(record[0], 0);   // live (0x00 as the add path writes it)
    EXPECT_EQ(record[21], 0);
    EXPECT_EQ(record[42], 0);
    EXPECT_EQ(std::memcmp(record + 43, "n\0\0\0\0", 5), 0);   // class code plain
    // Every scrambled byte has its top bit flipped; XOR-ing back with the
    // padding's own bytes (the key OR 0x80) gives the plain word.
    char image[kRecordImageSize];
    std::memcpy(image, record, 48);
    for (int i = 0; i < 20; ++i) EXPECT_NE(image[1 + i], i < 5 ? "house"[i] : 0) << i;
    // The padding of both words is the key itself: "house" and "casa" are
    // stored over the same key bytes.
    for (int i = 5; i < 20; ++i) EXPECT_EQ(image[1 + i], image[22 + i]) << i;
    ScrambleWordArea(image, 22);
    ScrambleWordArea(image, 1);
    EXPECT_STREQ(image + 1, "house");
    EXPECT_STREQ(image + 22, "casa");
    // Scrambling twice gives the same bytes back.
    char twice[kRecordImageSize];
    std::memcpy(twice, image, sizeof twice);
    ScrambleWordArea(twice, 1);
    ScrambleWordArea(twice, 1);
    EXPECT_EQ(std::memcmp(twice, image, 48), 0);
}

TEST_F(TableTest, ReadRecordUnscramblesAndLeavesThePositionAfterTheRecord)
{
    Append("one", "uno", "num");
    Append("two", "dos", "num");
    DBF table;
    ASSERT_EQ(0, table.Open(0, name_.c_str()));
    EXPECT_EQ(table.RecordCount(), 2u);
    char image[kRecordImageSize];
    std::memset(image, 0x55, sizeof image);
    ASSERT_EQ(0, table.ReadRecord(image, 1));
    EXPECT_STREQ(image + 1, "one");
    EXPECT_STREQ(image + 22, "uno");
    EXPECT_EQ(table.RecNo(), 2);
    ASSERT_EQ(0, table.GoTop());
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(0, table.GoTo(2));
    EXPECT_EQ(table.RecNo(), 2);
}

TEST_F(TableTest, AWordOfTwentyOneCharactersKeepsTwenty)
{
    Append("abcdefghijklmnopqrstu", "x", "");
    DBF table;
    ASSERT_EQ(0, table.Open(0, name_.c_str()));
    char image[kRecordImageSize] = {};
    ASSERT_EQ(0, table.ReadRecord(image, 1));
    EXPECT_STREQ(image + 1, "abcdefghijklmnopqrst");
}

TEST_F(TableTest, AppendBlankGrowsTheFileByOneRecordAndCountsIt)
{
    Append("a", "b", "c");
    std::vector<unsigned char> before = ReadBytes(name_);
    DBF table;
    ASSERT_EQ(0, table.Open(0, name_.c_str()));
    ASSERT_EQ(0, table.AppendBlank());
    EXPECT_EQ(table.RecNo(), 2);
    table.Close();
    std::vector<unsigned char> after = ReadBytes(name_);
    ASSERT_EQ(after.size(), before.size() + 48);
    EXPECT_EQ(U32At(after, 4), 2u);
    EXPECT_EQ(std::vector<unsigned char>(after.begin() + 178, after.end()), std::vector<unsigned char>(48, ' '));
    EXPECT_EQ(std::vector<unsigned char>(after.begin() + 8, after.begin() + 178),
              std::vector<unsigned char>(before.begin() + 8, before.end()));
}

TEST_F(TableTest, DeleteChangesExactlyTheFlagByte)
{
    Append("a", "b", "c");
    Append("d", "e", "f");
    std::vector<unsigned char> before = ReadBytes(name_);
    DBF table;
    ASSERT_EQ(0, table.Open(0, name_.c_str()));
    EXPECT_EQ(0, table.Delete(2));
    EXPECT_EQ(-2, table.Delete(3)) << "past the last record";
    EXPECT_EQ(-2, table.Delete(0));
    table.Close();
    std::vector<unsigned char> after = ReadBytes(name_);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i)
        if (i == 130 + 48) EXPECT_EQ(after[i], '*');
        else EXPECT_EQ(after[i], before[i]) << "byte " << i;
}

TEST_F(TableTest, ReadingPastTheLastRecordReportsAndClearsTheBuffer)
{
    Append("a", "b", "c");
    DBF table;
    ASSERT_EQ(0, table.Open(0, name_.c_str()));
    char image[kRecordImageSize];
    std::memset(image, 0x55, sizeof image);
    EXPECT_EQ(-1, table.ReadRecord(image, 5));
    ASSERT_EQ(presenter_->Errors(), std::vector<std::string>{"No puedo leer registro 5"});
    for (int i = 0; i < 48; ++i) EXPECT_EQ(image[i], 0) << i;
    EXPECT_EQ(-1, table.ReadRecord(image, 0));
    EXPECT_EQ(presenter_->Errors().back(), "No Puedo mover puntero del DBF");
}

TEST_F(TableTest, OpenRefusesWhatIsNotADictionaryTable)
{
    DBF table;
    EXPECT_EQ(-1, table.Open(0, folder_.File("missing.dbf").c_str()));
    EXPECT_EQ(presenter_->Errors().back(), "No Encuentro el Fichero (ObtenerGeneral)");

    std::vector<unsigned char> good = ReadBytes(name_);
    std::vector<unsigned char> b(good.begin(), good.begin() + 20);
    WriteBytes(name_, b);
    EXPECT_EQ(-1, table.Open(0, name_.c_str()));
    EXPECT_EQ(presenter_->Errors().back(), "I can't read the Dbf Header");

    b.assign(good.begin(), good.begin() + 100);
    WriteBytes(name_, b);
    EXPECT_EQ(-1, table.Open(0, name_.c_str()));
    EXPECT_EQ(presenter_->Errors().back(), "No Puedo leer estructura campos");

    struct Change {
        size_t offset;
        unsigned char value;
        const char* what;
    };
    const Change changes[] = {
        {128, ' ', "four fields: no terminator at 128"},
        {10, 0, "record length 0"},
        {11, 4, "record length 1072"},
        {8, 200, "header length 200"},
        {4, 3, "three records counted, none in the file"},
    };
    for (const Change& change : changes) {
        b = good;
        b[change.offset] = change.value;
        WriteBytes(name_, b);
        presenter_->Clear();
        EXPECT_EQ(-1, table.Open(0, name_.c_str())) << change.what;
        EXPECT_EQ(presenter_->Errors(), std::vector<std::string>{"El Fichero no cumple formato DBF"}) << change.what;
    }
    WriteBytes(name_, good);
    EXPECT_EQ(0, table.Open(0, name_.c_str()));
}

}  // namespace
