// Win32UndoServices: the undo primitives of the operation records on the
// real system, through the program's system-services context (its owner
// window, quiet flag and error code): files and directories, fonts,
// registry and shared-DLL counts, INI files, Program Manager by DDE, and
// the questions, shown as the program's own message boxes over the
// context's owner window (the main dialog).
#ifndef RAVELUP_CORE_WIN32_UNDO_SERVICES_H
#define RAVELUP_CORE_WIN32_UNDO_SERVICES_H

#include "uninstaller/core/undo_services.h"

class SystemContext;

class Win32UndoServices : public UndoServices {
public:
    explicit Win32UndoServices(SystemContext& context) : context_(context) {}

    void set_quiet(bool quiet) override;

    int directory_has_entries(const char* dir) override;
    int remove_directory_tree(const char* dir) override;
    int make_directory(const char* dir) override;
    int move_file(const char* from, const char* to) override;
    int delete_file(const char* path) override;
    int set_file_attributes(const char* path, int32_t attributes) override;
    int truncate_file(const char* path, int32_t length) override;
    int delete_file_at_restart(const char* path) override;
    int write_wininit_delete(const char* path) override;

    int remove_font_resource(const char* path) override;

    int registry_key_has_subkeys(int32_t root, const char* key) override;
    int registry_delete_key(int32_t root, const char* key) override;
    int registry_create_key(int32_t root, const char* key) override;
    int registry_delete_field(int32_t root, const char* key, const char* field) override;
    int registry_set_field(int32_t root, const char* key, const char* field, int32_t type,
                           const unsigned char* data, int32_t size) override;
    int32_t shared_count(const char* path) override;
    int32_t decrement_shared_count(const char* path) override;

    int ini_count_section_entries(const char* file, const char* section) override;
    int ini_add_section(const char* file, const char* section) override;
    int ini_delete_section(const char* file, const char* section) override;
    int ini_insert_entry(const char* file, const char* section, const char* name, const char* value,
                         int32_t sequence) override;
    int ini_set_entry(const char* file, const char* section, const char* name, const char* value,
                      int32_t sequence) override;
    int ini_delete_entry(const char* file, const char* section, const char* name, int32_t sequence) override;

    int progman_begin() override;
    void progman_end(bool close_if_started) override;
    int progman_group_has_items(const char* group) override;
    int progman_delete_group(const char* group) override;
    int progman_create_group(const char* group) override;
    int progman_delete_item(const char* group, const char* item) override;
    int progman_add_item(const char* group, const ProgramItemBlock& block) override;

    bool ask_delete_non_empty_directory(const char* dir) override;
    bool ask_delete_non_empty_ini_section(const char* section) override;
    bool ask_delete_non_empty_program_group(const char* group) override;
    bool ask_delete_non_empty_registry_key(const char* key) override;
    bool ask_delete_shared_file(const char* path) override;

private:
    SystemContext& context_;
};

#endif
