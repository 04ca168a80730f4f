// Where the translator finds its words: the index of the source language
// (a key to a record number) and the table the record is read from.
// IndexDictionarySource is the real one, over the dictionary files; tests
// and fuzz targets may give the translator another.
#ifndef LEXON_TRANSLATE_DICTIONARY_SOURCE_H
#define LEXON_TRANSLATE_DICTIONARY_SOURCE_H

#include "translator/storage/btree.h"
#include "translator/storage/dictionary.h"
#include "translator/storage/dictionary_guard.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

// Language codes.
const int kEnglish = 0;
const int kSpanish = 1;

class DictionarySource {
public:
    virtual ~DictionarySource() = default;
    // Record number of the first entry whose key equals key
    // (kDictionaryKeyLength bytes, stored form; blank padded here), or 0.
    virtual int32_t SeekKey(char* key) = 0;
    // Reads record n into image (kRecordImageSize bytes, zero-filled by the
    // caller): English word at offset 1, Spanish word at offset 22, both in
    // stored form. A table that cannot be read leaves image zero-filled.
    virtual void FetchRecordImage(int32_t record, char* image) = 0;
    // Called before every line: a source that keeps copies of what it read
    // checks here that the files have not changed since.
    virtual void Refresh() {}
};

// The index of one language kept open for a whole command, with the table
// opened around every record read. While it exists it holds a reading use of
// the dictionary guard, so neither the index rebuild nor an addition,
// modification or deletion can change the files under it.
//
// A long translation makes many lookups (a Spanish word that is not in the
// dictionary costs up to 162), so after kDirectSeeks searches in the file
// the source reads the index once, entry by entry in key order, into a map
// from key to the record number of the first entry with that key: exactly
// what Seek returns. Records read from the table are kept as well. The
// copies are only used while the files are unchanged: before a line,
// Refresh compares the size and modification time of both files with those
// seen when the copies were made and drops the copies when either changed.
// A file modified in the last two seconds is not trusted at all (its time
// stamp may not show a second change within the same second), so reads go
// to the files until it is older. The check is made before every line, but
// at most once per check interval (50 ms by default), which bounds how late
// a change made by another command during the translation is seen; with an
// interval of 0 the translation sees the files exactly as if it read them
// for every word.
class IndexDictionarySource : public DictionarySource {
public:
    explicit IndexDictionarySource(const DictionaryFiles& files);
    ~IndexDictionarySource() override;

    // Opens the index of language (kEnglish: mixing.mgm, kSpanish:
    // mixesp.mgm). False when it cannot be opened or is not a dictionary
    // index (nothing is shown here), or when the dictionary guard refuses
    // the reading use (the guard has shown why).
    bool Open(int language);

    int32_t SeekKey(char* key) override;
    void FetchRecordImage(int32_t record, char* image) override;
    void Refresh() override;

    // Searches in the file before the index is read into memory; a negative
    // value never reads it (every search goes to the file).
    void SetDirectSeeks(int count) { direct_seeks_left_ = count; }
    static const int kDirectSeeks = 256;
    // Milliseconds between two checks of the files (0 = before every line).
    void SetCheckInterval(int milliseconds) { check_interval_ms_ = milliseconds; }
    static const int kCheckIntervalMs = 50;

private:
    struct FileStamp {
        long long size = -1;
        long long modified = 0;
        long modified_nanoseconds = 0;
        bool operator==(const FileStamp& other) const
        {
            return size == other.size && modified == other.modified
                && modified_nanoseconds == other.modified_nanoseconds;
        }
    };
    static FileStamp StampOf(const std::string& path);
    static bool RecentlyModified(const FileStamp& stamp);
    void LoadKeys();
    void DropCopies();

    DictionaryFiles files_;
    std::string index_name_;
    std::unique_ptr<DictionaryUse> use_;
    BTREE index_;
    int16_t handle_ = -1;

    int direct_seeks_left_ = kDirectSeeks;
    bool keys_loaded_ = false;
    bool copies_trusted_ = false;   // for the current line
    int check_interval_ms_ = kCheckIntervalMs;
    std::chrono::steady_clock::time_point last_check_;
    std::unordered_map<std::string, int32_t> first_record_of_key_;
    std::unordered_map<int32_t, std::string> record_words_;   // image bytes 0..47
    FileStamp index_stamp_;
    FileStamp table_stamp_;
};

#endif
