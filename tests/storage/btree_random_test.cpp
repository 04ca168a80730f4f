// 100,000+ random insertions and deletions with many duplicate keys, applied
// to an index and to an in-memory multimap; the full walk, Seek and the
// integrity checker are compared at intervals and after re-opening.
#include "translator/storage/btree.h"
#include "translator/storage/integrity_check.h"

#include "storage_test_util.h"
#include "tests/support/recording_presenter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <set>

namespace {

typedef std::multiset<std::pair<std::string, int32_t>> EntrySet;

// The index's entries by a full walk, keys by CurrentKey.
EntrySet WalkEntries(BTREE& tree, int16_t h, std::vector<std::string>* keys_in_order)
{
    EntrySet entries;
    for (int32_t r = tree.First(h); r != 0; r = tree.Next(h)) {
        std::string key(21, '\0');
        tree.CurrentKey(h, &key[0]);
        entries.insert({key, r});
        keys_in_order->push_back(key);
    }
    return entries;
}

std::string RandomWord(std::mt19937& random, int distinct)
{
    // Few distinct words, some with bytes >= 0x80, of varied length.
    int n = static_cast<int>(random() % distinct);
    std::string word;
    word += static_cast<char>('a' + n % 26);
    if (n % 3 == 0) word += static_cast<char>(0xA0 + n % 5);   // an OEM accented letter
    word += std::to_string(n);
    if (n % 7 == 0) word.append(12, 'z');
    return word;
}

TEST(IndexRandomTest, MatchesAMultimapThroughManyInsertsAndDeletes)
{
    ScopedRecordingPresenter presenter;
    TempFolder folder;
    std::string name = folder.File("random.mgm");
    BTREE tree;
    int16_t h = tree.Create(name.c_str(), 21);
    ASSERT_GE(h, 0);

    std::mt19937 random(20261208);
    EntrySet model;
    std::vector<std::pair<std::string, int32_t>> present;   // for picking deletions
    const int kOperations = 110000;
    const int kCheckEvery = 10000;
    int deletes_done = 0;
    for (int op = 1; op <= kOperations; ++op) {
        // Grow to a few thousand entries, then hover around that size,
        // with a phase that empties the index completely.
        bool shrink_phase = op > 60000 && op < 70000;
        bool do_insert = present.empty() || (!shrink_phase && random() % 100 < (present.size() < 3000 ? 65u : 48u));
        if (do_insert) {
            std::string key = Key21(RandomWord(random, 400));
            int32_t record = static_cast<int32_t>(random() % 20000 + 1);
            ASSERT_EQ(0, tree.Insert(h, key.data(), record, 0));
            model.insert({key, record});
            present.push_back({key, record});
        } else {
            size_t pick = random() % present.size();
            std::pair<std::string, int32_t> entry = present[pick];
            present[pick] = present.back();
            present.pop_back();
            // Now and then: the order before, to check where the cursor
            // stands after the deletion.
            std::vector<std::pair<std::string, int32_t>> order;
            if (op % 250 == 0) {
                for (int32_t r = tree.First(h); r != 0; r = tree.Next(h)) {
                    std::string key(21, '\0');
                    tree.CurrentKey(h, &key[0]);
                    order.push_back({key, r});
                }
            }
            ASSERT_EQ(0, tree.Delete(h, entry.first.data(), entry.second));
            model.erase(model.find(entry));
            ++deletes_done;
            if (!order.empty()) {
                // Next gives the entry that followed the deleted one (or,
                // when its successor took its place in an internal page,
                // the entry after that successor).
                size_t at = 0;
                while (order[at] != entry) ++at;
                int32_t next = tree.Next(h);
                int32_t following = at + 1 < order.size() ? order[at + 1].second : 0;
                int32_t after_that = at + 2 < order.size() ? order[at + 2].second : 0;
                EXPECT_TRUE(next == following || next == after_that)
                    << "op " << op << ": Next gave " << next << ", expected " << following << " or " << after_that;
            }
        }
        if (op % 997 == 0) {
            // Deleting an absent pair changes nothing.
            std::string key = Key21("absent");
            ASSERT_EQ(0, tree.Delete(h, key.data(), 5));
            // Seek finds some entry of a present key, the first in key order.
            if (!present.empty()) {
                const std::pair<std::string, int32_t>& some = present[random() % present.size()];
                std::string search = some.first;
                int32_t r = tree.Seek(h, &search[0]);
                EXPECT_GE(model.count({some.first, r}), 1u)
                    << "Seek returned a record not under that key";
            }
        }
        if (op % kCheckEvery == 0 || op == kOperations || (shrink_phase && present.empty())) {
            std::vector<std::string> keys;
            EntrySet walked = WalkEntries(tree, h, &keys);
            ASSERT_EQ(walked, model) << "after operation " << op;
            for (size_t i = 1; i < keys.size(); ++i)
                ASSERT_LE(CompareIndexKeys(keys[i - 1].data(), keys[i].data(), 21), 0);
            // Close (the header goes to the file), check, and re-open.
            ASSERT_EQ(0, tree.Close(h));
            IndexCheckResult check = CheckIndexFile(name);
            ASSERT_TRUE(check.faults.empty()) << "after operation " << op << ": " << check.faults[0];
            ASSERT_EQ(check.entries.size(), model.size());
            h = tree.Open(name.c_str());
            ASSERT_GE(h, 0);
            keys.clear();
            ASSERT_EQ(WalkEntries(tree, h, &keys), model) << "after re-opening at " << op;
        }
    }
    EXPECT_GT(deletes_done, 40000);
    EXPECT_TRUE(presenter->Messages().empty());
    ASSERT_EQ(0, tree.Close(h));
}

}  // namespace
