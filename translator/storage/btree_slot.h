// Internal to the index manager: what BTREE keeps for one open index file.
#ifndef LEXON_STORAGE_BTREE_SLOT_H
#define LEXON_STORAGE_BTREE_SLOT_H

#include "translator/storage/btree.h"

#include <cstdio>
#include <vector>

struct BTREE::Slot {
    FILE* file = nullptr;          // "rb+" stream
    IndexHeader header;            // authoritative copy while open
    // Set when this handle changed the header (root, free list, next page,
    // first or last leaf). Only then does Close write it back: a handle
    // that only read must not put its copy over the header another handle
    // or program wrote meanwhile.
    bool header_changed = false;
    uint32_t cursor_page = 0;      // 0 = no cursor
    int16_t cursor_position = 0;
    bool deferred = false;         // pages held in `pending` until Close
    std::vector<std::vector<unsigned char>> pending;   // by page number
    // The last page read or written during the current operation, so that
    // one operation reads a page from the file only once in a row. Dropped
    // at the start of every operation: between operations the file is the
    // only copy.
    uint32_t work_page = 0;
    unsigned char work_bytes[kIndexPageSize];
};

inline BTREE::Slot& BTREE::Current()
{
    return *slots_[current_];
}

#endif
