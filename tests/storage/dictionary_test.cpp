// The dictionary: text conversion, keys, adding, fetching and deleting word
// pairs, the guard against commands during a rebuild, and the check of the
// table against both indexes.
#include "translator/storage/btree.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/dictionary_guard.h"
#include "translator/storage/integrity_check.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <thread>

namespace {

TEST(DictionaryTextTest, AccentedLettersSwapWithTheirOemCodesAndAsciiIsLowercased)
{
    const unsigned char windows[] = {225, 228, 233, 235, 237, 239, 241, 243, 246, 250, 252};
    const unsigned char oem[] = {160, 132, 130, 137, 161, 139, 164, 162, 148, 163, 129};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(ConvertDictionaryChar(windows[i]), oem[i]);
        EXPECT_EQ(ConvertDictionaryChar(oem[i]), windows[i]);
    }
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(ConvertDictionaryChar(ConvertDictionaryChar(static_cast<unsigned char>(c))),
                  c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    // Capital accented letters stay as they are.
    EXPECT_EQ(ConvertDictionaryText(std::string("Ni\xF1O \xD1")), std::string("ni\xA4o \xD1"));
}

TEST(DictionaryKeyTest, KeysAreNulFilledBlankPaddedAndLowercased)
{
    char key[21];
    MakeDictionaryKey("CaSa", key);
    EXPECT_EQ(std::string(key, 21), "casa" + std::string(17, ' '));
    MakeDictionaryKey("", key);
    EXPECT_EQ(std::string(key, 21), std::string(1, '\0') + std::string(20, ' '));
}

class DictionaryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, CreateDictionary(files_, 2026, 1, 2)); }
    int32_t Add(const char* english, const char* spanish, const char* word_class)
    {
        int32_t n = 0;
        EXPECT_EQ(0, AddWordPair(english, spanish, word_class, files_, &n));
        return n;
    }
    std::vector<int32_t> Lookup(const std::string& index, const char* stored_word)
    {
        BTREE tree;
        int16_t h = tree.Open(index.c_str());
        EXPECT_GE(h, 0);
        char key[21];
        MakeDictionaryKey(stored_word, key);
        std::string wanted(key, 21);
        std::vector<int32_t> found;
        for (int32_t r = tree.Seek(h, key); r != 0; r = tree.Next(h)) {
            char at[21];
            tree.CurrentKey(h, at);
            if (std::string(at, 21) != wanted) break;
            found.push_back(r);
        }
        tree.Close(h);
        return found;
    }
    void ExpectConsistent()
    {
        DictionaryCheckResult check = CheckDictionary(files_);
        for (const std::string& fault : check.faults) ADD_FAILURE() << fault;
    }

    ScopedRecordingPresenter presenter_;
    TempFolder folder_;
    DictionaryFiles files_ = folder_.Dictionary();
};

TEST_F(DictionaryTest, AddStoresTheConvertedPairAndKeysItInBothIndexes)
{
    EXPECT_EQ(Add("Child", "Ni\xF1o", "N"), 1);
    EXPECT_EQ(Add("house", "casa", "n"), 2);
    char image[kRecordImageSize];
    ASSERT_EQ(0, FetchRecord(1, image, files_));
    EXPECT_STREQ(image + kEnglishOffset, "child");
    EXPECT_STREQ(image + kSpanishOffset, "ni\xA4o");
    EXPECT_STREQ(image + kClassOffset, "n");
    EXPECT_EQ(image[48], 0);
    EXPECT_EQ(Lookup(files_.english_index, "child"), std::vector<int32_t>{1});
    EXPECT_EQ(Lookup(files_.spanish_index, "ni\xA4o"), std::vector<int32_t>{1});
    EXPECT_TRUE(Lookup(files_.spanish_index, "nino").empty());
    ExpectConsistent();
    EXPECT_TRUE(presenter_->Messages().empty());
}

TEST_F(DictionaryTest, DeleteRemovesOnlyTheSelectedRecordOfARepeatedWord)
{
    Add("bank", "banco", "n");
    Add("bank", "orilla", "n");
    Add("bar", "bar", "n");
    EXPECT_EQ(Lookup(files_.english_index, "bank").size(), 2u);
    EXPECT_EQ(DeleteWordPair("bank", "orilla", 2, files_), DeleteResult::kDeleted);
    EXPECT_EQ(Lookup(files_.english_index, "bank"), std::vector<int32_t>{1});
    EXPECT_TRUE(Lookup(files_.spanish_index, "orilla").empty());
    EXPECT_EQ(Lookup(files_.spanish_index, "banco"), std::vector<int32_t>{1});
    char image[kRecordImageSize];
    ASSERT_EQ(0, FetchRecord(2, image, files_));
    EXPECT_TRUE(IsDeletedRecord(image));
    EXPECT_STREQ(image + kEnglishOffset, "bank") << "a deleted record keeps its words";
    ExpectConsistent();
    // A record number that is not under the word is not deleted through it.
    EXPECT_EQ(DeleteWordPair("bank", "banco", 3, files_), DeleteResult::kNotFound);
    EXPECT_EQ(DeleteWordPair("nothing", "nada", 0, files_), DeleteResult::kNotFound);
    EXPECT_EQ(Lookup(files_.english_index, "bar"), std::vector<int32_t>{3});
    ExpectConsistent();
}

TEST_F(DictionaryTest, FetchReportsATableThatCannotBeOpened)
{
    DictionaryFiles missing = DictionaryFiles::InFolder(folder_.File("nowhere"));
    char image[kRecordImageSize];
    EXPECT_EQ(-1, FetchRecord(1, image, missing));
    EXPECT_EQ(presenter_->Errors().back(), "Error Abriendo la Dbf");
    EXPECT_EQ(-1, AddWordPair("a", "b", "c", missing));
    EXPECT_EQ(presenter_->Errors().back(), "I can't open the Main Database File");
}

TEST_F(DictionaryTest, NoCommandTouchesTheFilesDuringARebuild)
{
    Add("cat", "gato", "n");
    {
        DictionaryRebuild rebuild;
        ASSERT_TRUE(rebuild.Granted());
        EXPECT_TRUE(DictionaryRebuildRunning());
        std::vector<unsigned char> before = ReadBytes(files_.table);
        char image[kRecordImageSize];
        EXPECT_EQ(-1, FetchRecord(1, image, files_));
        EXPECT_EQ(-1, AddWordPair("dog", "perro", "n", files_));
        EXPECT_EQ(DeleteWordPair("cat", "gato", 0, files_), DeleteResult::kFailed);
        EXPECT_EQ(Reindex(files_, nullptr), 3);
        EXPECT_EQ(ReadBytes(files_.table), before);
        EXPECT_EQ(presenter_->Errors(),
                  (std::vector<std::string>{kDictionaryBusyRebuilding, kDictionaryBusyRebuilding,
                                            kDictionaryBusyRebuilding, kDictionaryBusyAlreadyRebuilding}));
    }
    EXPECT_FALSE(DictionaryRebuildRunning());
    presenter_->Clear();
    {
        DictionaryUse translation;   // e.g. a file translation in progress
        ASSERT_TRUE(translation.Granted());
        DictionaryUse nested;        // uses nest
        EXPECT_TRUE(nested.Granted());
        EXPECT_EQ(Reindex(files_, nullptr), 3);
        EXPECT_EQ(presenter_->Errors(), std::vector<std::string>{kDictionaryBusyInUse});
    }
    EXPECT_EQ(Reindex(files_, nullptr), 0);
}

// A translation keeps its index open with the header it read at the start,
// so changes and long reads exclude each other; brief uses overlap both.
TEST_F(DictionaryTest, ChangesAndTranslationsExcludeEachOther)
{
    Add("cat", "gato", "n");
    const std::vector<unsigned char> table = ReadBytes(files_.table);
    const std::vector<unsigned char> english = ReadBytes(files_.english_index);
    {
        // The translation holds its use on a thread of its own.
        std::promise<void> taken, finish;
        std::thread translation([&] {
            DictionaryUse reading(DictionaryAccess::kReading);
            EXPECT_TRUE(reading.Granted());
            taken.set_value();
            finish.get_future().wait();
        });
        taken.get_future().wait();
        DictionaryUse second_translation(DictionaryAccess::kReading);
        EXPECT_TRUE(second_translation.Granted());
        DictionaryUse brief;
        EXPECT_TRUE(brief.Granted());
        DictionaryUse change(DictionaryAccess::kWriting);
        EXPECT_FALSE(change.Granted());
        EXPECT_FALSE(DictionaryUse(DictionaryAccess::kWriting, DictionaryGuardMode::kQuiet).Granted());
        EXPECT_EQ(-1, AddWordPair("dog", "perro", "n", files_));
        EXPECT_EQ(DeleteWordPair("cat", "gato", 0, files_), DeleteResult::kFailed);
        DictionaryWriter import;
        EXPECT_EQ(-1, import.Open(files_));
        EXPECT_EQ(Reindex(files_, nullptr), 3);
        char image[kRecordImageSize];
        EXPECT_EQ(0, FetchRecord(1, image, files_));   // a brief read still works
        finish.set_value();
        translation.join();
        EXPECT_EQ(presenter_->Errors(),
                  (std::vector<std::string>{kDictionaryBusyReading, kDictionaryBusyReading, kDictionaryBusyReading,
                                            kDictionaryBusyReading, kDictionaryBusyInUse}));
        EXPECT_EQ(ReadBytes(files_.table), table);
        EXPECT_EQ(ReadBytes(files_.english_index), english);
    }
    presenter_->Clear();
    {
        DictionaryUse change(DictionaryAccess::kWriting);
        ASSERT_TRUE(change.Granted());
        DictionaryUse nested(DictionaryAccess::kWriting);   // Modify adds, then deletes
        EXPECT_TRUE(nested.Granted());
        DictionaryUse brief;
        EXPECT_TRUE(brief.Granted());
        EXPECT_EQ(0, AddWordPair("dog", "perro", "n", files_));
        EXPECT_FALSE(DictionaryUse(DictionaryAccess::kReading).Granted());
        EXPECT_FALSE(DictionaryUse(DictionaryAccess::kReading, DictionaryGuardMode::kQuiet).Granted());
        EXPECT_EQ(Reindex(files_, nullptr), 3);
        EXPECT_EQ(presenter_->Errors(), (std::vector<std::string>{kDictionaryBusyWriting, kDictionaryBusyInUse}));
    }
    presenter_->Clear();
    {
        DictionaryRebuild rebuild;
        ASSERT_TRUE(rebuild.Granted());
        EXPECT_FALSE(DictionaryUse(DictionaryAccess::kReading).Granted());
        EXPECT_FALSE(DictionaryUse(DictionaryAccess::kWriting).Granted());
        EXPECT_EQ(presenter_->Errors(),
                  (std::vector<std::string>{kDictionaryBusyRebuilding, kDictionaryBusyRebuilding}));
    }
    // Released: each kind is granted again.
    EXPECT_TRUE(DictionaryUse(DictionaryAccess::kReading).Granted());
    EXPECT_TRUE(DictionaryUse(DictionaryAccess::kWriting).Granted());
    EXPECT_EQ(DeleteWordPair("cat", "gato", 0, files_), DeleteResult::kDeleted);
    ExpectConsistent();
}

TEST_F(DictionaryTest, TheCheckFindsRecordsMissingFromAnIndexAndDeletedRecordsKeyed)
{
    Add("one", "uno", "");
    Add("two", "dos", "");
    ExpectConsistent();
    // A record appended behind the indexes' back (a failure part-way).
    {
        DBF table;
        ASSERT_EQ(0, table.Open(0, files_.table.c_str()));
        ASSERT_EQ(0, table.AppendBlank());
        char image[kRecordImageSize] = {};
        std::strcpy(image + 1, "three");
        std::strcpy(image + 22, "tres");
        ASSERT_EQ(0, table.WriteRecord(image));
        ASSERT_EQ(0, table.Delete(1));   // deleted in the table only
    }
    DictionaryCheckResult check = CheckDictionary(files_);
    ASSERT_EQ(check.faults.size(), 4u);
    EXPECT_EQ(check.faults[0], files_.english_index + ": deleted record 1 is keyed as \"one\"");
    EXPECT_EQ(check.faults[1], files_.english_index + ": record 3 (\"three\") is not keyed");
    EXPECT_EQ(check.records, 3u);
    EXPECT_EQ(check.live_records, 2u);
    EXPECT_EQ(Reindex(files_, nullptr), 0);
    ExpectConsistent();
}

}  // namespace
