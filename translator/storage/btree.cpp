// The index manager: opening and closing index files, page input/output,
// the key comparison and the read-only operations (Seek, Next, First,
// CurrentKey). Insertion and deletion are in btree_write.cpp.
#include "translator/storage/btree.h"

#include "translator/app/messages.h"
#include "translator/storage/btree_page.h"
#include "translator/storage/btree_slot.h"

#include <cstring>

const char kIndexFatalMessage[] = "Error with class DBF within struct BTREE";

void DecodeIndexHeader(const unsigned char* b, IndexHeader* h)
{
    h->root = IndexGetU32(b + 0);
    h->key_length = IndexGetS16(b + 4);
    h->max_items = IndexGetS16(b + 6);
    h->free_list = IndexGetU32(b + 8);
    h->next_page = IndexGetU32(b + 12);
    h->open_flag = IndexGetS16(b + 16);
    h->first_leaf = IndexGetU32(b + 20);
    h->last_leaf = IndexGetU32(b + 24);
}

void EncodeIndexHeader(const IndexHeader& h, unsigned char* b)
{
    std::memset(b, 0, kIndexHeaderSize);
    IndexPutU32(b + 0, h.root);
    IndexPutS16(b + 4, h.key_length);
    IndexPutS16(b + 6, h.max_items);
    IndexPutU32(b + 8, h.free_list);
    IndexPutU32(b + 12, h.next_page);
    IndexPutS16(b + 16, h.open_flag);
    IndexPutU32(b + 20, h.first_leaf);
    IndexPutU32(b + 24, h.last_leaf);
}

int CompareIndexKeys(const char* a, const char* b, int k)
{
    for (int i = 0; i < k; ++i) {
        int x = static_cast<signed char>(a[i]);
        int y = static_cast<signed char>(b[i]);
        if (x != y) return x - y;
    }
    return 0;
}

void BlankPadKey(char* key, int k)
{
    bool padding = false;
    for (int i = 1; i < k; ++i) {
        if (key[i] == 0) padding = true;
        if (padding) key[i] = ' ';
    }
}

BTREE::BTREE() : current_(0), last_created_(-1), pages_read_(0) {}

BTREE::~BTREE()
{
    for (int16_t h = 0; h < kIndexMaxHandles; ++h)
        if (slots_[h]) {
            try {
                Close(h);
            } catch (...) {
                // A failure while closing has been reported already; a
                // destructor cannot pass it on.
                if (slots_[h] && slots_[h]->file) std::fclose(slots_[h]->file);
                slots_[h].reset();
            }
        }
}

BTREE::Slot* BTREE::Use(int16_t h)
{
    if (h < 0 || h >= kIndexMaxHandles || !slots_[h]) return nullptr;
    current_ = h;
    slots_[h]->work_page = 0;
    return slots_[h].get();
}

void BTREE::Fail()
{
    ShowErrorBox(kIndexFatalMessage);
    FatalStop();
}

int16_t BTREE::Open(const char* file_name)
{
    int16_t h = 0;
    while (h < kIndexMaxHandles && slots_[h]) ++h;
    if (h == kIndexMaxHandles) return -1;

    FILE* file = std::fopen(file_name, "rb+");
    if (!file) return -1;
    unsigned char bytes[kIndexHeaderSize];
    IndexHeader header;
    bool sound = std::fread(bytes, 1, kIndexHeaderSize, file) == size_t(kIndexHeaderSize);
    if (sound) {
        DecodeIndexHeader(bytes, &header);
        // Refuse what no index of ours can hold: the header's numbers must
        // describe pages that are in the file.
        long size = -1;
        if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
        const IndexHeader& x = header;
        if (x.open_flag != 0) sound = false;
        if (x.key_length < kIndexMinKeyLength || x.key_length > kIndexMaxKeyLength) sound = false;
        else if (x.max_items != 492 / (x.key_length + 4)) sound = false;
        if (x.next_page < 1 || size < 0 || uint64_t(x.next_page) * kIndexPageSize > uint64_t(size)) sound = false;
        if (x.root >= x.next_page || x.free_list >= x.next_page || x.first_leaf >= x.next_page ||
            x.last_leaf >= x.next_page)
            sound = false;
        if ((x.root == 0) != (x.first_leaf == 0) || (x.root == 0) != (x.last_leaf == 0)) sound = false;
    }
    if (!sound) {
        std::fclose(file);
        return -1;
    }
    header.open_flag = 1;
    std::rewind(file);
    slots_[h].reset(new Slot);
    slots_[h]->file = file;
    slots_[h]->header = header;
    current_ = h;
    return h;
}

void BTREE::WriteDeferredPages(Slot* slot)
{
    for (size_t n = 1; n < slot->pending.size(); ++n) {
        const std::vector<unsigned char>& bytes = slot->pending[n];
        if (bytes.empty()) continue;
        if (std::fseek(slot->file, long(n) * kIndexPageSize, SEEK_SET) != 0) Fail();
        std::fwrite(bytes.data(), 1, kIndexPageSize, slot->file);
        if (std::ferror(slot->file)) Fail();
    }
    slot->pending.clear();
}

int16_t BTREE::Close(int16_t h)
{
    Slot* slot = Use(h);
    if (!slot) return -1;
    WriteDeferredPages(slot);
    slot->deferred = false;
    slot->header.open_flag = 0;
    bool failed = false;
    if (slot->header_changed) {
        unsigned char bytes[kIndexHeaderSize];
        EncodeIndexHeader(slot->header, bytes);
        failed = std::fseek(slot->file, 0, SEEK_SET) != 0;
        if (!failed) {
            std::fwrite(bytes, 1, kIndexHeaderSize, slot->file);
            failed = std::ferror(slot->file) != 0;
        }
    }
    if (std::fclose(slot->file) != 0) failed = true;
    slots_[h].reset();
    if (failed) Fail();
    return 0;
}

void BTREE::SetDeferredWrites(int16_t h, bool on)
{
    Slot* slot = Use(h);
    if (!slot) return;
    if (!on) WriteDeferredPages(slot);
    slot->deferred = on;
}

int16_t BTREE::KeyLength(int16_t h) const
{
    if (h < 0 || h >= kIndexMaxHandles || !slots_[h]) return 0;
    return slots_[h]->header.key_length;
}

const IndexHeader* BTREE::Header(int16_t h) const
{
    if (h < 0 || h >= kIndexMaxHandles || !slots_[h]) return nullptr;
    return &slots_[h]->header;
}

uint32_t BTREE::CursorPage(int16_t h) const
{
    if (h < 0 || h >= kIndexMaxHandles || !slots_[h]) return 0;
    return slots_[h]->cursor_page;
}

int16_t BTREE::CursorPosition(int16_t h) const
{
    if (h < 0 || h >= kIndexMaxHandles || !slots_[h]) return 0;
    return slots_[h]->cursor_position;
}

// Reads page n of the current handle. Page numbers outside the file, and
// pages whose count no page can hold, are failures like a failed read.
void BTREE::ReadPage(uint32_t n, IndexPage* page)
{
    Slot& slot = Current();
    if (n == 0 || n >= slot.header.next_page) Fail();
    page->Clear(n, slot.header.key_length);
    if (slot.deferred && n < slot.pending.size() && !slot.pending[n].empty()) {
        std::memcpy(page->bytes, slot.pending[n].data(), kIndexPageSize);
    } else if (n == slot.work_page) {
        std::memcpy(page->bytes, slot.work_bytes, kIndexPageSize);
    } else {
        if (std::fseek(slot.file, long(n) * kIndexPageSize, SEEK_SET) != 0) Fail();
        size_t got = std::fread(page->bytes, 1, kIndexPageSize, slot.file);
        if (got != size_t(kIndexPageSize) || std::ferror(slot.file)) Fail();
        ++pages_read_;
        slot.work_page = n;
        std::memcpy(slot.work_bytes, page->bytes, kIndexPageSize);
    }
    int count = page->Count();
    if (count < 0 || count > slot.header.max_items) Fail();
}

void BTREE::WritePage(const IndexPage& page)
{
    Slot& slot = Current();
    if (page.number == 0 || page.number >= slot.header.next_page) Fail();
    if (slot.deferred) {
        if (slot.pending.size() <= page.number) slot.pending.resize(page.number + 1);
        slot.pending[page.number].assign(page.bytes, page.bytes + kIndexPageSize);
        return;
    }
    if (std::fseek(slot.file, long(page.number) * kIndexPageSize, SEEK_SET) != 0) Fail();
    std::fwrite(page.bytes, 1, kIndexPageSize, slot.file);
    if (std::ferror(slot.file)) Fail();
    slot.work_page = page.number;
    std::memcpy(slot.work_bytes, page.bytes, kIndexPageSize);
}

// No walk through a sound tree takes more steps than it has entries.
uint64_t BTREE::StepLimit()
{
    const IndexHeader& h = Current().header;
    return uint64_t(h.next_page) * uint64_t(h.max_items + 1) + 2;
}

// The position of child in parent: the item q (1..count + 1) whose
// preceding pointer is child. A parent that does not know its child is a
// bad page.
int BTREE::ChildPosition(const IndexPage& parent, uint32_t child)
{
    for (int q = 1; q <= parent.Count() + 1; ++q)
        if (parent.PointerBefore(q) == child) return q;
    Fail();
}

void BTREE::ReadLeftmostLeaf(uint32_t n, IndexPage* leaf)
{
    for (int depth = 0;; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        ReadPage(n, leaf);
        if (leaf->IsLeaf()) break;
        n = leaf->First();
    }
    if (leaf->Count() < 1) Fail();
}

void BTREE::ReadRightmostLeaf(uint32_t n, IndexPage* leaf)
{
    for (int depth = 0;; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        ReadPage(n, leaf);
        if (leaf->IsLeaf()) break;
        n = leaf->Count() > 0 ? leaf->Value(leaf->Count()) : leaf->First();
    }
    if (leaf->Count() < 1) Fail();
}

// The entry before *loc in key order; false at the first entry.
bool BTREE::StepBack(Location* loc)
{
    IndexPage page;
    ReadPage(loc->page, &page);
    if (!page.IsLeaf()) {
        IndexPage leaf;
        ReadRightmostLeaf(page.PointerBefore(loc->item), &leaf);
        loc->page = leaf.number;
        loc->item = leaf.Count();
        return true;
    }
    if (loc->item > 1) {
        --loc->item;
        return true;
    }
    uint32_t child = page.number;
    for (int depth = 0;; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        uint32_t parent = page.Parent();
        if (parent == 0) return false;
        ReadPage(parent, &page);
        int q = ChildPosition(page, child);
        if (q > 1) {
            loc->page = parent;
            loc->item = q - 1;
            return true;
        }
        child = parent;
    }
}

// The entry after *loc in key order; false at the last entry.
bool BTREE::StepForward(Location* loc)
{
    IndexPage page;
    ReadPage(loc->page, &page);
    if (!page.IsLeaf()) {
        IndexPage leaf;
        ReadLeftmostLeaf(page.Value(loc->item), &leaf);
        loc->page = leaf.number;
        loc->item = 1;
        return true;
    }
    if (loc->item < page.Count()) {
        ++loc->item;
        return true;
    }
    uint32_t child = page.number;
    for (int depth = 0;; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        uint32_t parent = page.Parent();
        if (parent == 0) return false;
        ReadPage(parent, &page);
        int q = ChildPosition(page, child);
        if (q <= page.Count()) {
            loc->page = parent;
            loc->item = q;
            return true;
        }
        child = parent;
    }
}

int32_t BTREE::RecordAt(const Location& loc)
{
    IndexPage page;
    ReadPage(loc.page, &page);
    if (loc.item < 1 || loc.item > page.Count()) Fail();
    if (page.IsLeaf()) return static_cast<int32_t>(page.Value(loc.item));
    IndexPage leaf;
    ReadLeftmostLeaf(page.Value(loc.item), &leaf);
    return static_cast<int32_t>(leaf.First());
}

bool BTREE::KeyAtEquals(const Location& loc, const char* key)
{
    IndexPage page;
    ReadPage(loc.page, &page);
    if (loc.item < 1 || loc.item > page.Count()) Fail();
    return CompareIndexKeys(page.Key(loc.item), key, page.k) == 0;
}

// Descends from the root to key. Found: *loc is the first entry in key
// order with that key (in a leaf or an internal page). Not found: *loc is
// the insertion point in a leaf (item 1..count + 1).
bool BTREE::Descend(const char* key, Location* loc)
{
    IndexPage page;
    uint32_t n = Current().header.root;
    for (int depth = 0;; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        ReadPage(n, &page);
        int count = page.Count();
        int position = 1;
        int comparison = 1;
        while (position <= count) {
            comparison = CompareIndexKeys(key, page.Key(position), page.k);
            if (comparison <= 0) break;
            ++position;
        }
        if (position <= count && comparison == 0) {
            loc->page = n;
            loc->item = position;
            break;
        }
        if (page.IsLeaf()) {
            loc->page = n;
            loc->item = position;
            return false;
        }
        n = page.PointerBefore(position);
    }
    // Equal keys may precede the one found: go back to the first of them.
    uint64_t limit = StepLimit();
    for (uint64_t steps = 0;; ++steps) {
        if (steps > limit) Fail();
        Location previous = *loc;
        if (!StepBack(&previous) || !KeyAtEquals(previous, key)) break;
        *loc = previous;
    }
    return true;
}

int32_t BTREE::Seek(int16_t h, char* key)
{
    Slot* slot = Use(h);
    if (!slot) return 0;
    BlankPadKey(key, slot->header.key_length);
    if (slot->header.root == 0) return 0;

    Location loc;
    bool found = Descend(key, &loc);
    IndexPage page;
    ReadPage(loc.page, &page);
    int32_t record = 0;
    if (page.IsLeaf()) {
        if (loc.item > page.Count()) {
            slot->cursor_page = page.Next();
            slot->cursor_position = 0;
        } else {
            slot->cursor_page = loc.page;
            slot->cursor_position = static_cast<int16_t>(loc.item);
            record = static_cast<int32_t>(page.Value(loc.item));
        }
    } else {
        IndexPage leaf;
        ReadLeftmostLeaf(page.Value(loc.item), &leaf);
        slot->cursor_page = leaf.number;
        slot->cursor_position = 0;
        record = static_cast<int32_t>(leaf.First());
    }
    return found ? record : 0;
}

int32_t BTREE::First(int16_t h)
{
    Slot* slot = Use(h);
    if (!slot) return 0;
    if (slot->header.first_leaf == 0) return 0;
    IndexPage page;
    ReadPage(slot->header.first_leaf, &page);
    if (page.Count() < 1) Fail();
    slot->cursor_page = page.number;
    slot->cursor_position = 1;
    return static_cast<int32_t>(page.Value(1));
}

int32_t BTREE::Next(int16_t h)
{
    Slot* slot = Use(h);
    if (!slot) return 0;
    if (slot->cursor_page == 0) return First(h);
    IndexPage page;
    ReadPage(slot->cursor_page, &page);
    if (!page.IsLeaf()) Fail();
    if (slot->cursor_position >= page.Count()) {
        if (page.Next() == 0) return 0;
        // The next leaf must link back and continue the key order: a chain
        // that loops back is a bad page, not an endless walk.
        IndexPage next;
        ReadPage(page.Next(), &next);
        if (!next.IsLeaf() || next.Prev() != page.number) Fail();
        if (page.Count() > 0 && next.Count() > 0 &&
            CompareIndexKeys(page.Key(page.Count()), next.Key(1), page.k) > 0)
            Fail();
        page = next;
        slot->cursor_page = page.number;
        slot->cursor_position = 0;
        return static_cast<int32_t>(page.First());
    }
    ++slot->cursor_position;
    return static_cast<int32_t>(page.Value(slot->cursor_position));
}

void BTREE::CurrentKey(int16_t h, char* out)
{
    Slot* slot = Use(h);
    if (!slot || slot->cursor_page == 0) return;
    IndexPage page;
    ReadPage(slot->cursor_page, &page);
    int position = slot->cursor_position;
    if (position >= 1) {
        if (position <= page.Count()) std::memcpy(out, page.Key(position), page.k);
        return;
    }
    // Position 0: the separator in front of this leaf, in an ancestor.
    uint32_t child = page.number;
    for (int depth = 0;; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        uint32_t parent = page.Parent();
        if (parent == 0) return;   // the first leaf: nothing precedes it
        ReadPage(parent, &page);
        if (page.First() != child) {
            for (int i = 1; i <= page.Count(); ++i)
                if (page.Value(i) == child) {
                    std::memcpy(out, page.Key(i), page.k);
                    return;
                }
            Fail();
        }
        child = parent;
    }
}
