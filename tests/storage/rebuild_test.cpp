// The index rebuild: deleted records skipped, the last record included,
// identical files from two runs, the progress reaching the full bar at the
// last record, and the failure results.
#include "translator/storage/btree.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/integrity_check.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class RecordingProgress : public RebuildProgress {
public:
    bool Start(uint32_t total) override
    {
        totals.push_back(total);
        return true;
    }
    void Update(uint32_t position) override
    {
        positions.push_back(position);
        bars.push_back(ProgressBarLength(position, totals.back(), kProgressBarWidth));
    }
    void Finish() override { ++finished; }
    std::vector<uint32_t> totals;
    std::vector<uint32_t> positions;
    std::vector<int> bars;
    int finished = 0;
};

class RebuildTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(0, CreateDictionary(files_, 2026, 1, 2)); }
    void Fill(int n)
    {
        DictionaryWriter writer;
        ASSERT_EQ(0, writer.Open(files_));
        for (int i = 1; i <= n; ++i) {
            std::string english = "w" + std::to_string((i * 7919) % 1009);
            std::string spanish = "p" + std::to_string(i % 50);
            ASSERT_EQ(0, writer.Add(english.c_str(), spanish.c_str(), "n"));
        }
    }
    void MarkDeleted(int32_t n)
    {
        DBF table;
        ASSERT_EQ(0, table.Open(0, files_.table.c_str()));
        ASSERT_EQ(0, table.Delete(n));
    }
    ScopedRecordingPresenter presenter_;
    TempFolder folder_;
    DictionaryFiles files_ = folder_.Dictionary();
};

TEST_F(RebuildTest, AllDeletedRecordsGiveTwoEmptyIndexes)
{
    Fill(30);
    for (int i = 1; i <= 30; ++i) MarkDeleted(i);
    ASSERT_EQ(0, Reindex(files_, nullptr));
    for (const std::string* name : {&files_.english_index, &files_.spanish_index}) {
        std::vector<unsigned char> b = ReadBytes(*name);
        ASSERT_EQ(b.size(), 512u);
        EXPECT_EQ(U32At(b, 0), 0u);
        BTREE tree;
        int16_t h = tree.Open(name->c_str());
        std::string key = Key21("w1");
        EXPECT_EQ(tree.Seek(h, &key[0]), 0);
        EXPECT_EQ(tree.First(h), 0);
    }
    DictionaryCheckResult check = CheckDictionary(files_);
    EXPECT_TRUE(check.faults.empty());
    EXPECT_EQ(check.live_records, 0u);
}

TEST_F(RebuildTest, TheLastRecordIsIncludedAndDeletedOnesLeaveTheIndexes)
{
    Fill(100);
    MarkDeleted(50);
    {
        DBF table;   // a last record the indexes never saw
        ASSERT_EQ(0, table.Open(0, files_.table.c_str()));
        ASSERT_EQ(0, table.AppendBlank());
        char image[kRecordImageSize] = {};
        std::strcpy(image + 1, "zebra");
        std::strcpy(image + 22, "cebra");
        ASSERT_EQ(0, table.WriteRecord(image));
    }
    ASSERT_EQ(0, Reindex(files_, nullptr));
    DictionaryCheckResult check = CheckDictionary(files_);
    for (const std::string& fault : check.faults) ADD_FAILURE() << fault;
    EXPECT_EQ(check.live_records, 100u);
    BTREE tree;
    int16_t h = tree.Open(files_.spanish_index.c_str());
    std::string key = Key21("cebra");
    EXPECT_EQ(tree.Seek(h, &key[0]), 101);
}

TEST_F(RebuildTest, TwoRebuildsGiveIdenticalFiles)
{
    Fill(700);
    MarkDeleted(3);
    ASSERT_EQ(0, Reindex(files_, nullptr));
    std::vector<unsigned char> english = ReadBytes(files_.english_index);
    std::vector<unsigned char> spanish = ReadBytes(files_.spanish_index);
    ASSERT_EQ(0, Reindex(files_, nullptr));
    EXPECT_EQ(ReadBytes(files_.english_index), english);
    EXPECT_EQ(ReadBytes(files_.spanish_index), spanish);
    EXPECT_GT(english.size(), 30u * 512);
}

TEST_F(RebuildTest, TheBarIsFullExactlyAtTheLastRecord)
{
    Fill(37);
    MarkDeleted(37);
    RecordingProgress progress;
    ASSERT_EQ(0, Reindex(files_, &progress));
    EXPECT_EQ(progress.totals, (std::vector<uint32_t>{37, 37}));
    EXPECT_EQ(progress.finished, 2);
    ASSERT_EQ(progress.positions.size(), 74u);
    for (int i = 0; i < 37; ++i) EXPECT_EQ(progress.positions[i], uint32_t(i + 1));
    EXPECT_EQ(progress.bars[35], 291);   // 36 * 300 / 37
    EXPECT_EQ(progress.bars[36], 300);
    EXPECT_EQ(ProgressBarLength(5, 0, 300), 0);
    EXPECT_EQ(ProgressBarLength(4000000000u, 4000000000u, 300), 300) << "no overflow";
}

TEST_F(RebuildTest, FailuresNameTheIndexThatFailed)
{
    DictionaryFiles bad = files_;
    bad.english_index = folder_.File("no/such/folder/mixing.mgm");
    EXPECT_EQ(1, Reindex(bad, nullptr));
    EXPECT_EQ(presenter_->Errors().back(), "Error indexing English");
    bad = files_;
    bad.spanish_index = folder_.File("no/such/folder/mixesp.mgm");
    EXPECT_EQ(2, Reindex(bad, nullptr));
    EXPECT_EQ(presenter_->Errors().back(), "Error indexing Spanish");
    bad = files_;
    bad.table = folder_.File("missing.dbf");
    EXPECT_EQ(1, Reindex(bad, nullptr));
}

}  // namespace
