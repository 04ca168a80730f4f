// Registry keys and fields, and the shared-DLL reference counts kept under
// HKEY_LOCAL_MACHINE\<platform base key>\SharedDLLs (one field per shared
// file, named by its full path, holding its count as 4 bytes of type
// REG_BINARY or REG_DWORD).
//
// Roots are given by their index in the installation log: 0
// HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER, 2 HKEY_LOCAL_MACHINE, 3
// HKEY_USERS; any other index names no root ("Unknown" in messages) and
// every primitive on it fails. Key paths are relative to the root with "\"
// between levels. On Win32s only HKEY_CLASSES_ROOT exists: the primitives
// leave the other roots alone and answer as if they had worked.
//
// Each primitive takes the system-services context first, reports a failure
// through it once ("Unable to open registration key %s", ...) and returns
// 1 / 0 unless said otherwise.
#ifndef RAVELUP_SYSTEM_REGISTRY_H
#define RAVELUP_SYSTEM_REGISTRY_H

#include <cstdint>
#include <string>
#include <vector>

class SystemContext;

// "HKEY_CLASSES_ROOT" .. "HKEY_USERS", or "Unknown".
const char* registry_root_message_name(int32_t root);

// 1 when the key can be opened for reading (no message).
int registry_key_exists(SystemContext& context, int32_t root, const std::string& key);
// Creates the key with its missing parents, from the top down.
int registry_create_key(SystemContext& context, int32_t root, const std::string& key);
// Reads a field: true with its type and data, false when it cannot be read
// (no message).
bool registry_read_field(SystemContext& context, int32_t root, const std::string& key, const std::string& name,
                         uint32_t* type, std::vector<unsigned char>* data);
int registry_set_field(SystemContext& context, int32_t root, const std::string& key, const std::string& name,
                       uint32_t type, const unsigned char* data, uint32_t size);
// A field that does not exist counts as deleted.
int registry_delete_field(SystemContext& context, int32_t root, const std::string& key, const std::string& name);
int registry_count_subkeys(SystemContext& context, int32_t root, const std::string& key);
int registry_count_fields(SystemContext& context, int32_t root, const std::string& key);
// Deletes the key with all its subkeys and fields, deepest first. A key
// that does not exist counts as deleted.
int registry_delete_key(SystemContext& context, int32_t root, const std::string& key);

// Shared-DLL counts: the count (0 when the file has no field), -1 when the
// file lies neither in the shared directory nor in the common-files
// directory.
int32_t shared_count(SystemContext& context, const std::string& path);
int32_t set_shared_count(SystemContext& context, const std::string& path, int32_t count);
// count - 1; at 1 the field is removed instead of holding 0.
int32_t decrement_shared_count(SystemContext& context, const std::string& path);

#endif
