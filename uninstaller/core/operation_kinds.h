// The 23 kinds of operation record of the installation log. Each class reads
// its fields (log_stream.h gives the file layout), describes itself, shows
// its fields in one panel of the main dialog and undoes itself through
// UndoServices (its undo is in operation_undo.cpp).
//
// Paths hold at most 259 characters (the reader refuses longer ones);
// strings any length. Every class owns its fields.
#ifndef RAVELUP_CORE_OPERATION_KINDS_H
#define RAVELUP_CORE_OPERATION_KINDS_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "operation.h"
#include "program_item_block.h"

// A new, empty record of the kind (kind 0..22), or null for another code.
std::unique_ptr<Operation> create_operation(int32_t kind);

// The name of a registry root index ("HKEY_LOCAL_MACHINE", ...), "" outside
// 0..3.
const char* registry_root_name(int32_t root);

// The file name with extension of a path: what follows its last '\', '/' or
// ':'.
std::string path_file_name(const std::string& path);

// ---- Kinds with one path -------------------------------------------------

class SinglePathOp : public Operation {
public:
    explicit SinglePathOp(OperationKind kind) : Operation(kind) {}
    bool read_fields(LogStream& in) override;
    const std::string& path() const { return path_; }
protected:
    std::string path_;
};

class MakeDirOp : public SinglePathOp {  // 0
public:
    MakeDirOp() : SinglePathOp(kMakeDir) {}
    int panel_id() const override { return kPanelDirectory; }
    int panel_count() const override { return 2; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
};

class DeleteDirOp : public SinglePathOp {  // 1
public:
    DeleteDirOp() : SinglePathOp(kDeleteDir) {}
    int panel_id() const override { return kPanelDirectory; }
    int panel_count() const override { return 2; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
};

class RenameFileOp : public Operation {  // 2
public:
    RenameFileOp() : Operation(kRenameFile) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelRename; }
    int panel_count() const override { return 4; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    const std::string& old_path() const { return old_path_; }
    const std::string& new_path() const { return new_path_; }
private:
    std::string old_path_;
    std::string new_path_;
};

class DeleteFileOp : public SinglePathOp {  // 3
public:
    DeleteFileOp() : SinglePathOp(kDeleteFile) { reset(); }
    void reset() override { set_state(CantUndo); }
    int panel_id() const override { return kPanelPath; }
    int panel_count() const override { return 2; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
};

class InstallCreateFileOp : public Operation {  // 4
public:
    InstallCreateFileOp() : Operation(kInstallCreateFile) {}
    bool read_fields(LogStream& in) override;
    void reset() override { set_state(uninstall_ != 0 ? WillUndo : WontUndo); }
    int panel_id() const override { return kPanelInstall; }
    int panel_count() const override { return 5; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    int32_t uninstall_flag() const { return uninstall_; }
    const std::string& from_path() const { return from_path_; }
    const std::string& to_path() const { return to_path_; }
private:
    int32_t uninstall_ = 0;
    std::string from_path_;
    std::string to_path_;
};

class SetFileAttribOp : public Operation {  // 5
public:
    SetFileAttribOp() : Operation(kSetFileAttrib) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelPath; }
    int panel_count() const override { return 2; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    int32_t attributes() const { return attributes_; }
    const std::string& path() const { return path_; }
private:
    int32_t attributes_ = 0;
    int32_t second_word_ = 0;  // read, not used
    std::string path_;
};

class CreateFileOp : public SinglePathOp {  // 6
public:
    CreateFileOp() : SinglePathOp(kCreateFile) {}
    int panel_id() const override { return kPanelPath; }
    int panel_count() const override { return 2; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
};

// ---- INI entries ----------------------------------------------------------

class IniEntryOpBase : public Operation {
public:
    IniEntryOpBase(OperationKind kind, bool has_value) : Operation(kind), has_value_(has_value) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelIni; }
    int panel_count() const override { return has_value_ ? 10 : 8; }
    void show_fields(FieldPanel& panel) const override;
    int32_t sequence() const { return sequence_; }
    const std::string& section() const { return section_; }
    const std::string& entry() const { return entry_; }
    const std::string& value() const { return value_; }
    const std::string& ini_file() const { return ini_file_; }
protected:
    bool has_value_;
    int32_t sequence_ = 0;
    std::string section_;
    std::string entry_;
    std::string value_;
    std::string ini_file_;
};

class AddIniEntryOp : public IniEntryOpBase {  // 7
public:
    AddIniEntryOp() : IniEntryOpBase(kAddIniEntry, false) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class DeleteIniEntryOp : public IniEntryOpBase {  // 8
public:
    DeleteIniEntryOp() : IniEntryOpBase(kDeleteIniEntry, true) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class SetIniEntryOp : public IniEntryOpBase {  // 9
public:
    SetIniEntryOp() : IniEntryOpBase(kSetIniEntry, true) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

// ---- Program Manager -------------------------------------------------------

class ProgramGroupOpBase : public Operation {
public:
    explicit ProgramGroupOpBase(OperationKind kind) : Operation(kind) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelProgman; }
    int panel_count() const override { return 2; }
    void show_fields(FieldPanel& panel) const override;
    const std::string& group() const { return group_; }
protected:
    std::string group_;
};

class AddProgramGroupOp : public ProgramGroupOpBase {  // 10
public:
    AddProgramGroupOp() : ProgramGroupOpBase(kAddProgramGroup) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class AddProgramItemOp : public Operation {  // 11
public:
    AddProgramItemOp() : Operation(kAddProgramItem) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelProgman; }
    int panel_count() const override { return 4; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    const std::string& group() const { return group_; }
    const std::string& item() const { return item_; }
private:
    std::string group_;
    std::string item_;
};

class DeleteProgramGroupOp : public ProgramGroupOpBase {  // 12
public:
    DeleteProgramGroupOp() : ProgramGroupOpBase(kDeleteProgramGroup) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class DeleteProgramItemOp : public Operation {  // 13
public:
    DeleteProgramItemOp();
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelProgman; }
    int panel_count() const override { return 15; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    const std::string& group() const { return group_; }
    const ProgramItemBlock& block() const { return block_; }
private:
    std::string group_;
    ProgramItemBlock block_;
};

// ---- Registry ----------------------------------------------------------------

class RegKeyOpBase : public Operation {
public:
    explicit RegKeyOpBase(OperationKind kind) : Operation(kind) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelRegistry; }
    int panel_count() const override { return 2; }
    void show_fields(FieldPanel& panel) const override;
    int32_t root() const { return root_; }
    const std::string& key() const { return key_; }
    // root\key, as the lists and panels show it.
    std::string root_and_key() const;
protected:
    int32_t root_ = 0;
    std::string key_;
};

class AddRegKeyOp : public RegKeyOpBase {  // 14
public:
    AddRegKeyOp() : RegKeyOpBase(kAddRegKey) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class RegFieldOpBase : public RegKeyOpBase {
public:
    explicit RegFieldOpBase(OperationKind kind) : RegKeyOpBase(kind) {}
    bool read_fields(LogStream& in) override;
    int panel_count() const override { return 4; }
    void show_fields(FieldPanel& panel) const override;
    const std::string& field() const { return field_; }
protected:
    std::string field_;
};

class AddRegFieldOp : public RegFieldOpBase {  // 15
public:
    AddRegFieldOp() : RegFieldOpBase(kAddRegField) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

// SetRegFieldOp and DeleteRegFieldOp: the field's previous (or deleted)
// type and data, restored by the undo.
class RegFieldDataOpBase : public RegFieldOpBase {
public:
    explicit RegFieldDataOpBase(OperationKind kind) : RegFieldOpBase(kind) {}
    bool read_fields(LogStream& in) override;
    bool undo(UndoServices& services) override;
    int32_t value_type() const { return type_; }
    int32_t data_size() const { return int32_t(data_.size()); }
    const std::vector<unsigned char>& data() const { return data_; }
protected:
    int32_t type_ = 0;
    std::vector<unsigned char> data_;
};

class SetRegFieldOp : public RegFieldDataOpBase {  // 16
public:
    SetRegFieldOp() : RegFieldDataOpBase(kSetRegField) {}
    std::string describe() const override;
};

class DeleteRegFieldOp : public RegFieldDataOpBase {  // 17
public:
    DeleteRegFieldOp() : RegFieldDataOpBase(kDeleteRegField) {}
    std::string describe() const override;
};

class DeleteRegKeyOp : public RegKeyOpBase {  // 18
public:
    DeleteRegKeyOp() : RegKeyOpBase(kDeleteRegKey) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

// ---- Appended files, INI sections, fonts ---------------------------------------

class InstallAppendFileOp : public Operation {  // 19
public:
    InstallAppendFileOp() : Operation(kInstallAppendFile) {}
    bool read_fields(LogStream& in) override;
    void reset() override { set_state(uninstall_ != 0 ? WillUndo : WontUndo); }
    int panel_id() const override { return kPanelInstall; }
    int panel_count() const override { return 7; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    int32_t uninstall_flag() const { return uninstall_; }
    int32_t offset() const { return offset_; }
    const std::string& from_path() const { return from_path_; }
    const std::string& to_path() const { return to_path_; }
private:
    int32_t uninstall_ = 0;
    int32_t offset_ = 0;
    std::string from_path_;
    std::string to_path_;
};

class IniSectionOpBase : public Operation {
public:
    explicit IniSectionOpBase(OperationKind kind) : Operation(kind) {}
    bool read_fields(LogStream& in) override;
    int panel_id() const override { return kPanelIni; }
    int panel_count() const override { return 4; }
    void show_fields(FieldPanel& panel) const override;
    const std::string& section() const { return section_; }
    const std::string& ini_file() const { return ini_file_; }
protected:
    std::string section_;
    std::string ini_file_;
};

class AddIniSectionOp : public IniSectionOpBase {  // 20
public:
    AddIniSectionOp() : IniSectionOpBase(kAddIniSection) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class DeleteIniSectionOp : public IniSectionOpBase {  // 21
public:
    DeleteIniSectionOp() : IniSectionOpBase(kDeleteIniSection) {}
    bool undo(UndoServices& services) override;
    std::string describe() const override;
};

class InstallFontOp : public Operation {  // 22
public:
    InstallFontOp() : Operation(kInstallFont) {}
    bool read_fields(LogStream& in) override;
    void reset() override { set_state(uninstall_ != 0 ? WillUndo : WontUndo); }
    int panel_id() const override { return kPanelPath; }
    int panel_count() const override { return 2; }
    bool undo(UndoServices& services) override;
    void show_fields(FieldPanel& panel) const override;
    std::string describe() const override;
    int32_t uninstall_flag() const { return uninstall_; }
    const std::string& path() const { return path_; }
private:
    int32_t uninstall_ = 0;
    std::string path_;
};

#endif
