// Opens arbitrary bytes as an index file and runs seeks, walks, inserts and
// deletes on it, then the integrity checker. Impossible files must be
// refused or end in the fatal stop, never overrun or hang.
#include "fuzz_support.h"

#include "translator/storage/btree.h"
#include "translator/storage/integrity_check.h"

#include <cstring>

namespace {

// A key of the index's length made from the input's bytes.
std::string KeyFrom(const uint8_t* data, size_t size, size_t at, int k)
{
    std::string key(static_cast<size_t>(k), ' ');
    if (size > 0)
        for (int i = 0; i < k && i < 6; ++i) key[i] = static_cast<char>(data[(at + i) % size]);
    if (size > 0 && data[at % size] % 3 == 0) key[1] = 0;   // a short word, padded below
    return key;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallQuietPresenter();
    static const std::string name = FuzzFileName(".mgm");
    if (!WriteFuzzFile(name, data, size)) return 0;
    CheckIndexFile(name);
    try {
        BTREE tree;
        int16_t h = tree.Open(name.c_str());
        if (h < 0) return 0;
        int k = tree.KeyLength(h);
        // Half of the inputs keep their pages in memory until Close, as the
        // rebuild does; the others write every page at once.
        if (size > 0 && (data[size - 1] & 1)) tree.SetDeferredWrites(h, true);
        for (int walk = 0, r = tree.First(h); r != 0 && walk < 2000; ++walk) r = tree.Next(h);
        for (size_t i = 0; i < 8; ++i) {
            std::string key = KeyFrom(data, size, i * 7 + 13, k);
            tree.Seek(h, &key[0]);
            char current[kIndexMaxKeyLength];
            tree.CurrentKey(h, current);
            tree.Next(h);
        }
        for (size_t i = 0; i < 24; ++i) {
            std::string key = KeyFrom(data, size, i * 5 + 3, k);
            BlankPadKey(&key[0], k);
            tree.Insert(h, key.data(), static_cast<int32_t>(i + 1), static_cast<int16_t>(i % 5 == 0));
        }
        for (size_t i = 0; i < 24; i += 2) {
            std::string key = KeyFrom(data, size, i * 5 + 3, k);
            BlankPadKey(&key[0], k);
            tree.Delete(h, key.data(), static_cast<int32_t>(i + 1));
        }
        for (int walk = 0, r = tree.First(h); r != 0 && walk < 2000; ++walk) r = tree.Next(h);
        tree.Close(h);
    } catch (const FuzzFatalStop&) {
    }
    return 0;
}
