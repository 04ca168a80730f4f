// Internal to the index manager: one index page in memory and the
// accessors of its fields (layout in btree.h). Not for other layers.
#ifndef LEXON_STORAGE_BTREE_PAGE_H
#define LEXON_STORAGE_BTREE_PAGE_H

#include "translator/storage/btree.h"

#include <cstring>

inline uint32_t IndexGetU32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void IndexPutU32(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}
inline int16_t IndexGetS16(const unsigned char* p)
{
    return static_cast<int16_t>(uint16_t(p[0] | p[1] << 8));
}
inline void IndexPutS16(unsigned char* p, int16_t v)
{
    p[0] = static_cast<unsigned char>(uint16_t(v));
    p[1] = static_cast<unsigned char>(uint16_t(v) >> 8);
}

// A page of key length k in a work area with room for one item beyond M.
struct IndexPage {
    uint32_t number = 0;
    int k = 0;
    unsigned char bytes[kIndexWorkAreaSize];

    IndexPage() { std::memset(bytes, 0, sizeof bytes); }
    void Clear(uint32_t page_number, int key_length)
    {
        std::memset(bytes, 0, sizeof bytes);
        number = page_number;
        k = key_length;
    }

    int ItemSize() const { return k + 4; }
    int16_t Kind() const { return IndexGetS16(bytes); }
    void SetKind(int16_t v) { IndexPutS16(bytes, v); }
    bool IsLeaf() const { return Kind() == 0; }
    uint32_t Parent() const { return IndexGetU32(bytes + 4); }
    void SetParent(uint32_t v) { IndexPutU32(bytes + 4, v); }
    uint32_t Prev() const { return IndexGetU32(bytes + 8); }
    void SetPrev(uint32_t v) { IndexPutU32(bytes + 8, v); }
    uint32_t Next() const { return IndexGetU32(bytes + 12); }
    void SetNext(uint32_t v) { IndexPutU32(bytes + 12, v); }
    int Count() const { return IndexGetS16(bytes + 16); }
    void SetCount(int v) { IndexPutS16(bytes + 16, static_cast<int16_t>(v)); }
    uint32_t First() const { return IndexGetU32(bytes + 20); }
    void SetFirst(uint32_t v) { IndexPutU32(bytes + 20, v); }

    // Items are numbered from 1.
    unsigned char* Item(int i) { return bytes + kIndexPageHeaderSize + (i - 1) * ItemSize(); }
    const unsigned char* Item(int i) const { return bytes + kIndexPageHeaderSize + (i - 1) * ItemSize(); }
    const char* Key(int i) const { return reinterpret_cast<const char*>(Item(i)); }
    void SetKey(int i, const char* key) { std::memcpy(Item(i), key, k); }
    uint32_t Value(int i) const { return IndexGetU32(Item(i) + k); }
    void SetValue(int i, uint32_t v) { IndexPutU32(Item(i) + k, v); }
    void SetItem(int i, const char* key, uint32_t v) { SetKey(i, key); SetValue(i, v); }
    void CopyItem(int to, const IndexPage& from, int i) { std::memcpy(Item(to), from.Item(i), ItemSize()); }
    void ZeroItems(int from, int to)
    {
        if (to >= from) std::memset(Item(from), 0, static_cast<size_t>(to - from + 1) * ItemSize());
    }
    // The child pointer in front of item i (the first pointer for item 1).
    uint32_t PointerBefore(int i) const { return i <= 1 ? First() : Value(i - 1); }
};

#endif
