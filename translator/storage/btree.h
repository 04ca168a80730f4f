// BTREE: the index manager of the dictionary's index files (mixing.mgm,
// mixesp.mgm). An index maps a fixed-length key to a 32-bit record number of
// the table. One BTREE object has up to 20 index files open at once; each is
// addressed by its handle, the slot 0..19 returned by Open or Create.
//
// File format (all integers little-endian; a page is 512 bytes and page n
// lies at file offset n * 512):
//
// Page 0, the index file header (the other 484 bytes of page 0 are zero):
//   offset  size  meaning
//        0     4  root page; 0 = the index is empty
//        4     2  key length k, signed (21 for the dictionary)
//        6     2  max items M per page = 492 / (k + 4) (19 for k = 21)
//        8     4  first page of the free-page list; 0 = none
//       12     4  next page number never used so far (1 in a new index)
//       16     2  open flag: 0 in the file; 1 only in memory while open
//       18     2  zero
//       20     4  first leaf in key order; 0 when empty
//       24     4  last leaf in key order; 0 when empty
//
// Node pages 1, 2, ...:
//   offset  size       meaning
//        0     2       kind: 0 = leaf, nonzero = internal
//        2     2       zero
//        4     4       parent page; 0 for the root. On the free list: the
//                      next free page
//        8     4       previous page on the same level; 0 for the first
//       12     4       next page on the same level; 0 for the last
//       16     2       item count n, signed, 0 <= n <= M
//       18     2       zero
//       20     4       first pointer (below)
//       24 n*(k+4)     items 1..n: k key bytes, then a 4-byte value
//    after the items   zero
//
// Invariants of the tree:
//   - Every entry (key, record number) is stored exactly once, either as an
//     item of a leaf (value = record number) or as an item of an internal
//     page. An internal page with first pointer C0 and items (K1,C1)..(Kn,Cn)
//     orders its subtree as: subtree C0, K1, subtree C1, ..., Kn, subtree Cn.
//   - The record number of an entry in an internal page is the first pointer
//     of the leftmost leaf of its right subtree. So the first pointer of
//     every leaf except the index's first leaf is the record number of the
//     entry just before that leaf in key order; the first leaf's is 0.
//   - The pages of each level are chained in key order by previous/next;
//     the leaf chain runs from the header's first leaf to its last leaf.
//     Every page but the root names its parent; all leaves are at one depth.
//   - Entries with equal keys may occur and are adjacent in key order.
//   - Every page below the header's next page number is either in the tree
//     or on the free list; freed pages are reused before the file grows.
//
// Keys are compared over exactly k bytes, each byte taken as a signed 8-bit
// value, so bytes 0x80..0xFF (the stored accented letters) sort before
// blanks, digits and ASCII letters. Search keys are blank padded (see
// BlankPadKey).
//
// The index cursor of a handle is (page P, position p): p >= 1 designates
// item p of leaf P; p = 0 the entry just before leaf P in key order (a
// separator in an ancestor, whose record number is P's first pointer). Page 0
// means there is no cursor.
//
// The header copy in memory is authoritative while the file is open; Close
// writes it back when this handle changed it (a handle that only read
// leaves the header on file alone, so it cannot undo the header of another
// handle that wrote meanwhile). Pages written go to the file at once (but
// see SetDeferredWrites).
//
// Untrusted files: Open refuses a header with an impossible key length, item
// count, page number or file size. A page read from the file with an
// impossible kind, count or page number, a descent deeper than any real tree,
// and any page input/output failure is fatal: "Error with class DBF within
// struct BTREE" is shown and FatalStop() ends the program (the tests turn it
// into an exception).
//
// Not thread-safe: one object per thread.
#ifndef LEXON_STORAGE_BTREE_H
#define LEXON_STORAGE_BTREE_H

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

struct IndexPage;

const int kIndexPageSize = 512;
const int kIndexHeaderSize = 28;
const int kIndexPageHeaderSize = 24;
const int kIndexMaxHandles = 20;
const int kIndexMinKeyLength = 1;
const int kIndexMaxKeyLength = 119;   // keeps M >= 4
const int kIndexMaxDepth = 48;        // deeper than any tree a file can hold
const int kIndexWorkAreaSize = 1024;  // one page plus one overflowing item

extern const char kIndexFatalMessage[];   // "Error with class DBF within struct BTREE"

// The index file header (page 0), decoded.
struct IndexHeader {
    uint32_t root = 0;
    int16_t key_length = 0;
    int16_t max_items = 0;
    uint32_t free_list = 0;
    uint32_t next_page = 1;
    int16_t open_flag = 0;
    uint32_t first_leaf = 0;
    uint32_t last_leaf = 0;
};

void DecodeIndexHeader(const unsigned char* bytes, IndexHeader* header);
void EncodeIndexHeader(const IndexHeader& header, unsigned char* bytes);

// Signed byte-by-byte comparison of two k-byte keys: <0, 0, >0.
int CompareIndexKeys(const char* a, const char* b, int k);
// Blank padding: positions 1..k-1 from the first NUL found there on become
// blanks; position 0 is never changed.
void BlankPadKey(char* key, int k);

class BTREE {
public:
    BTREE();
    ~BTREE();   // closes every handle still open (writing a changed header)
    BTREE(const BTREE&) = delete;
    BTREE& operator=(const BTREE&) = delete;

    // Read side.
    int16_t Open(const char* file_name);
    int16_t Close(int16_t h);
    int32_t Seek(int16_t h, char* key);   // pads key in place (k bytes)
    int32_t Next(int16_t h);
    int32_t First(int16_t h);
    void CurrentKey(int16_t h, char* out);

    // Write side.
    int16_t Create(const char* file_name, int16_t key_length);
    int16_t Insert(int16_t h, const char* key, int32_t record, int16_t unique);
    int16_t Delete(int16_t h, const char* key, int32_t record);

    // Key length of an open handle (0 when h is not open).
    int16_t KeyLength(int16_t h) const;
    // The header copy of an open handle (null when h is not open).
    const IndexHeader* Header(int16_t h) const;
    // The cursor of a handle (page 0 = none).
    uint32_t CursorPage(int16_t h) const;
    int16_t CursorPosition(int16_t h) const;
    // Pages read from the file since the object was made (for benchmarks).
    uint64_t PagesRead() const { return pages_read_; }

    // With deferred writes on, written pages stay in memory until Close,
    // which writes them in page order before the header. Used by the index
    // rebuild, whose file is incomplete until its Close in any case; the
    // file's bytes after Close are the same either way.
    void SetDeferredWrites(int16_t h, bool on);

private:
    struct Slot;
    // An entry of the tree: item `item` (1..count) of page `page`, a leaf
    // or an internal page.
    struct Location {
        uint32_t page = 0;
        int item = 0;
    };

    Slot* Use(int16_t h);
    Slot& Current();
    void ReadPage(uint32_t n, IndexPage* page);
    void WritePage(const IndexPage& page);
    uint32_t AllocatePage();
    [[noreturn]] void Fail();
    uint64_t StepLimit();

    bool Descend(const char* key, Location* loc);
    bool StepBack(Location* loc);
    bool StepForward(Location* loc);
    void ReadLeftmostLeaf(uint32_t page, IndexPage* leaf);
    void ReadRightmostLeaf(uint32_t page, IndexPage* leaf);
    int32_t RecordAt(const Location& loc);
    bool KeyAtEquals(const Location& loc, const char* key);
    int ChildPosition(const IndexPage& parent, uint32_t child);
    void InsertItem(IndexPage* page, int position, const char* key, uint32_t value);
    void RemoveItem(IndexPage* page, int position);
    void Rotate(IndexPage* left, IndexPage* right);
    void Merge(IndexPage* left, IndexPage* right);
    void SetParent(uint32_t child, uint32_t parent);
    void WriteDeferredPages(Slot* slot);

    int16_t current_;
    std::unique_ptr<Slot> slots_[kIndexMaxHandles];
    int16_t last_created_;
    uint64_t pages_read_;
};

#endif
