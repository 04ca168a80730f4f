// The index manager's changes to an index file: Create, Insert and Delete,
// with the rotations between sibling pages, the splits, the merges and the
// free-page list. An overflowing page first passes entries to a sibling
// under the same parent and splits only when neither has room; an
// underflowing page merges with or borrows from a sibling under the same
// parent. Every entry is stored once, so an entry that moves into an
// internal page takes its record number along into the first pointer of the
// leftmost leaf of its right subtree.
#include "translator/storage/btree.h"

#include "translator/storage/btree_page.h"
#include "translator/storage/btree_slot.h"
#include "translator/storage/raw_file.h"

#include <cstring>

int16_t BTREE::Create(const char* file_name, int16_t key_length)
{
    if (key_length < kIndexMinKeyLength || key_length > kIndexMaxKeyLength) return -1;
    if (!RawRemove(file_name)) return -1;
    FILE* file = std::fopen(file_name, "wb");
    if (!file) return -1;
    unsigned char page0[kIndexPageSize];
    std::memset(page0, 0, sizeof page0);
    IndexHeader header;
    header.key_length = key_length;
    header.max_items = static_cast<int16_t>(492u / unsigned(key_length + 4));
    header.next_page = 1;
    EncodeIndexHeader(header, page0);
    bool written = std::fwrite(page0, 1, sizeof page0, file) == sizeof page0;
    if (std::fclose(file) != 0) written = false;
    if (!written) return -1;
    int16_t h = Open(file_name);
    if (h >= 0) last_created_ = h;
    return h;
}

// Takes the head of the free list, or a new page number at the end.
uint32_t BTREE::AllocatePage()
{
    IndexHeader& header = Current().header;
    Current().header_changed = true;
    if (header.free_list != 0) {
        IndexPage page;
        ReadPage(header.free_list, &page);
        // A page on the free list is empty; one that is not is in use, and
        // the list is broken.
        if (page.Count() != 0 || page.Kind() != 0) Fail();
        uint32_t n = header.free_list;
        header.free_list = page.Parent();
        return n;
    }
    if (header.next_page >= 0x7FFFFFFFu / kIndexPageSize) Fail();
    return header.next_page++;
}

void BTREE::SetParent(uint32_t child, uint32_t parent)
{
    IndexPage page;
    ReadPage(child, &page);
    page.SetParent(parent);
    WritePage(page);
}

void BTREE::InsertItem(IndexPage* page, int position, const char* key, uint32_t value)
{
    int count = page->Count();
    if (position < 1 || position > count + 1) Fail();
    if (position <= count)
        std::memmove(page->Item(position + 1), page->Item(position),
                     static_cast<size_t>(count - position + 1) * page->ItemSize());
    page->SetItem(position, key, value);
    page->SetCount(count + 1);
}

void BTREE::RemoveItem(IndexPage* page, int position)
{
    int count = page->Count();
    if (position < 1 || position > count) Fail();
    if (position < count)
        std::memmove(page->Item(position), page->Item(position + 1),
                     static_cast<size_t>(count - position) * page->ItemSize());
    page->ZeroItems(count, count);
    page->SetCount(count - 1);
}

// Evens out the entries of two sibling pages with the same parent: the left
// one ends with half of them (rounded down). Entries pass through the
// separator in the parent. Writes the parent; the caller writes both pages.
void BTREE::Rotate(IndexPage* left, IndexPage* right)
{
    Slot& slot = Current();
    int left_count = left->Count();
    int right_count = right->Count();
    int total = left_count + right_count;
    int new_left = total / 2;
    if (left_count == new_left) return;

    IndexPage parent;
    ReadPage(left->Parent(), &parent);
    int separator = ChildPosition(parent, left->number);
    if (separator > parent.Count()) Fail();

    uint32_t cursor_page = slot.cursor_page;
    int cursor_position = slot.cursor_position;

    if (left_count < new_left) {
        // Entries move left: the separator, then right's items 1..d-1; the
        // key of right's item d goes up.
        int d = new_left - left_count;
        left->SetItem(left_count + 1, parent.Key(separator), right->First());
        for (int i = 1; i <= d - 1; ++i) left->CopyItem(left_count + 1 + i, *right, i);
        parent.SetKey(separator, right->Key(d));
        right->SetFirst(right->Value(d));
        std::memmove(right->Item(1), right->Item(d + 1), static_cast<size_t>(right_count - d) * right->ItemSize());
        right->ZeroItems(right_count - d + 1, right_count);
        left->SetCount(new_left);
        right->SetCount(right_count - d);
        if (!left->IsLeaf())
            for (int i = left_count + 1; i <= new_left; ++i) SetParent(left->Value(i), left->number);
        if (cursor_page == right->number) {
            if (cursor_position == 0) {
                cursor_page = left->number;
                cursor_position = left_count + 1;
            } else if (cursor_position <= d - 1) {
                cursor_page = left->number;
                cursor_position = left_count + 1 + cursor_position;
            } else {
                cursor_position -= d;   // item d becomes position 0
            }
        }
    } else {
        // Entries move right: left's items new_left+2.. and the separator
        // go to the front of right; the key of left's item new_left+1 goes up.
        int d = left_count - new_left;
        std::memmove(right->Item(d + 1), right->Item(1), static_cast<size_t>(right_count) * right->ItemSize());
        for (int i = 1; i <= d - 1; ++i) right->CopyItem(i, *left, new_left + 1 + i);
        right->SetItem(d, parent.Key(separator), right->First());
        parent.SetKey(separator, left->Key(new_left + 1));
        right->SetFirst(left->Value(new_left + 1));
        left->ZeroItems(new_left + 1, left_count);
        left->SetCount(new_left);
        right->SetCount(right_count + d);
        if (!right->IsLeaf()) {
            SetParent(right->First(), right->number);
            for (int i = 1; i <= d - 1; ++i) SetParent(right->Value(i), right->number);
        }
        if (cursor_page == left->number && cursor_position > new_left) {
            cursor_page = right->number;
            cursor_position -= new_left + 1;
        } else if (cursor_page == right->number) {
            cursor_position += d;
        }
    }
    if (left->IsLeaf()) {
        slot.cursor_page = cursor_page;
        slot.cursor_position = static_cast<int16_t>(cursor_position);
    }
    WritePage(parent);
}

// Merges right into left (siblings with the same parent and together fewer
// than M entries): the separator comes down from the parent, right is freed.
// Writes left, right and the parent.
void BTREE::Merge(IndexPage* left, IndexPage* right)
{
    Slot& slot = Current();
    IndexHeader& header = slot.header;
    IndexPage parent;
    ReadPage(left->Parent(), &parent);
    int separator = ChildPosition(parent, left->number);
    if (separator > parent.Count()) Fail();
    int left_count = left->Count();
    int right_count = right->Count();
    if (left_count + right_count + 1 > header.max_items) Fail();

    left->SetItem(left_count + 1, parent.Key(separator), right->First());
    for (int i = 1; i <= right_count; ++i) left->CopyItem(left_count + 1 + i, *right, i);
    left->SetCount(left_count + right_count + 1);
    if (!left->IsLeaf())
        for (int i = left_count + 1; i <= left_count + right_count + 1; ++i) SetParent(left->Value(i), left->number);
    if (slot.cursor_page == right->number) {
        slot.cursor_page = left->number;
        slot.cursor_position = static_cast<int16_t>(slot.cursor_position + left_count + 1);
    }

    left->SetNext(right->Next());
    if (right->Next() != 0) {
        IndexPage next;
        ReadPage(right->Next(), &next);
        next.SetPrev(left->number);
        WritePage(next);
    }
    if (header.last_leaf == right->number) header.last_leaf = left->number;

    slot.header_changed = true;
    uint32_t freed = right->number;
    right->Clear(freed, header.key_length);
    right->SetParent(header.free_list);
    header.free_list = freed;

    RemoveItem(&parent, separator);
    if (parent.Count() == 0) left->SetParent(0);   // left is about to become the root

    WritePage(*left);
    WritePage(*right);
    WritePage(parent);
}

int16_t BTREE::Insert(int16_t h, const char* key, int32_t record, int16_t unique)
{
    Slot* slot = Use(h);
    if (!slot) return -1;
    IndexHeader& header = slot->header;
    const int k = header.key_length;
    const int max_items = header.max_items;
    char work_key[kIndexMaxKeyLength + 1];
    std::memcpy(work_key, key, k);
    uint32_t value = static_cast<uint32_t>(record);
    uint32_t left_page = 0;
    uint32_t new_root = 0;
    const bool was_empty = header.root == 0;

    if (!was_empty) {
        Location loc;
        bool found = Descend(work_key, &loc);
        if (found && unique != 0) return -1;
        IndexPage page;
        ReadPage(loc.page, &page);
        int position = loc.item;
        if (!page.IsLeaf()) {
            // The first equal entry is a separator: the new entry goes
            // directly behind it, at item 1 of its right subtree's leftmost
            // leaf.
            IndexPage leaf;
            ReadLeftmostLeaf(page.Value(loc.item), &leaf);
            page = leaf;
            position = 1;
        }

        for (int depth = 0;; ++depth) {
            if (depth > kIndexMaxDepth) Fail();
            InsertItem(&page, position, work_key, value);
            if (page.IsLeaf()) {
                slot->cursor_page = page.number;
                slot->cursor_position = static_cast<int16_t>(position);
            }
            if (page.Count() <= max_items) {
                WritePage(page);
                return 0;
            }

            // Overflow: pass entries to a sibling under the same parent.
            if (page.Prev() != 0) {
                IndexPage previous;
                ReadPage(page.Prev(), &previous);
                if (previous.Count() < max_items && previous.Parent() == page.Parent()) {
                    Rotate(&previous, &page);
                    WritePage(previous);
                    WritePage(page);
                    return 0;
                }
            }
            if (page.Next() != 0) {
                IndexPage next;
                ReadPage(page.Next(), &next);
                if (next.Count() < max_items && next.Parent() == page.Parent()) {
                    Rotate(&page, &next);
                    WritePage(page);
                    WritePage(next);
                    return 0;
                }
            }

            // Split: this page keeps items 1..c, item c+1 goes up, a new
            // page R takes the rest.
            IndexPage right;
            right.Clear(AllocatePage(), k);
            const int c = (max_items + 1) / 2;
            std::memcpy(work_key, page.Key(c + 1), k);
            right.SetFirst(page.Value(c + 1));
            value = right.number;
            for (int i = c + 2; i <= max_items + 1; ++i) right.CopyItem(i - c - 1, page, i);
            right.SetCount(max_items - c);
            right.SetKind(page.Kind());
            right.SetNext(page.Next());
            right.SetPrev(page.number);
            page.SetNext(right.number);
            page.ZeroItems(c + 1, max_items + 1);
            page.SetCount(c);
            if (header.last_leaf == page.number) {
                header.last_leaf = right.number;
                slot->header_changed = true;
            }
            if (slot->cursor_page == page.number && slot->cursor_position > c) {
                slot->cursor_page = right.number;
                slot->cursor_position = static_cast<int16_t>(slot->cursor_position - (c + 1));
            }

            const uint32_t parent = page.Parent();
            if (parent == 0) {
                new_root = AllocatePage();
                page.SetParent(new_root);
                right.SetParent(new_root);
            } else {
                right.SetParent(parent);
            }
            WritePage(right);
            if (right.Next() != 0) {
                IndexPage next;
                ReadPage(right.Next(), &next);
                next.SetPrev(right.number);
                WritePage(next);
            }
            if (!right.IsLeaf()) {
                SetParent(right.First(), right.number);
                for (int i = 1; i <= right.Count(); ++i) SetParent(right.Value(i), right.number);
            }
            WritePage(page);

            if (parent == 0) {
                left_page = page.number;
                break;
            }
            uint32_t child = page.number;
            ReadPage(parent, &page);
            position = ChildPosition(page, child);
        }
    }

    // A new root: the first page of an empty index, or the page above a
    // split root.
    if (new_root == 0) new_root = AllocatePage();
    IndexPage root;
    root.Clear(new_root, k);
    root.SetKind(was_empty ? 0 : 1);
    root.SetCount(1);
    root.SetFirst(left_page);
    root.SetItem(1, work_key, value);
    header.root = new_root;
    slot->header_changed = true;
    if (was_empty) {
        header.first_leaf = new_root;
        header.last_leaf = new_root;
        slot->cursor_page = new_root;
        slot->cursor_position = 1;
    }
    WritePage(root);
    return 0;
}

int16_t BTREE::Delete(int16_t h, const char* key, int32_t record)
{
    Slot* slot = Use(h);
    if (!slot) return -1;
    IndexHeader& header = slot->header;
    if (header.root == 0) return 0;
    const int k = header.key_length;
    const int max_items = header.max_items;
    char work_key[kIndexMaxKeyLength + 1];
    std::memcpy(work_key, key, k);

    Location loc;
    if (!Descend(work_key, &loc)) return 0;
    uint64_t limit = StepLimit();
    for (uint64_t steps = 0; RecordAt(loc) != record; ++steps) {
        if (steps > limit) Fail();
        if (!StepForward(&loc) || !KeyAtEquals(loc, work_key)) return 0;
    }

    IndexPage page;
    ReadPage(loc.page, &page);
    int position = loc.item;
    if (!page.IsLeaf()) {
        // Replace the entry by its successor, the first entry of the
        // leftmost leaf of its right subtree.
        IndexPage leaf;
        ReadLeftmostLeaf(page.Value(position), &leaf);
        page.SetKey(position, leaf.Key(1));
        WritePage(page);
        leaf.SetFirst(leaf.Value(1));
        page = leaf;
        position = 1;
    }
    slot->cursor_page = page.number;
    slot->cursor_position = static_cast<int16_t>(position - 1);
    RemoveItem(&page, position);

    for (int depth = 0; page.Count() <= max_items / 2 && page.number != header.root; ++depth) {
        if (depth > kIndexMaxDepth) Fail();
        const uint32_t parent = page.Parent();
        if (page.Next() != 0) {
            IndexPage next;
            ReadPage(page.Next(), &next);
            if (next.Parent() == parent && page.Count() + next.Count() < max_items) {
                Merge(&page, &next);
                ReadPage(parent, &page);
                continue;
            }
        }
        if (page.Prev() != 0) {
            IndexPage previous;
            ReadPage(page.Prev(), &previous);
            if (previous.Parent() == parent) {
                if (previous.Count() + page.Count() >= max_items) {
                    Rotate(&previous, &page);
                    WritePage(previous);
                    WritePage(page);
                    return 0;
                }
                Merge(&previous, &page);
                ReadPage(parent, &page);
                continue;
            }
        }
        if (page.Next() == 0) Fail();   // a page without a sibling is not in a sound tree
        IndexPage next;
        ReadPage(page.Next(), &next);
        if (next.Parent() != parent) Fail();
        Rotate(&page, &next);
        WritePage(page);
        WritePage(next);
        return 0;
    }

    if (page.Count() == 0 && page.number == header.root) {
        slot->header_changed = true;
        header.root = page.First();
        page.SetKind(0);
        page.SetFirst(0);
        page.SetParent(header.free_list);
        header.free_list = page.number;
        if (header.root == 0) {
            header.first_leaf = 0;
            header.last_leaf = 0;
        }
    }
    WritePage(page);
    return 0;
}
