// The dictionary editing operations on real files: AddWordRecord with its
// record image, keys and messages, and the search, list, modify and delete
// operations of the search dialog with their state. After each scenario the
// table and both indexes must still agree.
#include "tests/dialogs/word_test_dictionary.h"
#include "tests/support/recording_presenter.h"
#include "translator/dialogs/word_ops.h"
#include "translator/storage/dictionary_guard.h"
#include "translator/translate/dictionary_source.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Records what the search operations do to their window.
class RecordingView : public SearchWordView {
public:
    struct Entry {
        std::string text;
        int32_t record;
    };
    std::vector<Entry> list;
    std::vector<std::string> shown_statuses;   // status at each ShowFields
    std::vector<std::pair<std::string, std::string>> analyses;
    std::function<void()> on_show;             // runs at every ShowFields
    bool refuse_entries = false;
    WordSearch* search = nullptr;

    bool AddListEntry(const std::string& text, int32_t record) override
    {
        if (refuse_entries) return false;
        list.push_back({text, record});
        return true;
    }
    void ClearList() override { list.clear(); }
    bool ShowFields() override
    {
        shown_statuses.push_back(search ? search->fields.status : std::string());
        if (on_show) on_show();
        return true;
    }
    void ShowVerbAnalysis(const std::string& infinitive, const std::string& form) override
    {
        analyses.push_back({infinitive, form});
    }
    std::vector<std::string> ListTexts() const
    {
        std::vector<std::string> texts;
        for (const Entry& e : list) texts.push_back(e.text);
        return texts;
    }
};

class WordOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files = folder.Dictionary();
        ASSERT_EQ(0, CreateDictionary(files, 2026, 1, 1));
        search.reset(new WordSearch(view, files));
        view.search = search.get();
    }
    void TearDown() override { ExpectConsistent(files); }

    int32_t Add(const char* word_class, const char* spanish, const char* english)
    {
        EXPECT_EQ(0, AddWordRecord(word_class, spanish, english, files));
        return static_cast<int32_t>(TableRecords(files));
    }
    void SearchEnglish(const std::string& word)
    {
        search->fields = WordFields{word, "", "", search->fields.status};
        search->Search();
    }
    void SearchSpanish(const std::string& word)
    {
        search->fields = WordFields{"", word, "", search->fields.status};
        search->Search();
    }

    TempFolder folder;
    DictionaryFiles files;
    ScopedRecordingPresenter messages;
    RecordingView view;
    std::unique_ptr<WordSearch> search;
};

std::string Padded(const std::string& word, size_t width = 21)
{
    return word + std::string(width - word.size(), ' ');
}

}  // namespace

// ---- AddWordRecord --------------------------------------------------------

TEST_F(WordOpsTest, AddStoresAndKeysLowercaseWithNulPaddedRecord)
{
    int32_t n = Add("n", "Casa", "House");
    ASSERT_EQ(1, n);
    StoredRecord record = ReadStoredRecord(files, 1);
    EXPECT_EQ("house", record.english);
    EXPECT_EQ("casa", record.spanish);
    EXPECT_EQ("n", record.word_class);
    EXPECT_FALSE(record.deleted);
    EXPECT_EQ(std::vector<int32_t>{1}, RecordsKeyedAs(files.english_index, Key21("house")));
    EXPECT_EQ(std::vector<int32_t>{1}, RecordsKeyedAs(files.spanish_index, Key21("casa")));
    EXPECT_TRUE(messages->Messages().empty());

    // The bytes of the record behind the words are NULs, not blanks.
    char image[kRecordImageSize] = {};
    ASSERT_EQ(0, FetchRecord(1, image, files));
    for (int i = kEnglishOffset + 5; i < kSpanishOffset; ++i) EXPECT_EQ(0, image[i]) << i;
    for (int i = kClassOffset + 1; i < kRecordLength; ++i) EXPECT_EQ(0, image[i]) << i;
}

TEST_F(WordOpsTest, AccentedLettersAreStoredInOemCodesAndCapitalAccentsStay)
{
    Add("n", "canci\xF3n", "song");              // o acute: 243 -> 162
    Add("n", "\xC1RBOL", "tree");                // capital A acute stays, the rest lowercased
    Add("adj", "ping\xFC\xEDno", "penguin");     // u diaeresis 252 -> 129, i acute 237 -> 161
    EXPECT_EQ("canci\xA2n", ReadStoredRecord(files, 1).spanish);
    EXPECT_EQ("\xC1rbol", ReadStoredRecord(files, 2).spanish);
    EXPECT_EQ("ping\x81\xA1no", ReadStoredRecord(files, 3).spanish);
    EXPECT_EQ(std::vector<int32_t>{1}, RecordsKeyedAs(files.spanish_index, Key21("canci\xA2n")));
    EXPECT_EQ(std::vector<int32_t>{2}, RecordsKeyedAs(files.spanish_index, Key21("\xC1rbol")));

    // Searching the same texts finds them and shows them in display form.
    SearchSpanish("canci\xF3n");
    EXPECT_EQ(kStatusFound, search->fields.status);
    EXPECT_EQ("canci\xF3n", search->fields.spanish);
    search->Clear();
    SearchSpanish("\xC1RBOL");
    EXPECT_EQ("\xC1rbol", search->fields.spanish);
    EXPECT_EQ("tree", search->fields.english);
}

TEST_F(WordOpsTest, EmptyFieldsStillAddARecordKeyedAsNulAndBlanks)
{
    Add("", "", "");
    std::string key(1, '\0');
    key += std::string(20, ' ');
    EXPECT_EQ(std::vector<int32_t>{1}, RecordsKeyedAs(files.english_index, key));
    EXPECT_EQ(std::vector<int32_t>{1}, RecordsKeyedAs(files.spanish_index, key));
}

TEST_F(WordOpsTest, TwentyOneCharacterWordIsFoundAndDeletedUnderItsStoredTwenty)
{
    // The table keeps 20 bytes of a word and its keys are made from the
    // stored word (so that a rebuild gives the same keys): the 21st
    // character is dropped everywhere, and typing it again still finds it.
    const std::string word = "abcdefghijklmnopqrstu";   // 21
    Add("n", "corto", word.c_str());
    std::vector<IndexEntry> entries = IndexEntries(files.english_index);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(Key21(word.substr(0, 20)), entries[0].key);
    EXPECT_EQ(word.substr(0, 20), ReadStoredRecord(files, 1).english);
    EXPECT_EQ("corto", ReadStoredRecord(files, 1).spanish);   // nothing leaks into the next field

    SearchEnglish(word);
    EXPECT_EQ(kStatusFound, search->fields.status);
    EXPECT_EQ(word.substr(0, 20), search->fields.english);
    search->fields = WordFields{word, "corto", "", ""};
    search->Clear();
    search->fields.english = word;
    search->fields.spanish = "corto";
    search->Delete();
    EXPECT_EQ(kRecordDeletedText, search->fields.status);
}

TEST_F(WordOpsTest, MissingSpanishIndexRefusesTheAdditionBeforeAnyWrite)
{
    Add("n", "casa", "house");
    ASSERT_EQ(0, std::remove(files.spanish_index.c_str()));
    EXPECT_EQ(-1, AddWordRecord("n", "perro", "dog", files));
    std::vector<std::string> errors = messages->Errors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ("Error Abriendo indice Castellano", errors.back());
    // Nothing was written: one record, one English key.
    EXPECT_EQ(1u, TableRecords(files));
    EXPECT_EQ(1u, IndexEntries(files.english_index).size());
    ASSERT_EQ(0, Reindex(files, nullptr));   // restore for the final check
}

TEST_F(WordOpsTest, MissingTableOrEnglishIndexShowTheirMessages)
{
    ASSERT_EQ(0, std::remove(files.english_index.c_str()));
    EXPECT_EQ(-1, AddWordRecord("n", "casa", "house", files));
    EXPECT_EQ("Error Abriendo indice ingles", messages->Errors().back());
    EXPECT_EQ(0u, TableRecords(files));
    ASSERT_EQ(0, std::remove(files.table.c_str()));
    EXPECT_EQ(-1, AddWordRecord("n", "casa", "house", files));
    EXPECT_EQ("I can't open the Main Database File", messages->Errors().back());
    ASSERT_EQ(0, CreateDictionary(files, 2026, 1, 1));
}

TEST_F(WordOpsTest, ThreeIdenticalAddsMakeThreeRecordsWithEqualKeys)
{
    for (int i = 0; i < 3; ++i) Add("v", "Correr", "Run");
    EXPECT_EQ(3u, TableRecords(files));
    // Equal keys: the entry added last comes first in the index.
    EXPECT_EQ((std::vector<int32_t>{3, 2, 1}), RecordsKeyedAs(files.english_index, Key21("run")));
    EXPECT_EQ((std::vector<int32_t>{3, 2, 1}), RecordsKeyedAs(files.spanish_index, Key21("correr")));
}

TEST_F(WordOpsTest, AddIsRefusedWhileTheIndexesAreRebuilt)
{
    DictionaryRebuild rebuild(DictionaryGuardMode::kQuiet);
    ASSERT_TRUE(rebuild.Granted());
    EXPECT_EQ(-1, AddWordRecord("n", "casa", "house", files));
    ASSERT_FALSE(messages->Errors().empty());
    EXPECT_EQ(kDictionaryBusyRebuilding, messages->Errors().back());
    SearchEnglish("house");
    EXPECT_EQ(kDictionaryBusyRebuilding, messages->Errors().back());
    EXPECT_TRUE(view.shown_statuses.empty());
}

// ---- Search ---------------------------------------------------------------

TEST_F(WordOpsTest, ClassOnlyAsksForAWordAndBothWordsDoNothing)
{
    Add("n", "casa", "house");
    search->fields = WordFields{"", "", "n", "Ok"};
    search->Search();
    EXPECT_EQ("You must fill at least one field to perform a search", messages->Errors().back());
    EXPECT_TRUE(view.shown_statuses.empty());

    SearchEnglish("house");
    ASSERT_EQ(1, search->CurrentRecord());
    messages->Clear();
    view.shown_statuses.clear();
    search->fields = WordFields{"dog", "perro", "", kStatusFound};
    search->Search();
    EXPECT_TRUE(messages->Messages().empty());
    EXPECT_TRUE(view.shown_statuses.empty());
    EXPECT_EQ(1, search->CurrentRecord());
    EXPECT_EQ("dog", search->fields.english);
    // A filled-in class with both words keeps the current record as well.
    search->fields = WordFields{"dog", "perro", "n", kStatusFound};
    search->Search();
    EXPECT_EQ(1, search->CurrentRecord());
}

TEST_F(WordOpsTest, WordInThreeRecordsListsTheFollowingEntriesAndDoubleClickShowsEach)
{
    Add("n", "banco", "bank");       // 1
    Add("adj", "zeta", "zebra");     // 2
    Add("v", "depositar", "bank");   // 3
    Add("n", "orilla", "bank");      // 4
    // Index order: bank 4, bank 3, bank 1, zebra 2.
    SearchEnglish("bank");
    EXPECT_EQ(4, search->CurrentRecord());
    EXPECT_EQ("orilla", search->fields.spanish);
    ASSERT_EQ(3u, view.list.size());
    EXPECT_EQ(Padded("bank"), view.list[0].text);
    EXPECT_EQ(3, view.list[0].record);
    EXPECT_EQ(Padded("bank"), view.list[1].text);
    EXPECT_EQ(1, view.list[1].record);
    EXPECT_EQ(Padded("zebra"), view.list[2].text);
    EXPECT_EQ(2, view.list[2].record);

    search->ChooseListEntry(1);
    EXPECT_EQ(1, search->CurrentRecord());
    EXPECT_EQ("banco", search->fields.spanish);
    EXPECT_EQ("n", search->fields.word_class);
    ASSERT_EQ(1u, view.list.size());   // emptied, then the words after record 1
    EXPECT_EQ(2, view.list[0].record);

    search->ChooseListEntry(3);
    EXPECT_EQ("depositar", search->fields.spanish);
    EXPECT_EQ("v", search->fields.word_class);
    EXPECT_EQ(3, search->CurrentRecord());
    ASSERT_EQ(2u, view.list.size());
    EXPECT_EQ(1, view.list[0].record);

    // No entry chosen: nothing happens.
    size_t shown = view.shown_statuses.size();
    search->ChooseListEntry(0);
    EXPECT_EQ(shown, view.shown_statuses.size());
}

TEST_F(WordOpsTest, DoubleClickAfterASpanishSearchShowsTheChosenRecord)
{
    Add("n", "banco", "bench");      // 1
    Add("n", "banco", "bank");       // 2, first in the index
    SearchSpanish("banco");
    EXPECT_EQ("bank", search->fields.english);
    ASSERT_EQ(1u, view.list.size());
    search->ChooseListEntry(view.list[0].record);
    EXPECT_EQ("bench", search->fields.english);
    EXPECT_EQ(1, search->SearchLanguage());
}

TEST_F(WordOpsTest, RefusedListEntryIsReported)
{
    Add("n", "a", "x1");
    Add("n", "b", "x2");
    view.refuse_entries = true;
    SearchEnglish("x1");
    EXPECT_EQ("Error asigning RECNO to a member list", messages->Errors().back());
    EXPECT_EQ(kStatusFound, search->fields.status);
}

TEST_F(WordOpsTest, MissingIndexIsReportedAndNothingShown)
{
    Add("n", "casa", "house");
    ASSERT_EQ(0, std::remove(files.english_index.c_str()));
    SearchEnglish("house");
    EXPECT_EQ("I can't open the main Index, reindex please", messages->Errors().back());
    EXPECT_TRUE(view.shown_statuses.empty());
    ASSERT_EQ(0, Reindex(files, nullptr));
}

// ---- Modify and Delete ----------------------------------------------------

TEST_F(WordOpsTest, ModifyAddsTheNewPairBeforeDeletingTheOldOne)
{
    Add("n", "casa", "house");     // 1
    Add("n", "perro", "dog");      // 2
    SearchEnglish("house");
    ASSERT_EQ(1, search->CurrentRecord());
    view.shown_statuses.clear();

    // Snapshots of the files at each status shown during Modify.
    std::vector<std::string> snapshots;
    view.on_show = [&] {
        StoredRecord old_record = ReadStoredRecord(files, 1);
        std::string state = search->fields.status + ": records=" + std::to_string(TableRecords(files)) +
                            " old=" + (old_record.deleted ? "deleted" : "live") +
                            " en=" + std::to_string(RecordsKeyedAs(files.english_index, Key21("house")).size()) +
                            " es=" + std::to_string(RecordsKeyedAs(files.spanish_index, Key21("casa")).size());
        snapshots.push_back(state);
    };
    search->fields = WordFields{"House", "Hogar", "n", kStatusFound};
    search->Modify();
    view.on_show = nullptr;

    ASSERT_EQ(4u, snapshots.size());
    EXPECT_EQ(" : records=3 old=live en=2 es=1", snapshots[0]);   // Clear inside Modify
    EXPECT_EQ("Adding a record to the main DBF: records=3 old=live en=2 es=1", snapshots[1]);
    EXPECT_EQ("Record deleted from Main Database: records=3 old=deleted en=1 es=0", snapshots[2]);
    EXPECT_EQ("Current displayed record has been modified: records=3 old=deleted en=1 es=0", snapshots[3]);

    StoredRecord added = ReadStoredRecord(files, 3);
    EXPECT_EQ("house", added.english);
    EXPECT_EQ("hogar", added.spanish);
    EXPECT_EQ(std::vector<int32_t>{3}, RecordsKeyedAs(files.english_index, Key21("house")));
    EXPECT_EQ("house", search->fields.english);   // the old words, class empty
    EXPECT_EQ("casa", search->fields.spanish);
    EXPECT_EQ("", search->fields.word_class);
    EXPECT_TRUE(view.list.empty());
    EXPECT_EQ(0, search->CurrentRecord());
    EXPECT_EQ(2u, LiveRecords(files));
}

TEST_F(WordOpsTest, ModifyNeedsASelectedRecordAndBothWords)
{
    Add("n", "casa", "house");
    search->fields = WordFields{"house", "casa", "n", ""};
    search->Modify();   // no current record
    EXPECT_EQ("You must select a record before modify it", messages->Errors().back());
    SearchEnglish("house");
    search->fields.spanish = "";
    search->Modify();
    EXPECT_EQ(2u, messages->Errors().size());
    EXPECT_EQ(1u, TableRecords(files));
}

TEST_F(WordOpsTest, DeleteAfterClearIsRefusedAndDeleteOfTheDisplayedRecordWorks)
{
    Add("n", "banco", "bank");       // 1
    Add("v", "depositar", "bank");   // 2
    SearchEnglish("bank");
    ASSERT_EQ(1u, view.list.size());
    search->ChooseListEntry(1);
    search->ChooseListEntry(2);
    ASSERT_EQ(2, search->CurrentRecord());
    search->Delete();
    EXPECT_EQ(kRecordDeletedText, search->fields.status);
    EXPECT_TRUE(ReadStoredRecord(files, 2).deleted);
    EXPECT_FALSE(ReadStoredRecord(files, 1).deleted);
    EXPECT_EQ(std::vector<int32_t>{1}, RecordsKeyedAs(files.english_index, Key21("bank")));

    // The current record is gone from the index: a second Delete finds nothing.
    search->Delete();
    EXPECT_EQ(kCannotDeleteText, search->fields.status);

    search->Clear();
    search->Delete();
    EXPECT_EQ("You can't delete a record if you haven't selected it", messages->Errors().back());
    EXPECT_EQ(1u, LiveRecords(files));
}

TEST_F(WordOpsTest, DeleteWithoutCurrentRecordTakesTheRecordOfBothWords)
{
    Add("n", "banco", "bank");       // 1
    Add("v", "depositar", "bank");   // 2, first in the index
    search->fields = WordFields{"Bank", "Banco", "", ""};
    search->Delete();
    EXPECT_EQ(kRecordDeletedText, search->fields.status);
    EXPECT_TRUE(ReadStoredRecord(files, 1).deleted);
    EXPECT_FALSE(ReadStoredRecord(files, 2).deleted);
    search->fields = WordFields{"bank", "banco", "", ""};   // already gone
    search->Delete();
    EXPECT_EQ(kCannotDeleteText, search->fields.status);
    search->fields = WordFields{"river", "rio", "", ""};
    search->Delete();
    EXPECT_EQ(kCannotDeleteText, search->fields.status);
}

TEST_F(WordOpsTest, LongSequenceOfAddsModifiesAndDeletesKeepsFilesConsistent)
{
    for (int i = 0; i < 60; ++i) {
        std::string english = "word" + std::to_string(i % 17);
        std::string spanish = "palabra" + std::to_string(i % 13);
        Add("n", spanish.c_str(), english.c_str());
    }
    for (int i = 0; i < 40; ++i) {
        search->Clear();
        SearchEnglish("word" + std::to_string((i * 7) % 17));
        ASSERT_EQ(kStatusFound, search->fields.status) << i;
        if (i % 2 == 0) {
            search->fields.spanish = "nuevo" + std::to_string(i);
            search->Modify();
            ASSERT_EQ(kStatusModified, search->fields.status) << i;
        } else {
            search->Delete();
            ASSERT_EQ(kRecordDeletedText, search->fields.status) << i;
        }
        DictionaryCheckResult check = CheckDictionary(files);
        ASSERT_TRUE(check.Consistent()) << i << ": " << check.faults[0];
    }
    EXPECT_EQ(80u, TableRecords(files));
    EXPECT_EQ(40u, LiveRecords(files));
}

TEST_F(WordOpsTest, ModifyKeepsTheFailureStatusWhenTheOldRecordCannotBeDeleted)
{
    Add("n", "casa", "house");   // 1
    SearchEnglish("house");
    ASSERT_EQ(1, search->CurrentRecord());
    // The old record has lost its English entry (a damaged index), so the
    // deleting half of Modify cannot find it.
    {
        BTREE index;
        int16_t h = index.Open(files.english_index.c_str());
        ASSERT_GE(h, 0);
        std::string key = Key21("house");
        ASSERT_EQ(0, index.Delete(h, key.data(), 1));
        ASSERT_EQ(0, index.Close(h));
    }
    view.shown_statuses.clear();
    search->fields = WordFields{"House", "Hogar", "n", kStatusFound};
    search->Modify();
    EXPECT_EQ(kCannotDeleteText, search->fields.status);
    ASSERT_FALSE(view.shown_statuses.empty());
    EXPECT_EQ(kCannotDeleteText, view.shown_statuses.back());
    for (const std::string& status : view.shown_statuses) EXPECT_NE(kStatusModified, status);
    EXPECT_FALSE(ReadStoredRecord(files, 1).deleted);
    EXPECT_EQ("hogar", ReadStoredRecord(files, 2).spanish);
    ASSERT_EQ(0, Reindex(files, nullptr));   // key record 1 again for the final check
}

TEST_F(WordOpsTest, AFailedDeletionFlagIsShown)
{
    Add("n", "casa", "house");   // 1
    Add("n", "perro", "dog");    // 2
    // The table's header counts one record: record 2, still keyed in both
    // indexes and still in the file, lies past the table's record count.
    std::vector<unsigned char> table = ReadBytes(files.table);
    PutU32At(table, 4, 1);
    WriteBytes(files.table, table);
    messages->Clear();
    view.shown_statuses.clear();
    search->fields = WordFields{"dog", "perro", "", ""};
    search->Delete();
    EXPECT_EQ(std::vector<std::string>{"Something was wrong writing the register"}, messages->Errors());
    EXPECT_TRUE(view.shown_statuses.empty());
    EXPECT_EQ(1u, TableRecords(files));
    // Count record 2 again and key it anew for the final check.
    table = ReadBytes(files.table);
    PutU32At(table, 4, 2);
    WriteBytes(files.table, table);
    ASSERT_EQ(0, Reindex(files, nullptr));
}

// ---- Untrusted index files --------------------------------------------------

TEST_F(WordOpsTest, AnIndexWithAnotherKeyLengthIsRefusedByEveryOperation)
{
    Add("n", "casa", "house");    // 1
    Add("n", "hogar", "house");   // 2
    const std::vector<unsigned char> english = ReadBytes(files.english_index);
    const std::vector<unsigned char> spanish = ReadBytes(files.spanish_index);
    const std::vector<unsigned char> table = ReadBytes(files.table);
    const std::string kRefused = "I can't open the main Index, reindex please";
    SearchEnglish("house");
    ASSERT_EQ(2, search->CurrentRecord());

    // Keys of 40 bytes would not fit the operations' key buffers.
    WriteWideKeyIndex(files.english_index, {{"house", 1}, {"house", 2}});
    messages->Clear();
    view.shown_statuses.clear();
    search->Delete();   // the displayed record
    EXPECT_EQ(std::vector<std::string>{kRefused}, messages->Errors());
    search->Clear();
    search->fields = WordFields{"house", "casa", "", ""};
    view.shown_statuses.clear();
    search->Delete();   // the record of both words
    SearchEnglish("house");
    EXPECT_EQ(-1, AddWordRecord("n", "perro", "dog", files));
    EXPECT_EQ((std::vector<std::string>{kRefused, kRefused, kRefused, "Error Abriendo indice ingles"}),
              messages->Errors());
    EXPECT_TRUE(view.shown_statuses.empty());

    WriteBytes(files.english_index, english);
    WriteWideKeyIndex(files.spanish_index, {{"casa", 1}, {"hogar", 2}});
    messages->Clear();
    SearchSpanish("casa");
    EXPECT_EQ(-1, AddWordRecord("n", "perro", "dog", files));
    EXPECT_EQ((std::vector<std::string>{kRefused, "Error Abriendo indice Castellano"}), messages->Errors());
    EXPECT_TRUE(view.shown_statuses.empty());

    EXPECT_EQ(table, ReadBytes(files.table));
    EXPECT_EQ(english, ReadBytes(files.english_index));
    WriteBytes(files.spanish_index, spanish);
}

// ---- Changes during a translation ------------------------------------------

TEST_F(WordOpsTest, ChangesAreRefusedWholeWhileATranslationReadsAndTheReverse)
{
    Add("n", "casa", "house");   // 1
    SearchEnglish("house");
    ASSERT_EQ(1, search->CurrentRecord());
    const std::vector<unsigned char> table = ReadBytes(files.table);
    const std::vector<unsigned char> english = ReadBytes(files.english_index);
    const std::vector<unsigned char> spanish = ReadBytes(files.spanish_index);
    messages->Clear();
    view.shown_statuses.clear();
    {
        IndexDictionarySource translation(files);   // what a file translation holds
        ASSERT_TRUE(translation.Open(kEnglish));
        search->fields = WordFields{"house", "hogar", "n", kStatusFound};
        search->Modify();
        search->Delete();
        EXPECT_EQ(-1, AddWordRecord("n", "perro", "dog", files));
        SearchEnglish("house");   // reading the files is still allowed
        EXPECT_EQ(1, search->CurrentRecord());
        char key[kDictionaryKeyLength] = {'h', 'o', 'u', 's', 'e'};
        EXPECT_EQ(1, translation.SeekKey(key));
    }
    EXPECT_EQ((std::vector<std::string>{kDictionaryBusyReading, kDictionaryBusyReading, kDictionaryBusyReading}),
              messages->Errors());
    EXPECT_EQ(std::vector<std::string>{kStatusFound}, view.shown_statuses);
    EXPECT_EQ(table, ReadBytes(files.table));
    EXPECT_EQ(english, ReadBytes(files.english_index));
    EXPECT_EQ(spanish, ReadBytes(files.spanish_index));

    // A translation started while a change runs is refused with its reason.
    messages->Clear();
    view.on_show = [&] {
        IndexDictionarySource translation(files);
        EXPECT_FALSE(translation.Open(kSpanish));
    };
    search->fields = WordFields{"house", "hogar", "n", kStatusFound};
    search->Modify();
    view.on_show = nullptr;
    EXPECT_EQ(kStatusModified, search->fields.status);
    std::vector<std::string> errors = messages->Errors();
    ASSERT_FALSE(errors.empty());
    for (const std::string& error : errors) EXPECT_EQ(kDictionaryBusyWriting, error);
    EXPECT_TRUE(ReadStoredRecord(files, 1).deleted);
}
