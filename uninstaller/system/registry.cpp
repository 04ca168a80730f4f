#include "uninstaller/system/registry.h"

#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>

#include <cstring>

namespace {

const DWORD kNameSlot = 260;

HKEY root_key(int32_t root)
{
    switch (root) {
    case 0: return HKEY_CLASSES_ROOT;
    case 1: return HKEY_CURRENT_USER;
    case 2: return HKEY_LOCAL_MACHINE;
    case 3: return HKEY_USERS;
    default: return nullptr;
    }
}

// Win32s has only HKEY_CLASSES_ROOT: other roots are left alone.
bool win32s_skips(int32_t root)
{
    return platform_info().kind == kPlatformWin32s && root != 0;
}

// Owns one open registry key.
class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    bool open(int32_t root, const std::string& path, REGSAM access)
    {
        HKEY base = root_key(root);
        return base != nullptr && RegOpenKeyExA(base, path.c_str(), 0, access, &key_) == ERROR_SUCCESS;
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

void report_open_failed(SystemContext& context, int32_t root, const std::string& key)
{
    context.report_failure("Unable to open registration key %s\\%s", registry_root_message_name(root), key.c_str());
}

// Names of the subkeys (subkeys = true) or fields, read in 260-byte slots.
bool read_names(SystemContext& context, int32_t root, const std::string& key, bool subkeys,
                std::vector<std::string>* names)
{
    RegKey opened;
    if (!opened.open(root, key, subkeys ? KEY_ENUMERATE_SUB_KEYS : KEY_QUERY_VALUE)) {
        report_open_failed(context, root, key);
        return false;
    }
    for (DWORD index = 0;; ++index) {
        char name[kNameSlot];
        DWORD size = kNameSlot;
        LONG rc = subkeys ? RegEnumKeyExA(opened.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr)
                          : RegEnumValueA(opened.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS)
            break;
        names->push_back(std::string(name, size));
    }
    return true;
}

std::string shared_dlls_key()
{
    const char* base = platform_info().base_key;
    return std::string(base != nullptr ? base : "") + "\\SharedDLLs";
}

// The path begins with the directory followed by "\" or the end.
bool lies_in(const std::string& path, const std::string& directory)
{
    if (directory.empty() || path.size() < directory.size())
        return false;
    if (!same_path(path.substr(0, directory.size()), directory))
        return false;
    return path.size() == directory.size() || path[directory.size()] == '\\';
}

bool in_shared_places(SystemContext& context, const std::string& path)
{
    std::string shared;
    if (!shared_directory(&shared))
        return false;
    std::string common = shared;
    const char* base = platform_info().base_key;
    uint32_t type = 0;
    std::vector<unsigned char> data;
    if (base != nullptr && registry_read_field(context, 2, base, "CommonFilesDir", &type, &data) &&
        type == REG_SZ && !data.empty()) {
        common.assign(reinterpret_cast<const char*>(data.data()), strnlen(reinterpret_cast<const char*>(data.data()), data.size()));
    }
    return lies_in(path, shared) || lies_in(path, common);
}

}  // namespace

const char* registry_root_message_name(int32_t root)
{
    switch (root) {
    case 0: return "HKEY_CLASSES_ROOT";
    case 1: return "HKEY_CURRENT_USER";
    case 2: return "HKEY_LOCAL_MACHINE";
    case 3: return "HKEY_USERS";
    default: return "Unknown";
    }
}

int registry_key_exists(SystemContext& context, int32_t root, const std::string& key)
{
    if (win32s_skips(root))
        return 0;
    RegKey opened;
    return opened.open(root, key, KEY_READ) ? 1 : 0;
}

int registry_create_key(SystemContext& context, int32_t root, const std::string& key)
{
    if (win32s_skips(root))
        return 1;
    if (registry_key_exists(context, root, key))
        return 1;
    std::string::size_type cut = key.rfind('\\');
    if (cut != std::string::npos && !registry_create_key(context, root, key.substr(0, cut)))
        return 0;
    HKEY base = root_key(root);
    HKEY created = nullptr;
    if (base == nullptr ||
        RegCreateKeyExA(base, key.c_str(), 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, KEY_READ, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
        context.report_failure("Unable to create registration key %s", key.c_str());
        return 0;
    }
    RegCloseKey(created);
    return 1;
}

bool registry_read_field(SystemContext& context, int32_t root, const std::string& key, const std::string& name,
                         uint32_t* type, std::vector<unsigned char>* data)
{
    if (win32s_skips(root)) {
        *type = REG_SZ;
        data->assign(1, 0);
        return true;
    }
    RegKey opened;
    if (!opened.open(root, key, KEY_QUERY_VALUE))
        return false;
    DWORD size = 0;
    DWORD value_type = 0;
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &value_type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    data->assign(size, 0);
    if (RegQueryValueExA(opened.get(), name.c_str(), nullptr, &value_type, data->data(), &size) != ERROR_SUCCESS)
        return false;
    data->resize(size);
    *type = value_type;
    return true;
}

int registry_set_field(SystemContext& context, int32_t root, const std::string& key, const std::string& name,
                       uint32_t type, const unsigned char* data, uint32_t size)
{
    if (win32s_skips(root))
        return 1;
    if (!registry_key_exists(context, root, key) && !registry_create_key(context, root, key))
        return 0;
    RegKey opened;
    if (!opened.open(root, key, KEY_SET_VALUE)) {
        report_open_failed(context, root, key);
        return 0;
    }
    if (RegSetValueExA(opened.get(), name.c_str(), 0, type, data, size) != ERROR_SUCCESS) {
        context.report_failure("Unable to set or create registration key %s", key.c_str());
        return 0;
    }
    return 1;
}

int registry_delete_field(SystemContext& context, int32_t root, const std::string& key, const std::string& name)
{
    if (win32s_skips(root))
        return 1;
    uint32_t type = 0;
    std::vector<unsigned char> data;
    if (!registry_read_field(context, root, key, name, &type, &data))
        return 1;
    RegKey opened;
    if (!opened.open(root, key, KEY_SET_VALUE)) {
        report_open_failed(context, root, key);
        return 0;
    }
    if (RegDeleteValueA(opened.get(), name.c_str()) != ERROR_SUCCESS) {
        context.report_failure("Unable to set or create registration key %s", key.c_str());
        return 0;
    }
    return 1;
}

int registry_count_subkeys(SystemContext& context, int32_t root, const std::string& key)
{
    if (win32s_skips(root))
        return 0;
    std::vector<std::string> names;
    return read_names(context, root, key, true, &names) ? static_cast<int>(names.size()) : 0;
}

int registry_count_fields(SystemContext& context, int32_t root, const std::string& key)
{
    if (win32s_skips(root))
        return 0;
    std::vector<std::string> names;
    return read_names(context, root, key, false, &names) ? static_cast<int>(names.size()) : 0;
}

int registry_delete_key(SystemContext& context, int32_t root, const std::string& key)
{
    if (win32s_skips(root))
        return 1;
    if (!registry_key_exists(context, root, key))
        return 1;
    std::vector<std::string> subkeys;
    if (!read_names(context, root, key, true, &subkeys))
        return 0;
    for (const std::string& name : subkeys)
        if (!registry_delete_key(context, root, key + "\\" + name))
            return 0;
    std::vector<std::string> fields;
    if (!read_names(context, root, key, false, &fields))
        return 0;
    for (const std::string& name : fields)
        if (!registry_delete_field(context, root, key, name))
            return 0;
    if (RegDeleteKeyA(root_key(root), key.c_str()) != ERROR_SUCCESS) {
        context.report_failure("Unable to delete registration key %s", key.c_str());
        return 0;
    }
    return 1;
}

int32_t shared_count(SystemContext& context, const std::string& path)
{
    if (!in_shared_places(context, path))
        return -1;
    uint32_t type = 0;
    std::vector<unsigned char> data;
    if (!registry_read_field(context, 2, shared_dlls_key(), path, &type, &data))
        return 0;
    if ((type == REG_BINARY && data.size() == 4) || (type == REG_DWORD && data.size() == 4)) {
        int32_t count = 0;
        std::memcpy(&count, data.data(), 4);
        // A negative stored count (0xFFFFFFFF, say) is no reference count.
        // Returned as it is it would read as -1, "not a shared file", and
        // the file would go without a word; read as 1, the last reference,
        // the user is asked before the file is deleted.
        if (count < 0)
            return 1;
        return count;
    }
    return 0;
}

int32_t set_shared_count(SystemContext& context, const std::string& path, int32_t count)
{
    if (!in_shared_places(context, path))
        return -1;
    uint32_t type = 0;
    std::vector<unsigned char> data;
    uint32_t new_type = REG_BINARY;
    if (registry_read_field(context, 2, shared_dlls_key(), path, &type, &data) && type == REG_DWORD &&
        data.size() == 4)
        new_type = REG_DWORD;
    unsigned char bytes[4];
    std::memcpy(bytes, &count, 4);
    if (!registry_set_field(context, 2, shared_dlls_key(), path, new_type, bytes, 4))
        return -1;
    return count;
}

int32_t decrement_shared_count(SystemContext& context, const std::string& path)
{
    int32_t count = shared_count(context, path);
    if (count == -1)
        return -1;
    if (count == 1) {
        registry_delete_field(context, 2, shared_dlls_key(), path);
        return 0;
    }
    return set_shared_count(context, path, count - 1) == -1 ? -1 : count - 1;
}
