// The index rebuild: both indexes made anew from the table.
#include "translator/app/messages.h"
#include "translator/storage/btree.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/dictionary_guard.h"

#include <cstring>
#include <vector>

int16_t RebuildIndex(const char* table_name, const char* index_name, int key_offset, char* buffer,
                     RebuildProgress* progress)
{
    NoRebuildProgress no_progress;
    if (!progress) progress = &no_progress;
    DBF table;
    BTREE indexes;
    char key[kDictionaryKeyLength + 1];
    std::memset(key, 0, sizeof key);

    int16_t h = indexes.Create(index_name, kDictionaryKeyLength);
    if (h < 0) return -1;
    // The new file is incomplete until its Close whatever happens, so its
    // pages are kept in memory and written at Close, in page order: the
    // bytes of the file are the same as with every page written at once.
    indexes.SetDeferredWrites(h, true);
    if (table.Open(0, table_name) != 0) {
        indexes.Close(h);
        return -1;
    }
    table.GoBottom();
    uint32_t count = table.RecordCount();
    progress->Start(count);

    table.GoTop();
    for (uint32_t i = 1; i <= count; ++i) {
        int32_t n = table.RecNo();
        if (table.ReadRecord(buffer, n) != 0) {
            indexes.Close(h);
            table.Close();
            progress->Finish();
            return -2;
        }
        if (!IsDeletedRecord(buffer)) {
            MakeDictionaryKey(buffer + key_offset, key);
            if (indexes.Insert(h, key, n, 0) != 0) {
                indexes.Close(h);
                table.Close();
                progress->Finish();
                return -2;
            }
        }
        progress->Update(static_cast<uint32_t>(n));
    }
    indexes.Close(h);
    table.Close();
    progress->Finish();
    return 0;
}

int Reindex(const DictionaryFiles& files, RebuildProgress* progress)
{
    DictionaryRebuild guard;
    if (!guard.Granted()) return 3;
    std::vector<char> buffer(kRecordImageSize, 0);
    if (RebuildIndex(files.table.c_str(), files.english_index.c_str(), kEnglishOffset, buffer.data(), progress) != 0) {
        ShowErrorBox("Error indexing English");
        return 1;
    }
    if (RebuildIndex(files.table.c_str(), files.spanish_index.c_str(), kSpanishOffset, buffer.data(), progress) != 0) {
        ShowErrorBox("Error indexing Spanish");
        return 2;
    }
    return 0;
}
