#include "uninstaller/core/win32_undo_services.h"

#include "uninstaller/core/prompts.h"
#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/sectioned_file.h"
#include "uninstaller/system/file_attributes.h"
#include "uninstaller/system/ini_entries.h"
#include "uninstaller/system/progman_client.h"
#include "uninstaller/system/registry.h"
#include "uninstaller/system/system_context.h"

#include <windows.h>

void Win32UndoServices::set_quiet(bool quiet)
{
    context_.quiet = quiet ? 1 : 0;
}

// ---- Files and directories ---------------------------------------------

int Win32UndoServices::directory_has_entries(const char* dir)
{
    return ::directory_has_entries(dir);
}

int Win32UndoServices::remove_directory_tree(const char* dir)
{
    return ::remove_directory_tree(context_, dir);
}

int Win32UndoServices::make_directory(const char* dir)
{
    return dir_make(context_, dir);
}

int Win32UndoServices::move_file(const char* from, const char* to)
{
    return file_move(context_, from, to);
}

int Win32UndoServices::delete_file(const char* path)
{
    return file_delete(context_, path);
}

int Win32UndoServices::set_file_attributes(const char* path, int32_t attributes)
{
    return ::set_file_attributes(context_, path, static_cast<unsigned long>(attributes));
}

int Win32UndoServices::truncate_file(const char* path, int32_t length)
{
    if (length < 0) {
        context_.report_write_failed(path);
        return 0;
    }
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        context_.report_open_failed(path);
        return 0;
    }
    bool cut = SetFilePointer(file, length, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               SetEndOfFile(file) != 0;
    bool closed = CloseHandle(file) != 0;
    if (!cut || !closed) {
        context_.report_write_failed(path);
        return 0;
    }
    return 1;
}

int Win32UndoServices::delete_file_at_restart(const char* path)
{
    return ::delete_file_at_restart(path) ? 1 : 0;
}

int Win32UndoServices::write_wininit_delete(const char* path)
{
    return ::write_wininit_delete(path) ? 1 : 0;
}

int Win32UndoServices::remove_font_resource(const char* path)
{
    return RemoveFontResourceA(path) != 0 ? 1 : 0;
}

// ---- Registry --------------------------------------------------------------

int Win32UndoServices::registry_key_has_subkeys(int32_t root, const char* key)
{
    return registry_count_subkeys(context_, root, key) > 0 ? 1 : 0;
}

int Win32UndoServices::registry_delete_key(int32_t root, const char* key)
{
    return ::registry_delete_key(context_, root, key);
}

int Win32UndoServices::registry_create_key(int32_t root, const char* key)
{
    return ::registry_create_key(context_, root, key);
}

int Win32UndoServices::registry_delete_field(int32_t root, const char* key, const char* field)
{
    return ::registry_delete_field(context_, root, key, field);
}

int Win32UndoServices::registry_set_field(int32_t root, const char* key, const char* field, int32_t type,
                                          const unsigned char* data, int32_t size)
{
    if (size < 0 || (size > 0 && data == nullptr)) {
        context_.report_failure("Unable to set or create registration key %s", key);
        return 0;
    }
    return ::registry_set_field(context_, root, key, field, static_cast<uint32_t>(type), data,
                                static_cast<uint32_t>(size));
}

int32_t Win32UndoServices::shared_count(const char* path)
{
    return ::shared_count(context_, path);
}

int32_t Win32UndoServices::decrement_shared_count(const char* path)
{
    return ::decrement_shared_count(context_, path);
}

// ---- INI files -------------------------------------------------------------

int Win32UndoServices::ini_count_section_entries(const char* file, const char* section)
{
    if (!path_exists(file))
        return -1;
    int count = sectioned_file::count_entries(file, section, nullptr);
    return count < 0 ? -1 : count;
}

int Win32UndoServices::ini_add_section(const char* file, const char* section)
{
    return ::ini_add_section(context_, file, section);
}

int Win32UndoServices::ini_delete_section(const char* file, const char* section)
{
    return ::ini_delete_section(context_, file, section);
}

int Win32UndoServices::ini_insert_entry(const char* file, const char* section, const char* name,
                                        const char* value, int32_t sequence)
{
    return ::ini_insert_entry(context_, file, section, name, value, sequence);
}

int Win32UndoServices::ini_set_entry(const char* file, const char* section, const char* name, const char* value,
                                     int32_t sequence)
{
    return ::ini_set_entry(context_, file, section, name, value, sequence);
}

int Win32UndoServices::ini_delete_entry(const char* file, const char* section, const char* name,
                                        int32_t sequence)
{
    return ::ini_delete_entry(context_, file, section, name, sequence);
}

// ---- Program Manager -------------------------------------------------------

int Win32UndoServices::progman_begin()
{
    return ::progman_begin(context_);
}

void Win32UndoServices::progman_end(bool close_if_started)
{
    ::progman_end(context_, close_if_started);
}

int Win32UndoServices::progman_group_has_items(const char* group)
{
    return ::progman_group_has_items(context_, group);
}

int Win32UndoServices::progman_delete_group(const char* group)
{
    return ::progman_delete_group(context_, group);
}

int Win32UndoServices::progman_create_group(const char* group)
{
    return ::progman_create_group(context_, group);
}

int Win32UndoServices::progman_delete_item(const char* group, const char* item)
{
    return ::progman_delete_item(context_, group, item);
}

int Win32UndoServices::progman_add_item(const char* group, const ProgramItemBlock& block)
{
    return ::progman_add_item(context_, group, block);
}

// ---- Questions -------------------------------------------------------------

bool Win32UndoServices::ask_delete_non_empty_directory(const char* dir)
{
    return ask_non_empty_directory(context_.owner, dir);
}

bool Win32UndoServices::ask_delete_non_empty_ini_section(const char* section)
{
    return ask_non_empty_ini_section(context_.owner, section);
}

bool Win32UndoServices::ask_delete_non_empty_program_group(const char* group)
{
    return ask_non_empty_program_group(context_.owner, group);
}

bool Win32UndoServices::ask_delete_non_empty_registry_key(const char* key)
{
    return ask_non_empty_registry_key(context_.owner, key);
}

bool Win32UndoServices::ask_delete_shared_file(const char* path)
{
    return ::ask_delete_shared_file(context_.owner, path);
}
