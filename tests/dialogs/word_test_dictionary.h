// Helpers of the dictionary editing tests: a fresh dictionary in a private
// folder, reading records and index entries back, and the integrity check.
#ifndef LEXON_TESTS_DIALOGS_WORD_TEST_DICTIONARY_H
#define LEXON_TESTS_DIALOGS_WORD_TEST_DICTIONARY_H

#include "tests/storage/storage_test_util.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/integrity_check.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

// One record of the table as read back: the words and class code in stored
// form, and the deletion flag.
struct StoredRecord {
    std::string english;
    std::string spanish;
    std::string word_class;   // the 5 bytes up to the first NUL
    bool deleted = false;
};

inline StoredRecord ReadStoredRecord(const DictionaryFiles& files, int32_t n)
{
    StoredRecord record;
    char image[kRecordImageSize] = {};
    DBF table;
    if (table.Open(0, files.table.c_str()) != 0) {
        ADD_FAILURE() << "table cannot be opened";
        return record;
    }
    EXPECT_EQ(0, table.ReadRecord(image, n)) << "record " << n;
    table.Close();
    image[kRecordLength] = 0;
    record.english = std::string(image + kEnglishOffset, strnlen(image + kEnglishOffset, kWordFieldWidth));
    record.spanish = std::string(image + kSpanishOffset, strnlen(image + kSpanishOffset, kWordFieldWidth));
    record.word_class = std::string(image + kClassOffset, strnlen(image + kClassOffset, kClassLength));
    record.deleted = IsDeletedRecord(image);
    return record;
}

// The entries of an index, in key order.
inline std::vector<IndexEntry> IndexEntries(const std::string& index_file)
{
    IndexCheckResult result = CheckIndexFile(index_file);
    EXPECT_TRUE(result.Consistent()) << index_file << ": " << (result.faults.empty() ? "" : result.faults[0]);
    return result.entries;
}

// The record numbers keyed under word (a 21-byte key) in an index.
inline std::vector<int32_t> RecordsKeyedAs(const std::string& index_file, const std::string& key21)
{
    std::vector<int32_t> records;
    for (const IndexEntry& entry : IndexEntries(index_file))
        if (entry.key == key21) records.push_back(entry.record);
    return records;
}

// Asserts that the table and both indexes agree (every live record keyed
// once in each index under its words, nothing else keyed).
inline void ExpectConsistent(const DictionaryFiles& files)
{
    DictionaryCheckResult result = CheckDictionary(files);
    EXPECT_TRUE(result.Consistent()) << (result.faults.empty() ? "" : result.faults[0]);
}

inline uint32_t TableRecords(const DictionaryFiles& files)
{
    return CheckDictionary(files).records;
}

inline uint32_t LiveRecords(const DictionaryFiles& files)
{
    return CheckDictionary(files).live_records;
}

// Replaces an index file by one whose keys are 40 bytes long, otherwise
// sound: a file that no dictionary index can be, holding the given words
// (blank padded to 40 bytes) with their record numbers.
inline void WriteWideKeyIndex(const std::string& file_name,
                              const std::vector<std::pair<std::string, int32_t>>& entries)
{
    BTREE tree;
    int16_t h = tree.Create(file_name.c_str(), 40);
    ASSERT_GE(h, 0);
    for (const std::pair<std::string, int32_t>& entry : entries) {
        std::string key(40, ' ');
        key.replace(0, entry.first.size(), entry.first);
        ASSERT_EQ(0, tree.Insert(h, key.data(), entry.second, 0));
    }
    ASSERT_EQ(0, tree.Close(h));
    ASSERT_EQ(40, U16At(ReadBytes(file_name), 4));
}

#endif
