#include "translator/translate/dictionary_source.h"

#include <sys/stat.h>
#include <sys/types.h>

#include <cstring>
#include <ctime>

IndexDictionarySource::IndexDictionarySource(const DictionaryFiles& files)
    : files_(files)
{
}

IndexDictionarySource::~IndexDictionarySource()
{
    if (handle_ >= 0)
        index_.Close(handle_);
}

bool IndexDictionarySource::Open(int language)
{
    // A reading use: the index stays open with the header read now, so no
    // change of the files may run until this source is gone.
    use_.reset(new DictionaryUse(DictionaryAccess::kReading));
    if (!use_->Granted())
        return false;
    index_name_ = language == kEnglish ? files_.english_index : files_.spanish_index;
    handle_ = OpenDictionaryIndex(index_, index_name_);
    if (handle_ < 0)
        return false;
    index_stamp_ = StampOf(index_name_);
    table_stamp_ = StampOf(files_.table);
    copies_trusted_ = !RecentlyModified(index_stamp_) && !RecentlyModified(table_stamp_);
    last_check_ = std::chrono::steady_clock::now();
    return true;
}

IndexDictionarySource::FileStamp IndexDictionarySource::StampOf(const std::string& path)
{
    FileStamp stamp;
#ifdef _WIN32
    struct _stat64 info;
    if (_stat64(path.c_str(), &info) != 0)
        return stamp;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtime;
#else
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return stamp;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim.tv_sec;
    stamp.modified_nanoseconds = info.st_mtim.tv_nsec;
#endif
    return stamp;
}

bool IndexDictionarySource::RecentlyModified(const FileStamp& stamp)
{
    long long now = static_cast<long long>(std::time(nullptr));
    return stamp.size < 0 || stamp.modified >= now - 2;
}

void IndexDictionarySource::DropCopies()
{
    first_record_of_key_.clear();
    record_words_.clear();
    keys_loaded_ = false;
    if (direct_seeks_left_ >= 0)
        direct_seeks_left_ = kDirectSeeks;
}

void IndexDictionarySource::Refresh()
{
    if (handle_ < 0 || direct_seeks_left_ < 0)
        return;
    std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now();
    if (check_interval_ms_ > 0 && now - last_check_ < std::chrono::milliseconds(check_interval_ms_))
        return;
    last_check_ = now;
    FileStamp index_now = StampOf(index_name_);
    FileStamp table_now = StampOf(files_.table);
    if (!(index_now == index_stamp_) || !(table_now == table_stamp_)) {
        DropCopies();
        index_stamp_ = index_now;
        table_stamp_ = table_now;
    }
    copies_trusted_ = !RecentlyModified(index_now) && !RecentlyModified(table_now);
    if (!copies_trusted_ && (keys_loaded_ || !record_words_.empty()))
        DropCopies();
}

void IndexDictionarySource::LoadKeys()
{
    first_record_of_key_.clear();
    char key[kDictionaryKeyLength];
    for (int32_t record = index_.First(handle_); record > 0; record = index_.Next(handle_)) {
        index_.CurrentKey(handle_, key);
        // emplace keeps the first entry of equal keys, as Seek finds it
        first_record_of_key_.emplace(std::string(key, kDictionaryKeyLength), record);
    }
    keys_loaded_ = true;
}

int32_t IndexDictionarySource::SeekKey(char* key)
{
    if (handle_ < 0)
        return 0;
    if (copies_trusted_ && !keys_loaded_ && direct_seeks_left_ == 0)
        LoadKeys();
    if (!keys_loaded_ || !copies_trusted_) {
        if (direct_seeks_left_ > 0)
            --direct_seeks_left_;
        return index_.Seek(handle_, key);
    }
    BlankPadKey(key, kDictionaryKeyLength);
    auto found = first_record_of_key_.find(std::string(key, kDictionaryKeyLength));
    return found == first_record_of_key_.end() ? 0 : found->second;
}

void IndexDictionarySource::FetchRecordImage(int32_t record, char* image)
{
    if (copies_trusted_) {
        auto found = record_words_.find(record);
        if (found != record_words_.end()) {
            std::memcpy(image, found->second.data(), found->second.size());
            return;
        }
    }
    if (FetchRecord(record, image, files_) != 0)
        return;   // not kept: the next read tries the table again
    if (copies_trusted_ && direct_seeks_left_ >= 0)
        record_words_.emplace(record, std::string(image, kRecordLength));
}
