// ProfileStore: where an application keeps its settings, as named sections
// of key = text entries (the layout of an INI file).
//
// The framework's Win32 implementation (IniProfileStore, profile.h) reads
// and writes a private profile file; tests use an in-memory store. Code that
// only needs settings (the recent-file list) depends on this interface and
// so builds and is tested without <windows.h>.
#ifndef LEXON_FRAMEWORK_PROFILE_STORE_H
#define LEXON_FRAMEWORK_PROFILE_STORE_H

#include <string>

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The value of key in section, or fallback when there is none.
    virtual std::string GetString(const std::string& section, const std::string& key,
                                  const std::string& fallback) const = 0;
    // Sets key in section to value; returns false when the store could not
    // be written.
    virtual bool WriteString(const std::string& section, const std::string& key,
                             const std::string& value) = 0;
    // Removes key from section (nothing happens when it is absent).
    virtual bool DeleteKey(const std::string& section, const std::string& key) = 0;
};

#endif
