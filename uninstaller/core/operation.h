// Operation: one undoable change read from the installation log, the base of
// the 23 record classes of operation_kinds.h. A record has a kind, a state
// that the user can partly change and the undo run advances, and an owner
// (the undo session that holds the list; the undo of InstallCreateFileOp
// tells it that Windows must be restarted).
//
// Each kind reads its own fields from the log (read_fields), describes itself
// in one line for the list (describe), names the hidden panel of the main
// dialog that shows its fields and how many controls of it are shown
// (panel_id, panel_count), writes its fields into that panel (show_fields)
// and undoes itself through the system primitives (undo).
#ifndef RAVELUP_CORE_OPERATION_H
#define RAVELUP_CORE_OPERATION_H

#include <cstdint>
#include <string>

class LogStream;
class UndoServices;

// Kind codes as stored in the installation log.
enum OperationKind {
    kMakeDir = 0,
    kDeleteDir = 1,
    kRenameFile = 2,
    kDeleteFile = 3,
    kInstallCreateFile = 4,
    kSetFileAttrib = 5,
    kCreateFile = 6,
    kAddIniEntry = 7,
    kDeleteIniEntry = 8,
    kSetIniEntry = 9,
    kAddProgramGroup = 10,
    kAddProgramItem = 11,
    kDeleteProgramGroup = 12,
    kDeleteProgramItem = 13,
    kAddRegKey = 14,
    kAddRegField = 15,
    kSetRegField = 16,
    kDeleteRegField = 17,
    kDeleteRegKey = 18,
    kInstallAppendFile = 19,
    kAddIniSection = 20,
    kDeleteIniSection = 21,
    kInstallFont = 22
};

enum { kOperationKindCount = 23 };

// Record states; the values are those the main dialog's radio buttons
// 102..106 stand for (button = 102 + state).
enum OperationState {
    WillUndo = 0,
    WontUndo = 1,
    CantUndo = 2,
    UndoneOk = 3,
    UndoneFailed = 4
};

// "Will be undone", "Won't be undone", "Can't be undone", "Undone OK",
// "Undone failed"; "" for a value outside 0..4.
const char* state_text(OperationState state);

// Where show_fields writes: the main dialog implements it on its controls.
// set_check sets an auto check box to the flag and then disables it.
class FieldPanel {
public:
    virtual ~FieldPanel() {}
    virtual void set_text(int control_id, const std::string& text) = 0;
    virtual void set_check(int control_id, bool checked) = 0;
};

// The holder of the record list; told when an undo needs a restart of
// Windows.
class OperationOwner {
public:
    virtual ~OperationOwner() {}
    virtual void set_reboot_needed() = 0;
};

// Control ids of the main dialog's panels (group boxes and their controls).
enum PanelControl {
    kPanelDirectory = 110, kEditDirectory = 111,
    kPanelRename = 112, kEditNewPath = 113, kEditOldPath = 114,
    kPanelPath = 115, kEditPath = 116,
    kPanelInstall = 117, kEditFromPath = 118, kEditToPath = 119,
    kCheckUninstall = 120, kEditOffset = 121,
    kPanelIni = 130, kEditIniFile = 131, kEditIniSection = 132, kEditIniEntry = 133,
    kEditIniSequence = 134, kEditIniValue = 135,
    kPanelProgman = 140, kEditGroup = 141, kEditItem = 142, kEditCommandLine = 143,
    kEditIconPath = 144, kEditIconIndex = 145, kEditWorkingDir = 146,
    kCheckRunMinimized = 147, kEditHotKey = 148,
    kPanelRegistry = 150, kEditRegKeyPath = 151, kEditRegKeyField = 152,
    kEditRegKeyValue = 153
};

class Operation {
public:
    explicit Operation(OperationKind kind) : kind_(kind) {}
    virtual ~Operation() {}

    // Puts the record into its initial state (the base: WillUndo).
    virtual void reset() { state_ = WillUndo; }
    virtual int panel_id() const = 0;
    virtual int panel_count() const = 0;
    // Performs the undo; true on success.
    virtual bool undo(UndoServices& services) = 0;
    virtual void show_fields(FieldPanel& panel) const = 0;
    // One line for the list, at most 255 characters (longer ones are cut).
    virtual std::string describe() const = 0;

    // Reads the kind's fields (the kind code is already read). False when
    // the stream failed; the stream then holds the reason.
    virtual bool read_fields(LogStream& in) = 0;

    OperationKind kind() const { return kind_; }
    OperationState state() const { return state_; }
    void set_state(OperationState state) { state_ = state; }
    OperationOwner* owner() const { return owner_; }
    void set_owner(OperationOwner* owner) { owner_ = owner; }

private:
    Operation(const Operation&);
    Operation& operator=(const Operation&);

    OperationKind kind_;
    OperationState state_ = WillUndo;
    OperationOwner* owner_ = nullptr;
};

#endif
