// Integrity checks of the dictionary files. They read the files directly,
// trusting nothing in them, and never stop the program: every fault found is
// described in a line of text.
//
// CheckIndexFile walks an index file (format in btree.h) and checks: the
// header (key length, max items, page numbers within the file, open flag),
// every page's kind, counts and zero fields, key order within and across
// pages, parent links, the previous/next chain of every level, that all
// leaves are at one depth, the leaf chain from the header's first to last
// leaf, the first-pointer rule (0 in the first leaf, a record number > 0 in
// every other leaf), and the free list (no loops, no page both free and in
// the tree, every page below the next page number accounted for).
//
// CheckDictionary checks the table and both indexes together: every live
// record is keyed exactly once in each index under its key, and nothing else
// is keyed (no deleted record, no record number outside the table).
#ifndef LEXON_STORAGE_INTEGRITY_CHECK_H
#define LEXON_STORAGE_INTEGRITY_CHECK_H

#include "translator/storage/dictionary.h"

#include <cstdint>
#include <string>
#include <vector>

struct IndexEntry {
    std::string key;      // k bytes
    int32_t record = 0;
};

struct IndexCheckResult {
    std::vector<std::string> faults;     // empty = consistent
    std::vector<IndexEntry> entries;     // in key order, as far as readable
    int key_length = 0;
    uint32_t pages_in_tree = 0;
    uint32_t free_pages = 0;
    int depth = 0;
    bool Consistent() const { return faults.empty(); }
};

IndexCheckResult CheckIndexFile(const std::string& file_name);

struct DictionaryCheckResult {
    std::vector<std::string> faults;
    uint32_t records = 0;        // record count of the table
    uint32_t live_records = 0;
    bool Consistent() const { return faults.empty(); }
};

DictionaryCheckResult CheckDictionary(const DictionaryFiles& files);

#endif
