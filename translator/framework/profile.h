// IniProfileStore: a ProfileStore (profile_store.h) kept in a private
// profile (INI) file through GetPrivateProfileStringA and
// WritePrivateProfileStringA.
//
// A bare file name such as "LEXON_V2.INI" is, as with every private
// profile function, a file in the Windows directory; a name with a path is
// used as it is. The framework's application names its profile after the
// executable (WinApp::LoadStdProfileSettings).
#ifndef LEXON_FRAMEWORK_PROFILE_H
#define LEXON_FRAMEWORK_PROFILE_H

#include "translator/framework/profile_store.h"

#include <string>

class IniProfileStore : public ProfileStore {
public:
    explicit IniProfileStore(std::string file_name) : file_name_(std::move(file_name)) {}

    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) const override;
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;
    bool DeleteKey(const std::string& section, const std::string& key) override;

    const std::string& FileName() const { return file_name_; }

private:
    std::string file_name_;
};

#endif
