// The undo of each record kind, on the system primitives of UndoServices.
// A question answered with anything but "&Yes" makes the undo fail without
// changing anything.
#include "operation_kinds.h"
#include "undo_services.h"

namespace {

// The INI texts of a record come from the log and are written as lines of
// the INI file ("[section]", "name=value"). A line break in any of them
// would write lines or sections of its own; a "]" ends a section name and
// an "=" an entry name early, so such a record could only hit the wrong
// section or entry. Its undo is refused.
bool has_any_of(const std::string& text, const char* characters)
{
    return text.find_first_of(characters) != std::string::npos;
}

bool safe_ini_section(const std::string& section)
{
    return !has_any_of(section, "\r\n]");
}

bool safe_ini_entry(const std::string& section, const std::string& name)
{
    return safe_ini_section(section) && !has_any_of(name, "\r\n=");
}

bool safe_ini_value(const std::string& value)
{
    return !has_any_of(value, "\r\n");
}

}  // namespace

// 0: remove the directory the installer made, with everything in it, after
// asking when it is not empty. A directory that is already gone counts as
// removed (the tree removal treats it so).
bool MakeDirOp::undo(UndoServices& services)
{
    if (services.directory_has_entries(path_.c_str()) == 1 &&
        !services.ask_delete_non_empty_directory(path_.c_str()))
        return false;
    return services.remove_directory_tree(path_.c_str()) == 1;
}

// 1: make the removed directory again; one that already exists is fine.
bool DeleteDirOp::undo(UndoServices& services)
{
    int result = services.make_directory(path_.c_str());
    return result == 0 || result == 1;
}

// 2: move the file back from its new name to its old one.
bool RenameFileOp::undo(UndoServices& services)
{
    return services.move_file(new_path_.c_str(), old_path_.c_str()) == 1;
}

// 3: a deleted file cannot be brought back.
bool DeleteFileOp::undo(UndoServices&)
{
    return false;
}

// 4: the shared-file undo. The file is kept while other products still count
// on it; at a count of 1 the user decides; a file that cannot be deleted now
// is deleted at the next start of Windows. Fails only when the file can
// neither be deleted nor scheduled for deletion.
bool InstallCreateFileOp::undo(UndoServices& services)
{
    const char* path = to_path_.c_str();
    int32_t count = services.shared_count(path);
    if (count == 0)
        return true;
    if (count >= 1) {
        services.decrement_shared_count(path);
        if (count > 1)
            return true;
        if (!services.ask_delete_shared_file(path))
            return true;
    }
    if (services.delete_file(path) == 1)
        return true;
    bool scheduled = services.delete_file_at_restart(path) == 1 || services.write_wininit_delete(path) == 1;
    if (!scheduled)
        return false;
    if (owner())
        owner()->set_reboot_needed();
    return true;
}

// 5: put the attributes back.
bool SetFileAttribOp::undo(UndoServices& services)
{
    return services.set_file_attributes(path_.c_str(), attributes_) == 1;
}

// 6: delete the created file.
bool CreateFileOp::undo(UndoServices& services)
{
    return services.delete_file(path_.c_str()) == 1;
}

// 7: delete the added entry.
bool AddIniEntryOp::undo(UndoServices& services)
{
    if (!safe_ini_entry(section_, entry_))
        return false;
    return services.ini_delete_entry(ini_file_.c_str(), section_.c_str(), entry_.c_str(),
                                     sequence_) == 1;
}

// 8: insert the deleted entry again where it was.
bool DeleteIniEntryOp::undo(UndoServices& services)
{
    if (!safe_ini_entry(section_, entry_) || !safe_ini_value(value_))
        return false;
    return services.ini_insert_entry(ini_file_.c_str(), section_.c_str(), entry_.c_str(),
                                     value_.c_str(), sequence_) == 1;
}

// 9: give the entry its previous value.
bool SetIniEntryOp::undo(UndoServices& services)
{
    if (!safe_ini_entry(section_, entry_) || !safe_ini_value(value_))
        return false;
    return services.ini_set_entry(ini_file_.c_str(), section_.c_str(), entry_.c_str(),
                                  value_.c_str(), sequence_) == 1;
}

// 10: delete the added group, after asking when it holds items. Every
// Program Manager undo opens its own conversation and ends it, closing a
// Program Manager that it had to start.
bool AddProgramGroupOp::undo(UndoServices& services)
{
    if (services.progman_begin() != 1) {
        services.progman_end(true);
        return false;
    }
    // A group whose contents cannot be read (-1) may hold the user's items:
    // asked as for a group with items.
    if (services.progman_group_has_items(group_.c_str()) != 0 &&
        !services.ask_delete_non_empty_program_group(group_.c_str())) {
        services.progman_end(true);
        return false;
    }
    int result = services.progman_delete_group(group_.c_str());
    services.progman_end(true);
    return result == 1;
}

// 11: delete the added item.
bool AddProgramItemOp::undo(UndoServices& services)
{
    if (services.progman_begin() != 1) {
        services.progman_end(true);
        return false;
    }
    int result = services.progman_delete_item(group_.c_str(), item_.c_str());
    services.progman_end(true);
    return result == 1;
}

// 12: create the deleted group again.
bool DeleteProgramGroupOp::undo(UndoServices& services)
{
    if (services.progman_begin() != 1) {
        services.progman_end(true);
        return false;
    }
    int result = services.progman_create_group(group_.c_str());
    services.progman_end(true);
    return result == 1;
}

// 13: create the deleted item again from its saved block.
bool DeleteProgramItemOp::undo(UndoServices& services)
{
    if (services.progman_begin() != 1) {
        services.progman_end(true);
        return false;
    }
    int result = services.progman_add_item(group_.c_str(), block_);
    services.progman_end(true);
    return result == 1;
}

// 14: delete the added key with its subkeys, after asking when it has any.
bool AddRegKeyOp::undo(UndoServices& services)
{
    if (services.registry_key_has_subkeys(root_, key_.c_str()) == 1 &&
        !services.ask_delete_non_empty_registry_key(key_.c_str()))
        return false;
    return services.registry_delete_key(root_, key_.c_str()) == 1;
}

// 15: delete the added field.
bool AddRegFieldOp::undo(UndoServices& services)
{
    return services.registry_delete_field(root_, key_.c_str(), field_.c_str()) == 1;
}

// 16, 17: write the field's previous (or deleted) type and data back.
bool RegFieldDataOpBase::undo(UndoServices& services)
{
    const unsigned char* data = data_.empty() ? nullptr : &data_[0];
    return services.registry_set_field(root_, key_.c_str(), field_.c_str(), type_, data,
                                       int32_t(data_.size())) == 1;
}

// 18: create the deleted key again.
bool DeleteRegKeyOp::undo(UndoServices& services)
{
    return services.registry_create_key(root_, key_.c_str()) == 1;
}

// 19: cut off what the installer appended, in place: the file keeps its old
// content and is never emptied on the way. A negative offset is refused.
bool InstallAppendFileOp::undo(UndoServices& services)
{
    if (offset_ < 0)
        return false;
    return services.truncate_file(to_path_.c_str(), offset_) == 1;
}

// 20: delete the added section, after asking when it holds entries.
bool AddIniSectionOp::undo(UndoServices& services)
{
    if (!safe_ini_section(section_))
        return false;
    if (services.ini_count_section_entries(ini_file_.c_str(), section_.c_str()) > 0 &&
        !services.ask_delete_non_empty_ini_section(section_.c_str()))
        return false;
    return services.ini_delete_section(ini_file_.c_str(), section_.c_str()) == 1;
}

// 21: add the deleted section again (its entries have records of their own).
bool DeleteIniSectionOp::undo(UndoServices& services)
{
    if (!safe_ini_section(section_))
        return false;
    return services.ini_add_section(ini_file_.c_str(), section_.c_str()) == 1;
}

// 22: remove the installed font resource.
bool InstallFontOp::undo(UndoServices& services)
{
    return services.remove_font_resource(path_.c_str()) == 1;
}
