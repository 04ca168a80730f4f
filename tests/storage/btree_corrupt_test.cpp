// Index files with impossible contents: refused at Open where the header
// shows it, a fatal stop (never an overrun or an endless loop) where a page
// does, and described by the integrity checker.
#include "translator/storage/btree.h"
#include "translator/storage/integrity_check.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class CorruptIndexTest : public ::testing::Test {
protected:
    // A two-level index: leaves 1 (k00..k09) and 2 (k11..k25), root 3 (k10).
    void SetUp() override
    {
        name_ = folder_.File("bad.mgm");
        BTREE tree;
        int16_t h = tree.Create(name_.c_str(), 21);
        ASSERT_GE(h, 0);
        for (int i = 0; i < 26; ++i) {
            char word[8];
            std::snprintf(word, sizeof word, "k%02d", i);
            std::string key = Key21(word);
            ASSERT_EQ(0, tree.Insert(h, key.data(), i + 1, 0));
        }
        ASSERT_EQ(0, tree.Close(h));
        good_ = ReadBytes(name_);
        ASSERT_EQ(good_.size(), 4u * 512);
    }
    // Writes the changed image, opens it and runs one Seek and a bounded
    // walk: true when a fatal stop ended them.
    bool StopsOnUse(const std::vector<unsigned char>& bytes, const char* word = "k05")
    {
        WriteBytes(name_, bytes);
        BTREE tree;
        int16_t h = tree.Open(name_.c_str());
        EXPECT_GE(h, 0);
        try {
            std::string key(21, '\0');
            std::memcpy(&key[0], word, std::strlen(word));
            tree.Seek(h, &key[0]);
            for (int i = 0; i < 1000 && tree.Next(h) != 0; ++i) {
            }
            std::string insert_key = Key21("k055");
            tree.Insert(h, insert_key.data(), 99, 0);
        } catch (const FatalStopped& stop) {
            EXPECT_NE(stop.exit_code, 0);
            EXPECT_EQ(presenter_->Errors().back(), kIndexFatalMessage);
            return true;
        }
        return false;
    }
    bool OpenRefused(const std::vector<unsigned char>& bytes)
    {
        WriteBytes(name_, bytes);
        BTREE tree;
        return tree.Open(name_.c_str()) == -1;
    }
    std::vector<std::string> Faults(const std::vector<unsigned char>& bytes)
    {
        WriteBytes(name_, bytes);
        return CheckIndexFile(name_).faults;
    }

    ScopedRecordingPresenter presenter_;
    TempFolder folder_;
    std::string name_;
    std::vector<unsigned char> good_;
};

TEST_F(CorruptIndexTest, TheGoodFileIsConsistent)
{
    IndexCheckResult check = CheckIndexFile(name_);
    EXPECT_TRUE(check.faults.empty());
    EXPECT_EQ(check.entries.size(), 26u);
    EXPECT_EQ(check.entries[10].key, Key21("k10"));
    EXPECT_EQ(check.entries[10].record, 11);   // from the right leaf's first pointer
    EXPECT_EQ(check.depth, 2);
}

TEST_F(CorruptIndexTest, ImpossibleHeadersAreRefusedAtOpen)
{
    std::vector<unsigned char> b = good_;
    PutU16At(b, 4, 0);
    EXPECT_TRUE(OpenRefused(b)) << "key length 0";
    b = good_;
    PutU16At(b, 4, 300);
    EXPECT_TRUE(OpenRefused(b)) << "key length 300";
    b = good_;
    PutU16At(b, 6, 40);
    EXPECT_TRUE(OpenRefused(b)) << "max items not 492 / (k + 4)";
    b = good_;
    PutU32At(b, 12, 9);
    EXPECT_TRUE(OpenRefused(b)) << "next page past the end of the file";
    b = good_;
    PutU32At(b, 0, 4);
    EXPECT_TRUE(OpenRefused(b)) << "root at the next page number";
    b = good_;
    PutU32At(b, 8, 70000);
    EXPECT_TRUE(OpenRefused(b)) << "free list past the end";
    b = good_;
    PutU32At(b, 20, 0);
    EXPECT_TRUE(OpenRefused(b)) << "first leaf 0 in a non-empty index";
    b.assign(good_.begin(), good_.begin() + 20);
    EXPECT_TRUE(OpenRefused(b)) << "short header";
    EXPECT_FALSE(OpenRefused(good_));
}

TEST_F(CorruptIndexTest, APageWithAnImpossibleCountIsAFatalStop)
{
    std::vector<unsigned char> b = good_;
    PutU16At(b, 1 * 512 + 16, 500);
    EXPECT_TRUE(StopsOnUse(b));
    PutU16At(b, 1 * 512 + 16, 0xFFFF);   // -1
    EXPECT_TRUE(StopsOnUse(b));
}

TEST_F(CorruptIndexTest, AChildLoopDoesNotHang)
{
    std::vector<unsigned char> b = good_;
    PutU32At(b, 3 * 512 + 20, 3);   // the root is its own first child
    EXPECT_TRUE(StopsOnUse(b));
    std::vector<std::string> faults = Faults(b);
    EXPECT_FALSE(faults.empty());
}

TEST_F(CorruptIndexTest, AChildPastTheEndIsAFatalStop)
{
    std::vector<unsigned char> b = good_;
    PutU32At(b, 3 * 512 + 20, 999);
    EXPECT_TRUE(StopsOnUse(b));
}

TEST_F(CorruptIndexTest, AParentThatDoesNotKnowItsChildIsAFatalStop)
{
    std::vector<unsigned char> b = good_;
    PutU32At(b, 2 * 512 + 4, 2);   // leaf 2 names itself as parent
    EXPECT_TRUE(StopsOnUse(b, "k11"));   // stepping back climbs from leaf 2
    EXPECT_FALSE(Faults(b).empty());
}

TEST_F(CorruptIndexTest, ALeafChainThatLoopsBackEndsAWalk)
{
    std::vector<unsigned char> b = good_;
    PutU32At(b, 2 * 512 + 12, 1);   // the last leaf's next is the first leaf
    PutU32At(b, 1 * 512 + 8, 2);    // which links back to it
    WriteBytes(name_, b);
    BTREE tree;
    int16_t h = tree.Open(name_.c_str());
    ASSERT_GE(h, 0);
    int steps = 0;
    EXPECT_THROW(
        for (int32_t r = tree.First(h); r != 0 && steps < 1000; r = tree.Next(h)) ++steps,
        FatalStopped);
    EXPECT_EQ(steps, 26) << "every entry once, then the bad link";
}

TEST_F(CorruptIndexTest, AFreeListThatNamesAPageInUseIsCaught)
{
    std::vector<unsigned char> b = good_;
    PutU32At(b, 8, 1);   // leaf 1 claimed free
    std::vector<std::string> faults = Faults(b);
    ASSERT_FALSE(faults.empty());
    EXPECT_NE(faults[0].find("free page 1 is not empty"), std::string::npos) << faults[0];
    // An insertion that needs a page takes it from the list and refuses it.
    WriteBytes(name_, b);
    BTREE tree;
    int16_t h = tree.Open(name_.c_str());
    ASSERT_GE(h, 0);
    EXPECT_THROW(
        for (int i = 0; i < 40; ++i) {
            std::string key = Key21("m" + std::to_string(i));
            tree.Insert(h, key.data(), 100 + i, 0);
        },
        FatalStopped);
}

TEST_F(CorruptIndexTest, TheCheckerDescribesBrokenLinksOrderAndLostPages)
{
    std::vector<unsigned char> b = good_;
    PutU32At(b, 1 * 512 + 12, 1);   // leaf 1's next is itself
    std::vector<std::string> faults = Faults(b);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], "page 1: next page 1, expected 2");

    b = good_;
    std::memcpy(&b[1 * 512 + 24], "zz", 2);   // first key of leaf 1 out of order
    faults = Faults(b);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("key order"), std::string::npos);

    b = good_;
    b.resize(5 * 512, 0);
    PutU32At(b, 12, 5);   // page 4 exists but is neither used nor free
    faults = Faults(b);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults[0], "page 4 is neither in the tree nor on the free list");

    b = good_;
    PutU32At(b, 2 * 512 + 20, 0);   // a leaf's first pointer must be a record
    faults = Faults(b);
    ASSERT_FALSE(faults.empty());
    EXPECT_NE(faults[0].find("first pointer 0"), std::string::npos);

    b = good_;
    PutU32At(b, 16, 1);
    faults = Faults(b);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_NE(faults[0].find("open flag"), std::string::npos);
}

}  // namespace
