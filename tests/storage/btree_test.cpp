// The index file format byte for byte and the index algorithms on the cases
// where they are subtle: splits, rotations, successor replacement, the free
// list, duplicate keys, the signed key order and the cursor.
#include "translator/storage/btree.h"
#include "translator/storage/integrity_check.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::string Word(int i)
{
    char text[8];
    std::snprintf(text, sizeof text, "k%02d", i);
    return text;
}

class IndexTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        name_ = folder_.File("test.mgm");
        h_ = tree_.Create(name_.c_str(), 21);
        ASSERT_GE(h_, 0);
    }
    void Insert(const std::string& word, int32_t record, int16_t unique = 0)
    {
        std::string key = Key21(word);
        ASSERT_EQ(0, tree_.Insert(h_, key.data(), record, unique));
    }
    void Delete(const std::string& word, int32_t record)
    {
        std::string key = Key21(word);
        ASSERT_EQ(0, tree_.Delete(h_, key.data(), record));
    }
    int32_t Seek(const std::string& word)
    {
        std::string key(21, '\0');
        std::memcpy(&key[0], word.data(), word.size());
        return tree_.Seek(h_, &key[0]);
    }
    std::string CursorKey()
    {
        std::string key(21, '#');
        tree_.CurrentKey(h_, &key[0]);
        return key;
    }
    // Closes the index and returns the file's bytes.
    std::vector<unsigned char> CloseAndRead()
    {
        EXPECT_EQ(0, tree_.Close(h_));
        h_ = -1;
        return ReadBytes(name_);
    }
    void ExpectConsistent()
    {
        IndexCheckResult check = CheckIndexFile(name_);
        for (const std::string& fault : check.faults) ADD_FAILURE() << fault;
    }
    std::vector<int32_t> Walk()
    {
        std::vector<int32_t> records;
        for (int32_t r = tree_.First(h_); r != 0; r = tree_.Next(h_)) records.push_back(r);
        return records;
    }

    ScopedRecordingPresenter presenter_;
    TempFolder folder_;
    std::string name_;
    BTREE tree_;
    int16_t h_ = -1;
};

TEST_F(IndexTest, CreateWritesOneHeaderPage)
{
    std::vector<unsigned char> b = CloseAndRead();
    ASSERT_EQ(b.size(), 512u);
    std::vector<unsigned char> expected(512, 0);
    expected[4] = 21;    // key length
    expected[6] = 19;    // 492 / 25
    expected[12] = 1;    // next page
    EXPECT_EQ(b, expected);
}

TEST_F(IndexTest, FirstInsertMakesPageOneALeafRoot)
{
    Insert("hello", 7);
    EXPECT_EQ(tree_.CursorPage(h_), 1u);
    EXPECT_EQ(tree_.CursorPosition(h_), 1);
    std::vector<unsigned char> b = CloseAndRead();
    ASSERT_EQ(b.size(), 1024u);
    EXPECT_EQ(U32At(b, 0), 1u);     // root
    EXPECT_EQ(U32At(b, 12), 2u);    // next page
    EXPECT_EQ(U32At(b, 16), 0u);    // open flag 0 on disk
    EXPECT_EQ(U32At(b, 20), 1u);    // first leaf
    EXPECT_EQ(U32At(b, 24), 1u);    // last leaf
    std::vector<unsigned char> page(b.begin() + 512, b.end());
    std::vector<unsigned char> expected(512, 0);
    expected[16] = 1;   // count
    std::memcpy(&expected[24], "hello                ", 21);
    expected[45] = 7;   // record number
    EXPECT_EQ(page, expected);
}

TEST_F(IndexTest, TwentiethAscendingInsertSplitsTheLeafRoot)
{
    for (int i = 0; i < 20; ++i) Insert(Word(i), i + 1);
    // The new entry (position 20) followed the split into the right leaf.
    EXPECT_EQ(tree_.CursorPage(h_), 2u);
    EXPECT_EQ(tree_.CursorPosition(h_), 9);
    std::vector<unsigned char> b = CloseAndRead();
    ASSERT_EQ(b.size(), 4u * 512);
    EXPECT_EQ(U32At(b, 0), 3u);     // root: the page above the split
    EXPECT_EQ(U32At(b, 12), 4u);
    EXPECT_EQ(U32At(b, 20), 1u);
    EXPECT_EQ(U32At(b, 24), 2u);
    // Left leaf keeps 10 entries.
    EXPECT_EQ(PageKind(b, 1), 0);
    EXPECT_EQ(PageCount(b, 1), 10);
    EXPECT_EQ(ItemKey(b, 1, 10), Key21("k09"));
    EXPECT_EQ(PageParent(b, 1), 3u);
    EXPECT_EQ(PageNext(b, 1), 2u);
    EXPECT_EQ(PagePrev(b, 1), 0u);
    EXPECT_EQ(PageFirst(b, 1), 0u);
    for (size_t i = 512 + 24 + 10 * 25; i < 1024; ++i) ASSERT_EQ(b[i], 0) << "vacated byte " << i;
    // The 11th entry went up into a new internal root.
    EXPECT_EQ(PageKind(b, 3), 1);
    EXPECT_EQ(PageCount(b, 3), 1);
    EXPECT_EQ(PageFirst(b, 3), 1u);
    EXPECT_EQ(ItemKey(b, 3, 1), Key21("k10"));
    EXPECT_EQ(ItemValue(b, 3, 1), 2u);
    EXPECT_EQ(PageParent(b, 3), 0u);
    // Right leaf: 9 entries, its first pointer the 11th entry's record.
    EXPECT_EQ(PageCount(b, 2), 9);
    EXPECT_EQ(PageFirst(b, 2), 11u);
    EXPECT_EQ(ItemKey(b, 2, 1), Key21("k11"));
    EXPECT_EQ(ItemValue(b, 2, 9), 20u);
    EXPECT_EQ(PagePrev(b, 2), 1u);
    EXPECT_EQ(PageParent(b, 2), 3u);
    ExpectConsistent();
}

TEST_F(IndexTest, OverflowRotatesIntoTheLeftSiblingWithoutANewPage)
{
    for (int i = 0; i <= 30; ++i) Insert(Word(i), i + 1);
    // Leaf 2 overflowed at k30 with 20 entries; leaf 1 had 10: each now 15.
    EXPECT_EQ(tree_.CursorPage(h_), 2u);
    EXPECT_EQ(tree_.CursorPosition(h_), 15);
    std::vector<unsigned char> b = CloseAndRead();
    EXPECT_EQ(U32At(b, 12), 4u) << "no page allocated";
    EXPECT_EQ(PageCount(b, 1), 15);
    EXPECT_EQ(ItemKey(b, 1, 11), Key21("k10"));   // the old separator came down
    EXPECT_EQ(ItemValue(b, 1, 11), 11u);          // with the right leaf's old first pointer
    EXPECT_EQ(ItemKey(b, 1, 15), Key21("k14"));
    EXPECT_EQ(ItemKey(b, 3, 1), Key21("k15"));    // new separator
    EXPECT_EQ(PageCount(b, 2), 15);
    EXPECT_EQ(PageFirst(b, 2), 16u);              // its record number
    EXPECT_EQ(ItemKey(b, 2, 1), Key21("k16"));
    ExpectConsistent();
}

TEST_F(IndexTest, OverflowPassesToTheRightSiblingWhenTheLeftIsFull)
{
    for (int i = 0; i < 20; ++i) Insert(Word(2 * i), i + 1);   // k00..k38 even
    // Fill leaf 1 (k00..k18) to 19 with odd keys below the separator k20.
    for (int i = 0; i < 9; ++i) Insert(Word(2 * i + 1), 100 + i);
    Insert("k19", 200);   // leaf 1 overflows; no left sibling, right has 9
    std::vector<unsigned char> b = CloseAndRead();
    EXPECT_EQ(U32At(b, 12), 4u);
    EXPECT_EQ(PageCount(b, 1) + PageCount(b, 2) + PageCount(b, 3), 30);
    EXPECT_EQ(PageCount(b, 1), 14);   // (20 + 9) / 2
    EXPECT_EQ(PageCount(b, 2), 15);
    ExpectConsistent();
}

TEST_F(IndexTest, DeletingTheRootKeyTakesItsSuccessor)
{
    for (int i = 0; i < 26; ++i) Insert(Word(i), i + 1);   // right leaf: k11..k25
    Delete("k10", 11);
    // Cursor: position 0 of the right leaf, the successor now in the root.
    EXPECT_EQ(tree_.CursorPage(h_), 2u);
    EXPECT_EQ(tree_.CursorPosition(h_), 0);
    EXPECT_EQ(CursorKey(), Key21("k11"));
    EXPECT_EQ(tree_.Next(h_), 13);   // k12
    std::vector<unsigned char> b = CloseAndRead();
    EXPECT_EQ(ItemKey(b, 3, 1), Key21("k11"));
    EXPECT_EQ(PageFirst(b, 2), 12u);   // the successor's record number
    EXPECT_EQ(PageCount(b, 2), 14);
    EXPECT_EQ(ItemKey(b, 2, 1), Key21("k12"));
    ExpectConsistent();
}

TEST_F(IndexTest, UnderflowMergesAndTheTreeShrinksToOneLeaf)
{
    for (int i = 0; i < 20; ++i) Insert(Word(i), i + 1);
    Delete("k15", 16);   // right leaf 9 -> 8: merged into the left one
    std::vector<unsigned char> b = CloseAndRead();
    EXPECT_EQ(U32At(b, 0), 1u);    // the left leaf is the root again
    EXPECT_EQ(U32At(b, 24), 1u);   // and the last leaf
    EXPECT_EQ(PageCount(b, 1), 19);
    EXPECT_EQ(PageParent(b, 1), 0u);
    EXPECT_EQ(PageNext(b, 1), 0u);
    EXPECT_EQ(ItemKey(b, 1, 11), Key21("k10"));
    EXPECT_EQ(ItemValue(b, 1, 11), 11u);
    // Page 2 freed first, then the old root 3: the list is 3 -> 2.
    EXPECT_EQ(U32At(b, 8), 3u);
    EXPECT_EQ(PageParent(b, 3), 2u);
    EXPECT_EQ(PageParent(b, 2), 0u);
    EXPECT_EQ(PageCount(b, 2), 0);
    ExpectConsistent();
}

TEST_F(IndexTest, UnderflowBorrowsFromTheLeftSiblingWhenBothAreFullEnough)
{
    for (int i = 0; i < 20; ++i) Insert(Word(i), i + 1);
    for (int i = 0; i < 9; ++i) Insert(Word(i) + "x", 50 + i);   // left leaf -> 19
    Delete("k19", 20);   // right leaf 9 -> 8; 19 + 8 >= 19: rotate
    std::vector<unsigned char> b = CloseAndRead();
    EXPECT_EQ(PageCount(b, 1), 13);   // (19 + 8) / 2
    EXPECT_EQ(PageCount(b, 2), 14);
    EXPECT_EQ(U32At(b, 8), 0u) << "nothing freed";
    ExpectConsistent();
}

TEST_F(IndexTest, DeletingEverythingFreesTheLeafAndTheNextInsertReusesIt)
{
    Insert("only", 1);
    Delete("only", 1);
    EXPECT_EQ(Seek("only"), 0);
    EXPECT_EQ(tree_.First(h_), 0);
    const IndexHeader* header = tree_.Header(h_);
    EXPECT_EQ(header->root, 0u);
    EXPECT_EQ(header->free_list, 1u);
    EXPECT_EQ(header->first_leaf, 0u);
    EXPECT_EQ(header->last_leaf, 0u);
    Insert("again", 2);
    EXPECT_EQ(tree_.Header(h_)->root, 1u);
    EXPECT_EQ(tree_.Header(h_)->free_list, 0u);
    std::vector<unsigned char> b = CloseAndRead();
    EXPECT_EQ(b.size(), 1024u) << "the file did not grow";
    EXPECT_EQ(U32At(b, 12), 2u);
    ExpectConsistent();
}

TEST_F(IndexTest, DuplicateKeysAreKeptAndSeekFindsTheFirst)
{
    Insert("same", 5);
    Insert("same", 3);
    Insert("same", 9);
    Insert("other", 1);
    EXPECT_EQ(Seek("same"), 9);   // each new duplicate goes in front in a leaf
    EXPECT_EQ(tree_.Next(h_), 3);
    EXPECT_EQ(tree_.Next(h_), 5);
    EXPECT_EQ(tree_.Next(h_), 0);
    Delete("same", 3);
    EXPECT_EQ(Walk(), (std::vector<int32_t>{1, 9, 5}));
    Delete("same", 77);   // not there: nothing changes
    Delete("absent", 9);
    EXPECT_EQ(Walk(), (std::vector<int32_t>{1, 9, 5}));
    std::string key = Key21("same");
    EXPECT_EQ(tree_.Insert(h_, key.data(), 4, 1), -1) << "refuse-duplicates flag";
    EXPECT_EQ(Walk().size(), 3u);
}

TEST_F(IndexTest, DuplicatesAcrossSeparatorsStayAdjacentAndDeletable)
{
    for (int i = 1; i <= 60; ++i) Insert(i % 2 ? "dup" : Word(i % 7), i);
    std::vector<int32_t> dup_records;
    int32_t r = Seek("dup");
    ASSERT_NE(r, 0);
    std::string key = CursorKey();
    while (r != 0 && key == Key21("dup")) {
        dup_records.push_back(r);
        r = tree_.Next(h_);
        key = CursorKey();
    }
    EXPECT_EQ(dup_records.size(), 30u);
    for (int i = 1; i <= 60; i += 4) Delete("dup", i);
    EXPECT_EQ(Walk().size(), 45u);
    std::vector<unsigned char> b = CloseAndRead();
    ExpectConsistent();
}

TEST_F(IndexTest, SeekMissesLeaveTheCursorOnTheNextGreaterEntry)
{
    EXPECT_EQ(Seek("x"), 0);   // empty index: no cursor
    EXPECT_EQ(tree_.CursorPage(h_), 0u);
    EXPECT_EQ(tree_.Next(h_), 0);
    for (int i = 0; i < 40; i += 2) Insert(Word(i), i + 1);
    EXPECT_EQ(Seek("k05"), 0);
    EXPECT_EQ(tree_.CursorPosition(h_), 4);   // the cursor designates k06
    char key[21];
    tree_.CurrentKey(h_, key);
    EXPECT_EQ(std::string(key, 21), Key21("k06"));
    EXPECT_EQ(tree_.Next(h_), 9);   // Next returns the entry after it, k08
    EXPECT_EQ(Seek("zzz"), 0);      // past every key: no cursor
    EXPECT_EQ(tree_.CursorPage(h_), 0u);
    EXPECT_EQ(tree_.Next(h_), 1) << "Next then starts from the first entry";
}

TEST_F(IndexTest, WalkVisitsSeparatorsBetweenLeaves)
{
    for (int i = 0; i < 26; ++i) Insert(Word(i), i + 1);
    std::vector<int32_t> walk = Walk();
    ASSERT_EQ(walk.size(), 26u);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(walk[i], i + 1);
    EXPECT_EQ(Seek("k10"), 11);   // a separator: cursor at position 0 of a leaf
    EXPECT_EQ(tree_.CursorPosition(h_), 0);
    EXPECT_EQ(CursorKey(), Key21("k10"));
    EXPECT_EQ(tree_.Next(h_), 12);
}

TEST_F(IndexTest, KeysCompareAsSignedBytes)
{
    const std::string nye = std::string("a") + char(164) + "o";   // a, OEM n-tilde, o
    Insert("ano", 1);
    Insert("a", 2);
    Insert(nye, 3);
    Insert("", 4);
    Insert("b", 5);
    EXPECT_EQ(Walk(), (std::vector<int32_t>{4, 3, 2, 1, 5}));
    EXPECT_LT(CompareIndexKeys(Key21(nye).data(), Key21("a").data(), 21), 0);
    std::string empty = Key21("");
    EXPECT_EQ(empty[0], '\0');
    EXPECT_EQ(empty.substr(1), std::string(20, ' '));
}

TEST(BlankPadKeyTest, PadsFromTheFirstNulButNeverPositionZero)
{
    char key[21] = {'a', 'b', 0, 'z', 0};
    BlankPadKey(key, 21);
    EXPECT_EQ(std::string(key, 21), std::string("ab") + std::string(19, ' '));
    char empty[21] = {0, 'q'};
    BlankPadKey(empty, 21);
    EXPECT_EQ(empty[0], 0);
    EXPECT_EQ(empty[1], 'q');
    EXPECT_EQ(empty[2], ' ');
}

TEST_F(IndexTest, TheSameFileOpensTwiceButNotTwentyOneTimes)
{
    std::vector<int16_t> handles;
    for (int i = 0; i < 19; ++i) handles.push_back(tree_.Open(name_.c_str()));
    for (size_t i = 0; i < handles.size(); ++i) EXPECT_EQ(handles[i], int16_t(i + 1));
    EXPECT_EQ(tree_.Open(name_.c_str()), -1);
    EXPECT_EQ(tree_.Close(25), -1);
    EXPECT_EQ(tree_.Close(-1), -1);
    for (int16_t h : handles) EXPECT_EQ(tree_.Close(h), 0);
    EXPECT_EQ(tree_.Close(handles[0]), -1) << "closed twice";
}

TEST_F(IndexTest, AFileWithItsOpenFlagSetIsRefused)
{
    std::vector<unsigned char> b = CloseAndRead();
    b[16] = 1;
    WriteBytes(name_, b);
    EXPECT_EQ(tree_.Open(name_.c_str()), -1);
    EXPECT_EQ(tree_.Open(folder_.File("missing.mgm").c_str()), -1);
}

TEST_F(IndexTest, OperationsOnAFreeHandleFail)
{
    std::string key = Key21("a");
    EXPECT_EQ(tree_.Insert(7, key.data(), 1, 0), -1);
    EXPECT_EQ(tree_.Delete(7, key.data(), 1), -1);
    EXPECT_EQ(tree_.Seek(7, &key[0]), 0);
    EXPECT_EQ(tree_.Next(7), 0);
    EXPECT_EQ(tree_.First(7), 0);
}

TEST_F(IndexTest, DeferredWritesGiveTheSameFile)
{
    for (int i = 0; i < 300; ++i) Insert(Word(i % 97) + Word(i), (i * 7919) % 1000 + 1);
    std::vector<unsigned char> direct = CloseAndRead();
    std::string other = folder_.File("deferred.mgm");
    h_ = tree_.Create(other.c_str(), 21);
    tree_.SetDeferredWrites(h_, true);
    for (int i = 0; i < 300; ++i) Insert(Word(i % 97) + Word(i), (i * 7919) % 1000 + 1);
    EXPECT_EQ(tree_.Close(h_), 0);
    h_ = -1;
    EXPECT_EQ(ReadBytes(other), direct);
}

// A handle that only reads must not write its copy of the header back: a
// second handle (here another object, as another thread or program would
// have) splits pages meanwhile, and the reader's stale header would give
// the split pages away to the next allocation.
TEST_F(IndexTest, AReadingHandleLeavesTheHeaderAnotherHandleWrote)
{
    for (int i = 0; i < 19; ++i) Insert(Word(i), i + 1);   // one full leaf
    EXPECT_EQ(0, tree_.Close(h_));
    h_ = -1;

    BTREE reader;
    int16_t r = reader.Open(name_.c_str());
    ASSERT_GE(r, 0);
    std::string key = Key21("k05");
    EXPECT_EQ(reader.Seek(r, &key[0]), 6);

    BTREE writer;
    int16_t w = writer.Open(name_.c_str());
    ASSERT_GE(w, 0);
    for (int i = 19; i < 60; ++i) {
        std::string k = Key21(Word(i));
        ASSERT_EQ(0, writer.Insert(w, k.data(), i + 1, 0));
    }
    EXPECT_EQ(0, writer.Close(w));
    std::vector<unsigned char> written = ReadBytes(name_);
    ASSERT_GT(U32At(written, 12), 3u) << "the insertions split pages";

    EXPECT_EQ(0, reader.Close(r));
    std::vector<unsigned char> after = ReadBytes(name_);
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + kIndexHeaderSize, written.begin()));
    ExpectConsistent();

    // One more insertion allocates a page: it must be a new one, not a page
    // of the tree.
    h_ = tree_.Open(name_.c_str());
    ASSERT_GE(h_, 0);
    for (int i = 60; i < 80; ++i) Insert(Word(i), i + 1);
    for (int i = 0; i < 80; ++i) EXPECT_EQ(Seek(Word(i)), i + 1) << Word(i);
    EXPECT_EQ(0, tree_.Close(h_));
    h_ = -1;
    ExpectConsistent();
}

}  // namespace
