// UndoServices: the system primitives through which the operation records
// undo what the installer did. The records (operation_kinds.h) hold only the
// logic of each undo; every effect on the system, and every question put to
// the user during an undo, goes through this interface. The Windows program
// implements it on the system-services context (registry, INI files,
// Program Manager by DDE, files and directories, fonts, message boxes); the
// tests implement it with a fake that records the calls and answers from a
// script.
//
// Conventions, the same for every primitive:
// - Strings are NUL-terminated Windows ANSI texts; paths have at most 259
//   characters (the records never hold longer ones).
// - A primitive returns 1 for success and 0 for failure; where "not
//   applicable" or "not found" is distinct, it returns -1 (stated per call).
// - A failing primitive reports its own message (for instance "Unable to
//   delete file %s") through the context, which shows it unless the quiet
//   flag is set; the caller only passes the result on.
// - Deleting something that is already gone counts as success.
// - Registry roots are the root indexes of the installation log:
//   0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER, 2 HKEY_LOCAL_MACHINE,
//   3 HKEY_USERS; any other index names no valid root (the primitive fails
//   and reports it).
// - The ask_* questions return true for the first button ("&Yes", or
//   "Delete" for the shared file) and false for any other answer, Esc
//   included.
#ifndef RAVELUP_CORE_UNDO_SERVICES_H
#define RAVELUP_CORE_UNDO_SERVICES_H

#include <cstdint>

#include "program_item_block.h"

class UndoServices {
public:
    virtual ~UndoServices() {}

    // ---- Context --------------------------------------------------------
    // While quiet, failure reports are not shown (the primitive still fails
    // and the context keeps its error code). The undo run sets it around
    // each record's undo.
    virtual void set_quiet(bool quiet) = 0;

    // ---- Files and directories ------------------------------------------
    // 1 when the directory holds any entry other than "." and "..";
    // 0 when it is empty or does not exist. Reports nothing.
    virtual int directory_has_entries(const char* dir) = 0;
    // Remove the directory with everything in it: each file deleted (its
    // read-only, hidden and system attributes cleared first), each
    // subdirectory removed the same way, then the directory itself, after
    // moving the current directory to the drive's root. A missing directory
    // counts as removed. 1 / 0.
    virtual int remove_directory_tree(const char* dir) = 0;
    // Create one directory level: 0 created, 1 already existed, 2 failed
    // (reported "Unable to create dir %s").
    virtual int make_directory(const char* dir) = 0;
    // Move a file: the destination's directory is created when missing, an
    // existing destination is deleted first, then a rename, or a copy and a
    // delete of the source. 1 / 0.
    virtual int move_file(const char* from, const char* to) = 0;
    // Delete a file, clearing its read-only, hidden and system attributes
    // first. A file that does not exist counts as deleted. 1 / 0.
    virtual int delete_file(const char* path) = 0;
    // Set the file's attributes (the FILE_ATTRIBUTE_* bits); no write when
    // they are already equal. 1 / 0 ("Unable to get the file attributes of
    // %s", "Unable to set the file attributes of %s").
    virtual int set_file_attributes(const char* path, int32_t attributes) = 0;
    // Cut an existing file back to the given length in place (open for
    // writing without truncation, set the end of file there, close). Never
    // empties the file on the way. 1 / 0 ("Unable to open file %s", "Unable
    // to write to file %s"); a negative length fails.
    virtual int truncate_file(const char* path, int32_t length) = 0;
    // Schedule the file's deletion at the next start of Windows with
    // MoveFileExA(path, NULL, MOVEFILE_DELAY_UNTIL_REBOOT). 1 when the call
    // succeeded, 0 otherwise (no message).
    virtual int delete_file_at_restart(const char* path) = 0;
    // The fallback of delete_file_at_restart: add the entry "NUL" = path
    // at the end of section "rename" of the Windows
    // directory's "wininit.ini", keeping the NUL entries already there
    // (every one names a file to delete at the restart). 1 / 0 (no
    // message).
    virtual int write_wininit_delete(const char* path) = 0;

    // ---- Fonts ----------------------------------------------------------
    // RemoveFontResourceA(path): 1 when it returned non-zero, else 0.
    virtual int remove_font_resource(const char* path) = 0;

    // ---- Registry and shared-DLL counts ---------------------------------
    // 1 when the key has at least one subkey, else 0.
    virtual int registry_key_has_subkeys(int32_t root, const char* key) = 0;
    // Delete the key with all its subkeys and fields, deepest first.
    // A missing key counts as deleted. 1 / 0.
    virtual int registry_delete_key(int32_t root, const char* key) = 0;
    // Create the key, with its missing parents from the top down. 1 / 0.
    virtual int registry_create_key(int32_t root, const char* key) = 0;
    // Delete the field (named value). A missing field counts as deleted.
    // 1 / 0.
    virtual int registry_delete_field(int32_t root, const char* key, const char* field) = 0;
    // Set the field to the type, size and data given (the key is created
    // when missing). data may be null only when size is 0. 1 / 0.
    virtual int registry_set_field(int32_t root, const char* key, const char* field,
                                   int32_t type, const unsigned char* data, int32_t size) = 0;
    // The shared reference count of the file under the "SharedDLLs" key:
    // the count, 0 when the file has no field there, -1 when the file lies
    // neither in the shared directory nor in the common-files directory.
    virtual int32_t shared_count(const char* path) = 0;
    // Decrement the shared count: at 1 the field is removed, otherwise it is
    // rewritten as count - 1 with its old type. The new count, or -1.
    virtual int32_t decrement_shared_count(const char* path) = 0;

    // ---- INI files (sectioned text files) -------------------------------
    // The number of entries in the section (all names), -1 when the file or
    // the section is missing or the file is not readable and writable.
    virtual int ini_count_section_entries(const char* file, const char* section) = 0;
    // The section exists afterwards (file and directory created when
    // missing). 1 / 0.
    virtual int ini_add_section(const char* file, const char* section) = 0;
    // The section and all its entries are gone; a missing section counts as
    // deleted. 1 / 0.
    virtual int ini_delete_section(const char* file, const char* section) = 0;
    // A new entry before the same-named entry with that sequence number (at
    // the end of the section when there are fewer). 1 / 0.
    virtual int ini_insert_entry(const char* file, const char* section, const char* name,
                                 const char* value, int32_t sequence) = 0;
    // The entry with that sequence number gets the value (a new entry at the
    // end of the section when there is none). 1 / 0.
    virtual int ini_set_entry(const char* file, const char* section, const char* name,
                              const char* value, int32_t sequence) = 0;
    // The entry with that sequence number is gone; a missing entry counts as
    // deleted. 1 / 0.
    virtual int ini_delete_entry(const char* file, const char* section, const char* name,
                                 int32_t sequence) = 0;

    // ---- Program Manager (DDE) ------------------------------------------
    // Open the conversation with Program Manager (starting it when needed).
    // 1 / 0. Every group and item primitive below needs an open one.
    virtual int progman_begin() = 0;
    // End the conversation; with close_if_started set, also close a Program
    // Manager that progman_begin had to start.
    virtual void progman_end(bool close_if_started) = 0;
    // 1 when the group's information lists at least one item, 0 when it
    // lists none or the group does not exist, -1 when the group exists but
    // its information cannot be read.
    virtual int progman_group_has_items(const char* group) = 0;
    // Delete the group; a group that does not exist counts as deleted. 1 / 0.
    virtual int progman_delete_group(const char* group) = 0;
    // Create the group; an existing group counts as created. 1 / 0.
    virtual int progman_create_group(const char* group) = 0;
    // Delete the item from the group; a missing item counts as deleted.
    // When the group's information cannot be read the delete command is
    // sent all the same and its answer decides. 1 / 0.
    virtual int progman_delete_item(const char* group, const char* item) = 0;
    // Re-create the item in the group from its block (the group is created
    // when missing, a same-named item deleted first). 1 / 0.
    virtual int progman_add_item(const char* group, const ProgramItemBlock& block) = 0;

    // ---- Questions (modal, centred over the main dialog) -----------------
    // "Non-Empty Directory": "Directory %s not empty\nDelete all\nfiles and
    // subdirectories?" with the directory's full path; "&Yes" / "&No".
    virtual bool ask_delete_non_empty_directory(const char* dir) = 0;
    // "Non-Empty INI Section": "INI section %s not empty\nDelete all
    // entries?" with the section name; "&Yes" / "&No".
    virtual bool ask_delete_non_empty_ini_section(const char* section) = 0;
    // "Non-Empty Program Group": "Program group %s not empty\nDelete all
    // entries?" with the group name; "&Yes" / "&No".
    virtual bool ask_delete_non_empty_program_group(const char* group) = 0;
    // "Non-Empty Registration Key": "Registration key %s not empty\nDelete
    // all subkeys?" with the key path without the root's name; "&Yes" /
    // "&No".
    virtual bool ask_delete_non_empty_registry_key(const char* key) = 0;
    // "Delete Shared File": "The reference count of %s has reached zero.
    // Would you like to delete it?\nWarning: some older applications may not
    // run without it. Contact your system manager if needed." with the full
    // path; "Delete" (true) / "Keep" (false, also Esc).
    virtual bool ask_delete_shared_file(const char* path) = 0;
};

#endif
