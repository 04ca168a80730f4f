#include "translator/framework/recent_file_list.h"

#include <cstdio>

namespace {

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SamePath(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace

RecentFileList::RecentFileList(std::string section, std::string key_format, int size)
    : section_(std::move(section)), key_format_(std::move(key_format)), size_(size > 0 ? size : 0)
{
}

std::string RecentFileList::KeyAt(int index) const
{
    char key[64];
    std::snprintf(key, sizeof key, key_format_.c_str(), index + 1);
    return key;
}

int RecentFileList::FindIndex(const std::string& path) const
{
    for (size_t i = 0; i < files_.size(); ++i)
        if (SamePath(files_[i], path)) return static_cast<int>(i);
    return -1;
}

void RecentFileList::Add(const std::string& path)
{
    if (path.empty() || size_ == 0) return;
    int found = FindIndex(path);
    if (found >= 0) files_.erase(files_.begin() + found);
    files_.insert(files_.begin(), path);
    if (static_cast<int>(files_.size()) > size_) files_.resize(size_);
}

void RecentFileList::Remove(const std::string& path)
{
    int found = FindIndex(path);
    if (found >= 0) files_.erase(files_.begin() + found);
}

void RecentFileList::Load(const ProfileStore& profile)
{
    files_.clear();
    for (int i = 0; i < size_; ++i) {
        std::string value = profile.GetString(section_, KeyAt(i), "");
        if (!value.empty() && FindIndex(value) < 0) files_.push_back(value);
    }
}

bool RecentFileList::Save(ProfileStore& profile) const
{
    bool ok = true;
    for (int i = 0; i < size_; ++i) {
        if (i < static_cast<int>(files_.size()))
            ok = profile.WriteString(section_, KeyAt(i), files_[i]) && ok;
        else
            ok = profile.DeleteKey(section_, KeyAt(i)) && ok;
    }
    return ok;
}
