// Integrity checks of an index file, and of the table with both indexes.
// Everything is read from the files directly and checked before use.
#include "translator/storage/integrity_check.h"

#include "translator/storage/btree.h"
#include "translator/storage/btree_page.h"
#include "translator/storage/dbf.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace {

const size_t kMaxFaults = 200;

bool ReadWholeFile(const std::string& name, std::vector<unsigned char>* bytes)
{
    FILE* file = std::fopen(name.c_str(), "rb");
    if (!file) return false;
    unsigned char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->insert(bytes->end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// A key as text for a message: the stored bytes shown in display form,
// trailing blanks dropped.
std::string KeyText(const std::string& key)
{
    std::string text;
    for (char c : key) text += c == 0 ? '?' : static_cast<char>(ConvertDictionaryChar(static_cast<unsigned char>(c)));
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return "\"" + text + "\"";
}

class IndexChecker {
public:
    IndexChecker(const std::vector<unsigned char>& bytes, IndexCheckResult* result)
        : bytes_(bytes), result_(result) {}

    void Run();

private:
    enum PageState { kUnseen, kInTree, kFree };

    void Fault(const std::string& text)
    {
        if (result_->faults.size() < kMaxFaults) result_->faults.push_back(text);
    }
    void Fault(const char* format, unsigned long a, unsigned long b = 0, unsigned long c = 0)
    {
        char text[200];
        std::snprintf(text, sizeof text, format, a, b, c);
        Fault(std::string(text));
    }
    bool LoadPage(uint32_t n, IndexPage* page)
    {
        if (n == 0 || n >= header_.next_page || uint64_t(n + 1) * kIndexPageSize > bytes_.size()) return false;
        page->Clear(n, header_.key_length);
        std::memcpy(page->bytes, bytes_.data() + size_t(n) * kIndexPageSize, kIndexPageSize);
        return true;
    }
    void CheckFreeList();
    void Visit(uint32_t n, uint32_t parent, int depth);

    const std::vector<unsigned char>& bytes_;
    IndexCheckResult* result_;
    IndexHeader header_;
    std::vector<unsigned char> state_;
    std::vector<std::vector<uint32_t>> levels_;
    int leaf_depth_ = -1;
    bool separator_pending_ = false;
    bool first_leaf_seen_ = false;
};

void IndexChecker::Run()
{
    if (bytes_.size() < size_t(kIndexPageSize)) {
        Fault("the file is shorter than its header page (%lu bytes)", bytes_.size());
        return;
    }
    DecodeIndexHeader(bytes_.data(), &header_);
    const IndexHeader& h = header_;
    result_->key_length = h.key_length;
    if (h.open_flag != 0) Fault("the header's open flag is %lu, not 0", uint16_t(h.open_flag));
    if (h.key_length < kIndexMinKeyLength || h.key_length > kIndexMaxKeyLength) {
        Fault("impossible key length %lu", uint16_t(h.key_length));
        return;
    }
    if (h.max_items != 492 / (h.key_length + 4)) {
        Fault("max items per page is %lu, not %lu", uint16_t(h.max_items), 492 / (h.key_length + 4));
        return;
    }
    uint64_t pages_in_file = bytes_.size() / kIndexPageSize;
    if (h.next_page < 1 || h.next_page > pages_in_file) {
        Fault("next page number %lu, but the file holds %lu pages", h.next_page, pages_in_file);
        return;
    }
    if (bytes_.size() % kIndexPageSize != 0) Fault("the file size %lu is not a whole number of pages", bytes_.size());
    for (size_t i = kIndexHeaderSize; i < size_t(kIndexPageSize); ++i)
        if (bytes_[i] != 0) {
            Fault("header page byte %lu is not zero", i);
            break;
        }
    if (h.root >= h.next_page) Fault("root page %lu is past the next page number %lu", h.root, h.next_page);
    if (h.first_leaf >= h.next_page || h.last_leaf >= h.next_page)
        Fault("first or last leaf (%lu, %lu) past the next page number", h.first_leaf, h.last_leaf);
    if ((h.root == 0) != (h.first_leaf == 0) || (h.root == 0) != (h.last_leaf == 0))
        Fault("root %lu, first leaf %lu and last leaf %lu disagree about an empty index", h.root, h.first_leaf,
              h.last_leaf);
    state_.assign(h.next_page, kUnseen);

    CheckFreeList();
    if (h.root != 0 && h.root < h.next_page) Visit(h.root, 0, 0);

    result_->depth = static_cast<int>(levels_.size());
    for (size_t d = 0; d < levels_.size(); ++d) {
        const std::vector<uint32_t>& level = levels_[d];
        for (size_t i = 0; i < level.size(); ++i) {
            IndexPage page;
            LoadPage(level[i], &page);
            uint32_t expected_prev = i == 0 ? 0 : level[i - 1];
            uint32_t expected_next = i + 1 == level.size() ? 0 : level[i + 1];
            if (page.Prev() != expected_prev)
                Fault("page %lu: previous page %lu, expected %lu", page.number, page.Prev(), expected_prev);
            if (page.Next() != expected_next)
                Fault("page %lu: next page %lu, expected %lu", page.number, page.Next(), expected_next);
        }
    }
    if (!levels_.empty() && leaf_depth_ >= 0) {
        const std::vector<uint32_t>& leaves = levels_[leaf_depth_];
        if (!leaves.empty() && h.first_leaf != leaves.front())
            Fault("the header's first leaf is %lu, the tree's is %lu", h.first_leaf, leaves.front());
        if (!leaves.empty() && h.last_leaf != leaves.back())
            Fault("the header's last leaf is %lu, the tree's is %lu", h.last_leaf, leaves.back());
    }
    const std::vector<IndexEntry>& entries = result_->entries;
    for (size_t i = 1; i < entries.size(); ++i)
        if (CompareIndexKeys(entries[i - 1].key.data(), entries[i].key.data(), h.key_length) > 0)
            Fault("key order: " + KeyText(entries[i - 1].key) + " before " + KeyText(entries[i].key));
    for (const IndexEntry& entry : entries)
        if (entry.record <= 0) Fault("key " + KeyText(entry.key) + " has record number " + std::to_string(entry.record));
    for (uint32_t n = 1; n < h.next_page; ++n) {
        if (state_[n] == kUnseen) Fault("page %lu is neither in the tree nor on the free list", n);
        if (state_[n] == kInTree) ++result_->pages_in_tree;
        if (state_[n] == kFree) ++result_->free_pages;
    }
}

void IndexChecker::CheckFreeList()
{
    uint32_t n = header_.free_list;
    while (n != 0) {
        if (n >= header_.next_page) {
            Fault("free list: page %lu is past the next page number", n);
            return;
        }
        if (state_[n] != kUnseen) {
            Fault("free list: page %lu appears twice (a loop)", n);
            return;
        }
        state_[n] = kFree;
        IndexPage page;
        if (!LoadPage(n, &page)) return;
        if (page.Kind() != 0 || page.Count() != 0) Fault("free page %lu is not empty", n);
        n = page.Parent();
    }
}

void IndexChecker::Visit(uint32_t n, uint32_t parent, int depth)
{
    if (depth > kIndexMaxDepth) {
        Fault("page %lu: the tree is deeper than %lu levels", n, kIndexMaxDepth);
        return;
    }
    if (n == 0 || n >= header_.next_page) {
        Fault("page %lu (child of %lu) is outside the file", n, parent);
        return;
    }
    if (state_[n] == kFree) {
        Fault("page %lu is both in the tree and on the free list", n);
        return;
    }
    if (state_[n] == kInTree) {
        Fault("page %lu is reached twice in the tree", n);
        return;
    }
    state_[n] = kInTree;
    IndexPage page;
    if (!LoadPage(n, &page)) return;
    if (levels_.size() <= size_t(depth)) levels_.resize(depth + 1);
    levels_[depth].push_back(n);

    int count = page.Count();
    if (count < 0 || count > header_.max_items) {
        Fault("page %lu: impossible item count %lu", n, uint16_t(count));
        return;
    }
    if (count == 0) Fault("page %lu holds no items", n);
    if (page.Parent() != parent) Fault("page %lu names parent %lu, but its parent is %lu", n, page.Parent(), parent);
    if (IndexGetS16(page.bytes + 2) != 0 || IndexGetS16(page.bytes + 18) != 0)
        Fault("page %lu: reserved header fields are not zero", n);
    for (int i = kIndexPageHeaderSize + count * page.ItemSize(); i < kIndexPageSize; ++i)
        if (page.bytes[i] != 0) {
            Fault("page %lu: bytes after the items are not zero", n);
            break;
        }

    const int k = header_.key_length;
    if (page.IsLeaf()) {
        if (leaf_depth_ < 0) leaf_depth_ = depth;
        if (depth != leaf_depth_) Fault("leaf %lu is at depth %lu, other leaves at %lu", n, depth, leaf_depth_);
        if (!first_leaf_seen_) {
            if (page.First() != 0) Fault("the first leaf %lu has first pointer %lu, not 0", n, page.First());
            first_leaf_seen_ = true;
        } else if (separator_pending_) {
            result_->entries.back().record = static_cast<int32_t>(page.First());
            if (page.First() == 0) Fault("leaf %lu: first pointer 0, not the record number of its separator", n);
        }
        separator_pending_ = false;
        for (int i = 1; i <= count; ++i) {
            IndexEntry entry;
            entry.key.assign(page.Key(i), k);
            entry.record = static_cast<int32_t>(page.Value(i));
            result_->entries.push_back(entry);
        }
        return;
    }
    if (leaf_depth_ >= 0 && depth >= leaf_depth_) Fault("internal page %lu is at the depth of the leaves", n);
    for (int i = 0; i <= count; ++i) {
        Visit(page.PointerBefore(i + 1), n, depth + 1);
        if (i == count) break;
        // Re-read: the child visits used other pages.
        IndexEntry entry;
        entry.key.assign(page.Key(i + 1), k);
        entry.record = 0;   // the first pointer of the next leaf
        result_->entries.push_back(entry);
        separator_pending_ = true;
    }
}

}  // namespace

IndexCheckResult CheckIndexFile(const std::string& file_name)
{
    IndexCheckResult result;
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(file_name, &bytes)) {
        result.faults.push_back("cannot read the file");
        return result;
    }
    IndexChecker checker(bytes, &result);
    checker.Run();
    return result;
}

DictionaryCheckResult CheckDictionary(const DictionaryFiles& files)
{
    DictionaryCheckResult result;
    std::vector<unsigned char> table;
    if (!ReadWholeFile(files.table, &table)) {
        result.faults.push_back(files.table + ": cannot read the file");
        return result;
    }
    if (table.size() < size_t(kDbfHeaderLength)) {
        result.faults.push_back(files.table + ": the file is shorter than its header");
        return result;
    }
    uint32_t count = IndexGetU32(table.data() + 4);
    int header_length = table[8] | table[9] << 8;
    int record_length = table[10] | table[11] << 8;
    if (table[128] != 0x0D || header_length != kDbfHeaderLength || record_length != kRecordLength) {
        result.faults.push_back(files.table + ": not a dictionary table (descriptors, header or record length)");
        return result;
    }
    if (uint64_t(kDbfHeaderLength) + uint64_t(count) * kRecordLength > table.size()) {
        result.faults.push_back(files.table + ": the header counts " + std::to_string(count) +
                                " records, more than the file holds");
        return result;
    }
    if (table.size() != size_t(kDbfHeaderLength) + size_t(count) * kRecordLength)
        result.faults.push_back(files.table + ": " +
                                std::to_string(table.size() - kDbfHeaderLength - size_t(count) * kRecordLength) +
                                " bytes after the last record");
    result.records = count;

    // The expected keys: for each live record its two keys.
    std::vector<std::string> keys[2];
    std::vector<bool> live(count + 1, false);
    keys[0].resize(count + 1);
    keys[1].resize(count + 1);
    for (uint32_t r = 1; r <= count; ++r) {
        char image[kRecordImageSize];
        std::memset(image, 0, sizeof image);
        std::memcpy(image, table.data() + kDbfHeaderLength + size_t(r - 1) * kRecordLength, kRecordLength);
        ScrambleWordArea(image, kSpanishOffset);
        ScrambleWordArea(image, kEnglishOffset);
        if (IsDeletedRecord(image)) continue;
        live[r] = true;
        ++result.live_records;
        char key[kDictionaryKeyLength];
        MakeDictionaryKey(image + kEnglishOffset, key);
        keys[0][r].assign(key, kDictionaryKeyLength);
        MakeDictionaryKey(image + kSpanishOffset, key);
        keys[1][r].assign(key, kDictionaryKeyLength);
    }

    const std::string* index_names[2] = {&files.english_index, &files.spanish_index};
    for (int which = 0; which < 2; ++which) {
        const std::string& name = *index_names[which];
        IndexCheckResult index = CheckIndexFile(name);
        for (const std::string& fault : index.faults) result.faults.push_back(name + ": " + fault);
        if (index.key_length != kDictionaryKeyLength) {
            if (index.faults.empty()) result.faults.push_back(name + ": key length is not 21");
            continue;
        }
        std::vector<uint32_t> times_keyed(count + 1, 0);
        for (const IndexEntry& entry : index.entries) {
            if (result.faults.size() >= kMaxFaults) break;
            if (entry.record <= 0 || uint32_t(entry.record) > count) {
                result.faults.push_back(name + ": key " + KeyText(entry.key) + " names record " +
                                        std::to_string(entry.record) + ", outside the table's " +
                                        std::to_string(count) + " records");
                continue;
            }
            uint32_t r = static_cast<uint32_t>(entry.record);
            if (!live[r]) {
                result.faults.push_back(name + ": deleted record " + std::to_string(r) + " is keyed as " +
                                        KeyText(entry.key));
                continue;
            }
            ++times_keyed[r];
            if (entry.key != keys[which][r])
                result.faults.push_back(name + ": record " + std::to_string(r) + " is keyed as " +
                                        KeyText(entry.key) + " but its word is " + KeyText(keys[which][r]));
        }
        for (uint32_t r = 1; r <= count && result.faults.size() < kMaxFaults; ++r) {
            if (!live[r]) continue;
            if (times_keyed[r] == 0)
                result.faults.push_back(name + ": record " + std::to_string(r) + " (" + KeyText(keys[which][r]) +
                                        ") is not keyed");
            else if (times_keyed[r] > 1)
                result.faults.push_back(name + ": record " + std::to_string(r) + " is keyed " +
                                        std::to_string(times_keyed[r]) + " times");
        }
    }
    return result;
}
