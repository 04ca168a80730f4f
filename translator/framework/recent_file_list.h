// RecentFileList: the most recently used files of an application, newest
// first, kept in a profile section as keys "File1", "File2", ... (the key
// format is given as a printf format with one %d, numbered from 1).
//
// Usage:
//   RecentFileList recent("Recent File List", "File%d", 4);
//   recent.Load(profile);          // at start-up
//   recent.Add("C:\\texts\\a.txt");  // when a document is opened or saved
//   recent.Save(profile);          // at exit
//
// Add moves a file that is already listed (compared without regard to the
// case of ASCII letters, as Windows compares paths) to the front; the list
// never holds more than its size, the oldest entry drops out. Save writes
// every position: listed files under their keys, and deletes the keys of
// empty positions so that a shorter list leaves no stale entries behind.
// Load skips empty values and duplicates, and ignores keys beyond the size.
#ifndef LEXON_FRAMEWORK_RECENT_FILE_LIST_H
#define LEXON_FRAMEWORK_RECENT_FILE_LIST_H

#include "translator/framework/profile_store.h"

#include <string>
#include <vector>

class RecentFileList {
public:
    RecentFileList(std::string section, std::string key_format, int size);

    void Add(const std::string& path);
    void Remove(const std::string& path);
    void Load(const ProfileStore& profile);
    bool Save(ProfileStore& profile) const;

    const std::vector<std::string>& Files() const { return files_; }
    int Size() const { return size_; }
    const std::string& Section() const { return section_; }
    // The key of position index (0-based): key format with index + 1.
    std::string KeyAt(int index) const;

private:
    int FindIndex(const std::string& path) const;

    std::string section_;
    std::string key_format_;
    int size_;
    std::vector<std::string> files_;
};

#endif
