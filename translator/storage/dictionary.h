// The dictionary database: the table mixto.dbf (word pairs) and the two
// indexes mixing.mgm (English word -> record number) and mixesp.mgm
// (Spanish word -> record number), always used together and opened by bare
// name in the current folder (or in the folder given by DictionaryFiles).
//
// Dictionary record (record length 48; the table's three field descriptors
// declare character fields of widths 21, 21 and 5, in this order):
//
//   offset  size  meaning
//        0     1  deletion flag: '*' = deleted; blank or 0x00 = live
//        1    21  English word: 20 significant bytes, scrambled, then 0x00
//       22    21  Spanish word: the same form
//       43     5  grammatical class code, plain, blank or 0x00 padded
//
// In a record image in memory (kRecordImageSize bytes, zero-filled before
// use) after DBF::ReadRecord the words are plain NUL-terminated strings at
// offsets 1 and 22 and the class code is the 5 bytes at offset 43.
//
// Stored text form: words and class codes are stored after the dictionary
// text conversion (ConvertDictionaryText): the 11 accented lower-case
// letters of Windows-1252 are swapped with their OEM code page 850 codes
// (a-acute 225<->160, a-diaeresis 228<->132, e-acute 233<->130,
// e-diaeresis 235<->137, i-acute 237<->161, i-diaeresis 239<->139,
// n-tilde 241<->164, o-acute 243<->162, o-diaeresis 246<->148,
// u-acute 250<->163, u-diaeresis 252<->129) and A-Z become a-z; every other
// byte stays. Being a swap, the same conversion turns stored text back into
// display text.
//
// Index keys: key length 21; the key of a record is its stored word, blank
// padded to 21 bytes and lowercased (A-Z), the value its record number.
// Duplicate keys are kept. Deleted records have no index entries.
//
// Every operation here shows its failures with ShowErrorBox and holds the
// dictionary guard (dictionary_guard.h) while it has files open: the ones
// that change the files (AddWordPair, DeleteWordPair, DictionaryWriter) a
// writing use.
#ifndef LEXON_STORAGE_DICTIONARY_H
#define LEXON_STORAGE_DICTIONARY_H

#include "translator/storage/rebuild_progress.h"

#include <cstdint>
#include <string>

const int kRecordLength = 48;
const int kRecordImageSize = 300;
const int kDeletedFlagOffset = 0;
const int kEnglishOffset = 1;
const int kSpanishOffset = 22;
const int kClassOffset = 43;
const int kWordFieldWidth = 21;      // field width, terminator included
const int kMaxWordLength = 20;       // significant bytes of a word
const int kClassLength = 5;
const int kDictionaryKeyLength = 21;
const char kDeletedFlag = '*';

extern const char kTableFileName[];          // "mixto.dbf"
extern const char kEnglishIndexFileName[];   // "mixing.mgm"
extern const char kSpanishIndexFileName[];   // "mixesp.mgm"

// Where the three files are: bare names (the current folder) by default.
struct DictionaryFiles {
    std::string table = kTableFileName;
    std::string english_index = kEnglishIndexFileName;
    std::string spanish_index = kSpanishIndexFileName;

    // The three files in folder dir ("" = the current folder).
    static DictionaryFiles InFolder(const std::string& dir);
};

class BTREE;

// Opens a dictionary index (mixing.mgm or mixesp.mgm) in index. Every
// caller keeps keys in buffers sized for dictionary keys, so an index file
// whose header gives another key length (any from 1 to 119 passes
// BTREE::Open) is closed again and refused like a file that cannot be
// opened. The handle, or -1; nothing is shown here.
int16_t OpenDictionaryIndex(BTREE& index, const std::string& file_name);

// The dictionary text conversion, in place up to the terminating NUL.
void ConvertDictionaryText(char* text);
std::string ConvertDictionaryText(const std::string& text);
// One byte of the conversion.
unsigned char ConvertDictionaryChar(unsigned char c);

// The index key of a word: the word (stored form, up to its NUL and at most
// 21 bytes) NUL-filled to 21 bytes, blank padded and lowercased. key must
// hold kDictionaryKeyLength bytes; it is not terminated.
void MakeDictionaryKey(const char* word, char* key);

// True when the record image's deletion flag is '*'.
inline bool IsDeletedRecord(const char* image) { return image[kDeletedFlagOffset] == kDeletedFlag; }

// Reads record n of the table into image (kRecordImageSize bytes) and sets
// image[48] to NUL: the English word at offset 1, the Spanish word at offset
// 22 (stored form, NUL-terminated) and the class code at offset 43,
// terminated by byte 48. "Error Abriendo la Dbf" when the table cannot be
// opened. 0, or -1 (image then zero-filled).
int16_t FetchRecord(int32_t n, char* image, const DictionaryFiles& files = DictionaryFiles());

// Adds a word pair: appends the record (the words and class code in display
// form; they are converted here) and keys it in both indexes. 0, or -1
// after the message. The record number is stored in *record when given.
int16_t AddWordPair(const char* english, const char* spanish, const char* word_class,
                    const DictionaryFiles& files = DictionaryFiles(), int32_t* record = nullptr);

// The outcome of DeleteWordPair.
enum class DeleteResult {
    kDeleted,        // "Record deleted from Main Database"
    kNotFound,       // "I can't delete that register"
    kFailed          // a failure, already shown with ShowErrorBox
};
extern const char kRecordDeletedText[];     // "Record deleted from Main Database"
extern const char kCannotDeleteText[];      // "I can't delete that register"

// Deletes a word pair (words in display form, converted here): seeks the
// English word; when selected_record > 0, moves on with Next to that record
// number. Removes both index entries, then marks the record deleted.
DeleteResult DeleteWordPair(const char* english, const char* spanish, int32_t selected_record,
                            const DictionaryFiles& files = DictionaryFiles());

// Keeps the table and both indexes open for a run of additions (an import):
// each Add does what AddWordPair does, and the files end up byte for byte as
// after the same AddWordPair calls. Open and Close show their own messages.
class DictionaryWriter {
public:
    DictionaryWriter();
    ~DictionaryWriter();   // closes what is open
    DictionaryWriter(const DictionaryWriter&) = delete;
    DictionaryWriter& operator=(const DictionaryWriter&) = delete;
    int16_t Open(const DictionaryFiles& files);
    int16_t Add(const char* english, const char* spanish, const char* word_class, int32_t* record = nullptr);
    void Close();

private:
    struct Files;
    Files* files_;
};

// Creates an empty dictionary: the table (header with the given date,
// three character field descriptors ENGLISH 21, SPANISH 21, CLASS 5, no
// records) and two empty indexes of key length 21. Existing files are
// replaced. 0, or -1 after a message.
int16_t CreateDictionary(const DictionaryFiles& files, int year, int month, int day);
// The 130-byte header of an empty dictionary table for that date.
void MakeEmptyTableHeader(unsigned char* header130, int year, int month, int day);

// Rebuilds one index from the table: creates the index anew (key length 21)
// and keys every live record by the word at key_offset (kEnglishOffset or
// kSpanishOffset), in table order; buffer is a kRecordImageSize record
// image. 0; -1 when the index cannot be created or the table opened; -2
// when an insertion fails.
int16_t RebuildIndex(const char* table, const char* index, int key_offset, char* buffer,
                     RebuildProgress* progress);

// Rebuilds both indexes, the English one first. 0 both rebuilt; 1 the
// English rebuild failed ("Error indexing English"); 2 the Spanish one
// failed ("Error indexing Spanish"); 3 refused by the dictionary guard (a
// command is using the dictionary). progress is used for each rebuild in
// turn (Start ... Finish twice).
int Reindex(const DictionaryFiles& files, RebuildProgress* progress);

extern const char kConfirmIndexCaption[];   // "Question"
extern const char kConfirmIndexText[];      // "Are you sure of the INDEX option?"

#endif
