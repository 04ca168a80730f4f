#include "translator/framework/profile.h"

#include <windows.h>
#include <vector>

std::string IniProfileStore::GetString(const std::string& section, const std::string& key,
                                       const std::string& fallback) const
{
    std::vector<char> buffer(1024);
    for (;;) {
        DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                             buffer.data(), static_cast<DWORD>(buffer.size()),
                                             file_name_.c_str());
        if (got + 1 < buffer.size() || buffer.size() >= 65536) return std::string(buffer.data(), got);
        buffer.resize(buffer.size() * 4);  // truncated: try a larger buffer
    }
}

bool IniProfileStore::WriteString(const std::string& section, const std::string& key,
                                  const std::string& value)
{
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      file_name_.c_str()) != 0;
}

bool IniProfileStore::DeleteKey(const std::string& section, const std::string& key)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, file_name_.c_str());
    return true;  // deleting what is not there is not a failure
}
