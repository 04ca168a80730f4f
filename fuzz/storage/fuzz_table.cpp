// Opens arbitrary bytes as a dictionary table and reads, positions, appends,
// writes and deletes records in it.
#include "fuzz_support.h"

#include "translator/storage/dbf.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/integrity_check.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallQuietPresenter();
    static const std::string name = FuzzFileName(".dbf");
    if (!WriteFuzzFile(name, data, size)) return 0;
    try {
        DBF table;
        if (table.Open(0, name.c_str()) != 0) return 0;
        uint32_t count = table.RecordCount();
        char image[kRecordImageSize];
        // Every record (at most 300), then a few out of range.
        for (uint32_t n = 1; n <= count && n <= 300; ++n) table.ReadRecord(image, static_cast<int32_t>(n));
        table.ReadRecord(image, 0);
        table.ReadRecord(image, static_cast<int32_t>(count) + 1);
        table.ReadRecord(image, -5);
        table.GoBottom();
        table.RecNo();
        table.GoTo(-3);
        table.Delete(static_cast<int32_t>(count / 2 + 1));
        table.Delete(static_cast<int32_t>(count) + 7);
        if (table.AppendBlank() == 0) {
            std::memset(image, 0, sizeof image);
            std::strcpy(image + kEnglishOffset, "fuzz");
            table.WriteRecord(image);
        }
        table.Close();
        DictionaryFiles files;
        files.table = name;
        files.english_index = name + ".none";
        files.spanish_index = name + ".none";
        CheckDictionary(files);
    } catch (const FuzzFatalStop&) {
    }
    return 0;
}
