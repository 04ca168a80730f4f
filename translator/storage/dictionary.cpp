// The dictionary operations on the table and both indexes: reading a
// record, adding and deleting a word pair, creating an empty dictionary.
#include "translator/storage/dictionary.h"

#include "translator/app/messages.h"
#include "translator/storage/btree.h"
#include "translator/storage/dbf.h"
#include "translator/storage/dictionary_guard.h"
#include "translator/storage/raw_file.h"

#include <cstdio>
#include <cstring>

const char kRecordDeletedText[] = "Record deleted from Main Database";
const char kCannotDeleteText[] = "I can't delete that register";
const char kConfirmIndexCaption[] = "Question";
const char kConfirmIndexText[] = "Are you sure of the INDEX option?";

namespace {

// Copies text into a field of width bytes of the image and converts it to
// the stored form. The conversion stops at the field's end, so a word that
// fills its field is never converted together with the next field.
void PutField(char* image, int offset, int width, const char* text)
{
    int i = 0;
    for (; i < width && text && text[i]; ++i)
        image[offset + i] = static_cast<char>(ConvertDictionaryChar(static_cast<unsigned char>(text[i])));
    for (; i < width; ++i) image[offset + i] = 0;
}

// A zeroed record image holding the converted words and class code.
void BuildImage(char* image, const char* english, const char* spanish, const char* word_class)
{
    std::memset(image, 0, kRecordImageSize);
    PutField(image, kEnglishOffset, kWordFieldWidth, english);
    PutField(image, kSpanishOffset, kWordFieldWidth, spanish);
    PutField(image, kClassOffset, kClassLength, word_class);
}

}  // namespace

int16_t OpenDictionaryIndex(BTREE& index, const std::string& file_name)
{
    int16_t h = index.Open(file_name.c_str());
    if (h >= 0 && index.KeyLength(h) != kDictionaryKeyLength) {
        index.Close(h);
        return -1;
    }
    return h;
}

int16_t FetchRecord(int32_t n, char* image, const DictionaryFiles& files)
{
    std::memset(image, 0, kRecordImageSize);
    DictionaryUse use;
    if (!use.Granted()) return -1;
    DBF table;
    if (table.Open(0, files.table.c_str()) != 0) {
        ShowErrorBox("Error Abriendo la Dbf");
        return -1;
    }
    int16_t result = table.ReadRecord(image, n);
    image[kRecordLength] = 0;
    table.Close();
    return result;
}

struct DictionaryWriter::Files {
    DictionaryUse use{DictionaryAccess::kWriting};
    DBF table;
    BTREE indexes;
    int16_t english = -1;
    int16_t spanish = -1;
};

DictionaryWriter::DictionaryWriter() : files_(nullptr) {}

DictionaryWriter::~DictionaryWriter()
{
    Close();
}

int16_t DictionaryWriter::Open(const DictionaryFiles& files)
{
    Close();
    files_ = new Files;
    if (!files_->use.Granted()) {
        Close();
        return -1;
    }
    if (files_->table.Open(0, files.table.c_str()) != 0) {
        ShowErrorBox("I can't open the Main Database File");
        Close();
        return -1;
    }
    files_->english = OpenDictionaryIndex(files_->indexes, files.english_index);
    if (files_->english < 0) {
        ShowErrorBox("Error Abriendo indice ingles");
        Close();
        return -1;
    }
    files_->spanish = OpenDictionaryIndex(files_->indexes, files.spanish_index);
    if (files_->spanish < 0) {
        ShowErrorBox("Error Abriendo indice Castellano");
        Close();
        return -1;
    }
    return 0;
}

int16_t DictionaryWriter::Add(const char* english, const char* spanish, const char* word_class, int32_t* record)
{
    if (!files_ || files_->spanish < 0) return -1;
    char image[kRecordImageSize];
    BuildImage(image, english, spanish, word_class);

    // The table first, then the indexes: a failure part-way leaves a record
    // that the Index command can key again.
    if (files_->table.AppendBlank() != 0) {
        ShowErrorBox("Error A\xF1" "adiendo registro nuevo en la Dbf");
        return -1;
    }
    int32_t n = files_->table.RecNo();
    if (files_->table.WriteRecord(image) != 0) {
        ShowErrorBox("Error Escribiendo registro nuevo en la Dbf");
        return -1;
    }
    char key[kDictionaryKeyLength];
    MakeDictionaryKey(image + kEnglishOffset, key);
    if (files_->indexes.Insert(files_->english, key, n, 0) != 0) {
        ShowErrorBox("Error Escribiendo indice ingles");
        return -1;
    }
    MakeDictionaryKey(image + kSpanishOffset, key);
    if (files_->indexes.Insert(files_->spanish, key, n, 0) != 0) {
        ShowErrorBox("Error Escribiendo indice castellano");
        return -1;
    }
    if (record) *record = n;
    return 0;
}

void DictionaryWriter::Close()
{
    if (!files_) return;
    if (files_->spanish >= 0) files_->indexes.Close(files_->spanish);
    if (files_->english >= 0) files_->indexes.Close(files_->english);
    files_->table.Close();
    delete files_;
    files_ = nullptr;
}

int16_t AddWordPair(const char* english, const char* spanish, const char* word_class,
                    const DictionaryFiles& files, int32_t* record)
{
    DictionaryWriter writer;
    if (writer.Open(files) != 0) return -1;
    int16_t result = writer.Add(english, spanish, word_class, record);
    writer.Close();
    return result;
}

DeleteResult DeleteWordPair(const char* english, const char* spanish, int32_t selected_record,
                            const DictionaryFiles& files)
{
    DictionaryUse use(DictionaryAccess::kWriting);
    if (!use.Granted()) return DeleteResult::kFailed;
    char image[kRecordImageSize];
    BuildImage(image, english, spanish, "");

    DBF table;
    if (table.Open(0, files.table.c_str()) != 0) {
        ShowErrorBox("I can't open the Main Database File");
        return DeleteResult::kFailed;
    }
    BTREE indexes;
    int16_t h = OpenDictionaryIndex(indexes, files.english_index);
    if (h < 0) {
        ShowErrorBox("I can't open the main Index, reindex please");
        return DeleteResult::kFailed;
    }

    char english_key[kDictionaryKeyLength];
    MakeDictionaryKey(image + kEnglishOffset, english_key);
    char search_key[kDictionaryKeyLength];
    std::memcpy(search_key, english_key, sizeof search_key);
    int32_t n = indexes.Seek(h, search_key);
    if (selected_record > 0) {
        // Walk the entries of this word only, up to the selected record.
        char key_at_cursor[kDictionaryKeyLength];
        const IndexHeader* header = indexes.Header(h);
        uint64_t steps_left = uint64_t(header->next_page) * uint64_t(header->max_items + 1);
        while (n != 0 && n != selected_record) {
            if (steps_left-- == 0) {   // more entries than the file can hold
                n = 0;
                break;
            }
            n = indexes.Next(h);
            std::memset(key_at_cursor, 0, sizeof key_at_cursor);
            indexes.CurrentKey(h, key_at_cursor);
            if (n != 0 && std::memcmp(key_at_cursor, english_key, sizeof english_key) != 0) n = 0;
        }
    }
    if (n <= 0) {
        indexes.Close(h);
        return DeleteResult::kNotFound;
    }

    // The Spanish key is the record's own Spanish word, so the entry removed
    // is the one the record was keyed with.
    char record_image[kRecordImageSize];
    std::memset(record_image, 0, sizeof record_image);
    char spanish_key[kDictionaryKeyLength];
    if (table.ReadRecord(record_image, n) == 0)
        MakeDictionaryKey(record_image + kSpanishOffset, spanish_key);
    else
        MakeDictionaryKey(image + kSpanishOffset, spanish_key);

    if (indexes.Delete(h, english_key, n) != 0) {
        ShowErrorBox("En el indice de ingles no se ha podido borrar");
        indexes.Close(h);
        return DeleteResult::kFailed;
    }
    indexes.Close(h);
    h = OpenDictionaryIndex(indexes, files.spanish_index);
    if (h < 0) {
        ShowErrorBox("I can't open the main Index, reindex please");
        return DeleteResult::kFailed;
    }
    if (indexes.Delete(h, spanish_key, n) != 0) {
        ShowErrorBox("En el indice de castellano no se ha podido borrar");
        indexes.Close(h);
        return DeleteResult::kFailed;
    }
    indexes.Close(h);
    if (table.Delete(n) != 0) {
        ShowErrorBox("Something was wrong writing the register");
        return DeleteResult::kFailed;
    }
    table.Close();
    return DeleteResult::kDeleted;
}

void MakeEmptyTableHeader(unsigned char* header, int year, int month, int day)
{
    std::memset(header, 0, kDbfHeaderLength);
    header[0] = 0x03;
    header[1] = static_cast<unsigned char>((year - 1900) & 0xFF);
    header[2] = static_cast<unsigned char>(month);
    header[3] = static_cast<unsigned char>(day);
    header[8] = kDbfHeaderLength & 0xFF;
    header[9] = kDbfHeaderLength >> 8;
    header[10] = kRecordLength;
    struct Field {
        const char* name;
        int width;
    };
    const Field fields[3] = {{"ENGLISH", kWordFieldWidth}, {"SPANISH", kWordFieldWidth}, {"CLASS", kClassLength}};
    for (int i = 0; i < 3; ++i) {
        unsigned char* d = header + 32 + 32 * i;
        std::memcpy(d, fields[i].name, std::strlen(fields[i].name));
        d[11] = 'C';
        d[16] = static_cast<unsigned char>(fields[i].width);
    }
    header[128] = 0x0D;
}

int16_t CreateDictionary(const DictionaryFiles& files, int year, int month, int day)
{
    DictionaryRebuild guard;
    if (!guard.Granted()) return -1;
    unsigned char header[kDbfHeaderLength];
    MakeEmptyTableHeader(header, year, month, day);
    FILE* file = std::fopen(files.table.c_str(), "wb");
    bool written = file && std::fwrite(header, 1, sizeof header, file) == sizeof header;
    if (file && std::fclose(file) != 0) written = false;
    if (!written) {
        ShowErrorBox("I can't create the Main Database File");
        return -1;
    }
    BTREE indexes;
    const std::string* names[2] = {&files.english_index, &files.spanish_index};
    for (const std::string* name : names) {
        int16_t h = indexes.Create(name->c_str(), kDictionaryKeyLength);
        if (h < 0) {
            ShowErrorBox("I can't create the index " + *name);
            return -1;
        }
        indexes.Close(h);
    }
    return 0;
}
