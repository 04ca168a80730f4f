// Reading, describing and showing the 23 record kinds (their undo is in
// operation_undo.cpp).
#include "operation_kinds.h"

#include <cstdio>
#include <cstring>

#include "log_stream.h"

namespace {

// The description buffer of the list holds 256 characters with the NUL.
const size_t kDescribeMax = 255;

std::string describe1(const char* format, const std::string& a)
{
    std::string text(format);
    std::string::size_type at = text.find("%s");
    text.replace(at, 2, a);
    if (text.size() > kDescribeMax)
        text.resize(kDescribeMax);
    return text;
}

std::string describe2(const char* format, const std::string& a, const std::string& b)
{
    std::string text(format);
    std::string::size_type at = text.find("%s");
    text.replace(at, 2, a);
    at = text.find("%s", at + a.size());
    text.replace(at, 2, b);
    if (text.size() > kDescribeMax)
        text.resize(kDescribeMax);
    return text;
}

std::string number_text(int32_t value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", int(value));
    return buffer;
}

std::string long_text(int32_t value)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%ld", long(value));
    return buffer;
}

}  // namespace

const char* state_text(OperationState state)
{
    switch (state) {
    case WillUndo: return "Will be undone";
    case WontUndo: return "Won't be undone";
    case CantUndo: return "Can't be undone";
    case UndoneOk: return "Undone OK";
    case UndoneFailed: return "Undone failed";
    }
    return "";
}

const char* registry_root_name(int32_t root)
{
    switch (root) {
    case 0: return "HKEY_CLASSES_ROOT";
    case 1: return "HKEY_CURRENT_USER";
    case 2: return "HKEY_LOCAL_MACHINE";
    case 3: return "HKEY_USERS";
    }
    return "";
}

std::string path_file_name(const std::string& path)
{
    std::string::size_type cut = path.find_last_of("\\/:");
    if (cut == std::string::npos)
        return path;
    return path.substr(cut + 1);
}

std::unique_ptr<Operation> create_operation(int32_t kind)
{
    switch (kind) {
    case kMakeDir: return std::unique_ptr<Operation>(new MakeDirOp);
    case kDeleteDir: return std::unique_ptr<Operation>(new DeleteDirOp);
    case kRenameFile: return std::unique_ptr<Operation>(new RenameFileOp);
    case kDeleteFile: return std::unique_ptr<Operation>(new DeleteFileOp);
    case kInstallCreateFile: return std::unique_ptr<Operation>(new InstallCreateFileOp);
    case kSetFileAttrib: return std::unique_ptr<Operation>(new SetFileAttribOp);
    case kCreateFile: return std::unique_ptr<Operation>(new CreateFileOp);
    case kAddIniEntry: return std::unique_ptr<Operation>(new AddIniEntryOp);
    case kDeleteIniEntry: return std::unique_ptr<Operation>(new DeleteIniEntryOp);
    case kSetIniEntry: return std::unique_ptr<Operation>(new SetIniEntryOp);
    case kAddProgramGroup: return std::unique_ptr<Operation>(new AddProgramGroupOp);
    case kAddProgramItem: return std::unique_ptr<Operation>(new AddProgramItemOp);
    case kDeleteProgramGroup: return std::unique_ptr<Operation>(new DeleteProgramGroupOp);
    case kDeleteProgramItem: return std::unique_ptr<Operation>(new DeleteProgramItemOp);
    case kAddRegKey: return std::unique_ptr<Operation>(new AddRegKeyOp);
    case kAddRegField: return std::unique_ptr<Operation>(new AddRegFieldOp);
    case kSetRegField: return std::unique_ptr<Operation>(new SetRegFieldOp);
    case kDeleteRegField: return std::unique_ptr<Operation>(new DeleteRegFieldOp);
    case kDeleteRegKey: return std::unique_ptr<Operation>(new DeleteRegKeyOp);
    case kInstallAppendFile: return std::unique_ptr<Operation>(new InstallAppendFileOp);
    case kAddIniSection: return std::unique_ptr<Operation>(new AddIniSectionOp);
    case kDeleteIniSection: return std::unique_ptr<Operation>(new DeleteIniSectionOp);
    case kInstallFont: return std::unique_ptr<Operation>(new InstallFontOp);
    }
    return std::unique_ptr<Operation>();
}

// ---- Paths and files ---------------------------------------------------------

bool SinglePathOp::read_fields(LogStream& in)
{
    return in.read_path(&path_);
}

void MakeDirOp::show_fields(FieldPanel& panel) const { panel.set_text(kEditDirectory, path_); }
std::string MakeDirOp::describe() const { return describe1("Make dir %s", path_); }

void DeleteDirOp::show_fields(FieldPanel& panel) const { panel.set_text(kEditDirectory, path_); }
std::string DeleteDirOp::describe() const { return describe1("Delete dir %s", path_); }

bool RenameFileOp::read_fields(LogStream& in)
{
    return in.read_path(&old_path_) && in.read_path(&new_path_);
}

void RenameFileOp::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditOldPath, old_path_);
    panel.set_text(kEditNewPath, new_path_);
}

std::string RenameFileOp::describe() const
{
    return describe1("Rename file %s", path_file_name(old_path_));
}

void DeleteFileOp::show_fields(FieldPanel& panel) const { panel.set_text(kEditPath, path_); }
std::string DeleteFileOp::describe() const
{
    return describe1("Delete file %s", path_file_name(path_));
}

bool InstallCreateFileOp::read_fields(LogStream& in)
{
    int32_t stored;
    if (!in.read_path(&from_path_) || !in.read_path(&to_path_) || !in.read_int32(&stored))
        return false;
    // Version 1.5 logs store the flag inverted.
    if (in.version() == kLogVersion15)
        uninstall_ = stored == 0 ? 1 : 0;
    else
        uninstall_ = stored;
    return true;
}

void InstallCreateFileOp::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditFromPath, from_path_);
    panel.set_text(kEditToPath, to_path_);
    panel.set_check(kCheckUninstall, uninstall_ != 0);
}

std::string InstallCreateFileOp::describe() const
{
    return describe1("Install and create file %s", path_file_name(to_path_));
}

bool SetFileAttribOp::read_fields(LogStream& in)
{
    return in.read_path(&path_) && in.read_int32(&attributes_) && in.read_int32(&second_word_);
}

void SetFileAttribOp::show_fields(FieldPanel& panel) const { panel.set_text(kEditPath, path_); }
std::string SetFileAttribOp::describe() const
{
    return describe1("Set attrib of file %s", path_file_name(path_));
}

void CreateFileOp::show_fields(FieldPanel& panel) const { panel.set_text(kEditPath, path_); }
std::string CreateFileOp::describe() const
{
    return describe1("Create file %s", path_file_name(path_));
}

// ---- INI entries -------------------------------------------------------------

bool IniEntryOpBase::read_fields(LogStream& in)
{
    if (!in.read_path(&ini_file_) || !in.read_string(&section_) || !in.read_string(&entry_))
        return false;
    if (has_value_ && !in.read_string(&value_))
        return false;
    sequence_ = 0;
    if (in.version() == kLogVersion21 && !in.read_int32(&sequence_))
        return false;
    return true;
}

void IniEntryOpBase::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditIniFile, ini_file_);
    panel.set_text(kEditIniSection, section_);
    panel.set_text(kEditIniEntry, entry_);
    panel.set_text(kEditIniSequence, number_text(sequence_));
    if (has_value_)
        panel.set_text(kEditIniValue, value_);
}

std::string AddIniEntryOp::describe() const { return describe1("Add INI entry %s", entry_); }
std::string DeleteIniEntryOp::describe() const { return describe1("Delete INI entry %s", entry_); }
std::string SetIniEntryOp::describe() const { return describe1("Set INI entry %s", entry_); }

// ---- Program Manager -----------------------------------------------------------

bool ProgramGroupOpBase::read_fields(LogStream& in)
{
    return in.read_string(&group_);
}

void ProgramGroupOpBase::show_fields(FieldPanel& panel) const { panel.set_text(kEditGroup, group_); }

std::string AddProgramGroupOp::describe() const { return describe1("Add program group %s", group_); }
std::string DeleteProgramGroupOp::describe() const
{
    return describe1("Delete program group %s", group_);
}

bool AddProgramItemOp::read_fields(LogStream& in)
{
    return in.read_string(&group_) && in.read_string(&item_);
}

void AddProgramItemOp::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditGroup, group_);
    panel.set_text(kEditItem, item_);
}

std::string AddProgramItemOp::describe() const { return describe1("Add program item %s", item_); }

DeleteProgramItemOp::DeleteProgramItemOp() : Operation(kDeleteProgramItem)
{
    std::memset(&block_, 0, sizeof block_);
}

bool DeleteProgramItemOp::read_fields(LogStream& in)
{
    unsigned char bytes[kProgramItemBlockSize];
    if (!in.read_string(&group_) || !in.read_block(bytes, sizeof bytes))
        return false;
    program_item_block_from_bytes(bytes, &block_);
    return true;
}

void DeleteProgramItemOp::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditGroup, group_);
    panel.set_text(kEditItem, block_.name);
    panel.set_text(kEditCommandLine, block_.command_line);
    panel.set_text(kEditIconPath, block_.icon_path);
    panel.set_text(kEditIconIndex, number_text(block_.icon_index));
    panel.set_text(kEditWorkingDir, block_.working_dir);
    panel.set_text(kEditHotKey, number_text(block_.hot_key));
    panel.set_check(kCheckRunMinimized, block_.run_minimized != 0);
}

std::string DeleteProgramItemOp::describe() const
{
    return describe1("Delete program item %s", block_.name);
}

// ---- Registry ------------------------------------------------------------------

bool RegKeyOpBase::read_fields(LogStream& in)
{
    return in.read_int32(&root_) && in.read_string(&key_);
}

std::string RegKeyOpBase::root_and_key() const
{
    return std::string(registry_root_name(root_)) + "\\" + key_;
}

void RegKeyOpBase::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditRegKeyPath, root_and_key());
}

std::string AddRegKeyOp::describe() const { return describe1("Add reg key %s", root_and_key()); }
std::string DeleteRegKeyOp::describe() const { return describe1("Delete reg key %s", key_); }

bool RegFieldOpBase::read_fields(LogStream& in)
{
    return RegKeyOpBase::read_fields(in) && in.read_string(&field_);
}

void RegFieldOpBase::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditRegKeyPath, root_and_key());
    panel.set_text(kEditRegKeyField, field_);
}

std::string AddRegFieldOp::describe() const
{
    return describe2("Add reg key field %s - %s", root_and_key(), field_);
}

bool RegFieldDataOpBase::read_fields(LogStream& in)
{
    if (!RegFieldOpBase::read_fields(in))
        return false;
    if (in.version() == kLogVersion15) {
        // A string value, restored as REG_SZ with its terminating NUL.
        std::string text;
        if (!in.read_string(&text))
            return false;
        type_ = 1;
        data_.assign(text.begin(), text.end());
        data_.push_back(0);
        return true;
    }
    int32_t size;
    return in.read_int32(&type_) && in.read_int32(&size) && in.read_data(size, &data_);
}

std::string SetRegFieldOp::describe() const
{
    return describe2("Set reg key field %s - %s", root_and_key(), field_);
}

std::string DeleteRegFieldOp::describe() const
{
    return describe2("Delete reg key field %s - %s", root_and_key(), field_);
}

// ---- Appended files, INI sections, fonts -------------------------------------------

bool InstallAppendFileOp::read_fields(LogStream& in)
{
    return in.read_path(&from_path_) && in.read_path(&to_path_) && in.read_int32(&uninstall_) &&
           in.read_int32(&offset_);
}

void InstallAppendFileOp::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditFromPath, from_path_);
    panel.set_text(kEditToPath, to_path_);
    panel.set_text(kEditOffset, long_text(offset_));
    panel.set_check(kCheckUninstall, uninstall_ != 0);
}

std::string InstallAppendFileOp::describe() const
{
    return describe1("Install and append file %s", path_file_name(to_path_));
}

bool IniSectionOpBase::read_fields(LogStream& in)
{
    return in.read_path(&ini_file_) && in.read_string(&section_);
}

void IniSectionOpBase::show_fields(FieldPanel& panel) const
{
    panel.set_text(kEditIniFile, ini_file_);
    panel.set_text(kEditIniSection, section_);
}

std::string AddIniSectionOp::describe() const { return describe1("Add INI section %s", section_); }
std::string DeleteIniSectionOp::describe() const
{
    return describe1("Delete INI section %s", section_);
}

bool InstallFontOp::read_fields(LogStream& in)
{
    return in.read_path(&path_) && in.read_int32(&uninstall_);
}

void InstallFontOp::show_fields(FieldPanel& panel) const { panel.set_text(kEditPath, path_); }
std::string InstallFontOp::describe() const { return describe1("Install font file %s", path_); }
