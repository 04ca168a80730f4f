// A fake of UndoServices for tests: records every call as one line of text
// ("delete_file C:\\A.DLL") and answers from a script: each primitive returns
// the value set for its name (default 1; shared counts default -1), and the
// questions return the answers set for them (default true).
#ifndef TESTS_UNINSTALLER_CORE_RECORDING_SERVICES_H
#define TESTS_UNINSTALLER_CORE_RECORDING_SERVICES_H

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "undo_services.h"

class RecordingServices : public UndoServices {
public:
    std::vector<std::string> calls;
    std::map<std::string, int> results;  // by primitive name
    std::map<std::string, bool> answers; // by question name
    bool quiet = false;
    std::vector<bool> quiet_during_call;  // quiet flag seen by each primitive

    void set_quiet(bool q) override { quiet = q; }

    int directory_has_entries(const char* dir) override { return call("directory_has_entries", dir); }
    int remove_directory_tree(const char* dir) override { return call("remove_directory_tree", dir); }
    int make_directory(const char* dir) override { return call("make_directory", dir); }
    int move_file(const char* from, const char* to) override
    {
        return call("move_file", std::string(from) + " -> " + to);
    }
    int delete_file(const char* path) override { return call("delete_file", path); }
    int set_file_attributes(const char* path, int32_t attributes) override
    {
        return call("set_file_attributes", std::string(path) + " " + num(attributes));
    }
    int truncate_file(const char* path, int32_t length) override
    {
        return call("truncate_file", std::string(path) + " " + num(length));
    }
    int delete_file_at_restart(const char* path) override { return call("delete_file_at_restart", path); }
    int write_wininit_delete(const char* path) override { return call("write_wininit_delete", path); }
    int remove_font_resource(const char* path) override { return call("remove_font_resource", path); }
    int registry_key_has_subkeys(int32_t root, const char* key) override
    {
        return call("registry_key_has_subkeys", num(root) + " " + key);
    }
    int registry_delete_key(int32_t root, const char* key) override
    {
        return call("registry_delete_key", num(root) + " " + key);
    }
    int registry_create_key(int32_t root, const char* key) override
    {
        return call("registry_create_key", num(root) + " " + key);
    }
    int registry_delete_field(int32_t root, const char* key, const char* field) override
    {
        return call("registry_delete_field", num(root) + " " + key + " " + field);
    }
    int registry_set_field(int32_t root, const char* key, const char* field, int32_t type,
                           const unsigned char* data, int32_t size) override
    {
        std::string hex;
        for (int32_t i = 0; i < size; ++i) {
            char b[4];
            std::snprintf(b, sizeof b, "%02x", data[i]);
            hex += b;
        }
        return call("registry_set_field", num(root) + " " + key + " " + field + " type " +
                                              num(type) + " size " + num(size) + " " + hex);
    }
    int32_t shared_count(const char* path) override { return call("shared_count", path, -1); }
    int32_t decrement_shared_count(const char* path) override
    {
        return call("decrement_shared_count", path);
    }
    int ini_count_section_entries(const char* file, const char* section) override
    {
        return call("ini_count_section_entries", std::string(file) + " [" + section + "]");
    }
    int ini_add_section(const char* file, const char* section) override
    {
        return call("ini_add_section", std::string(file) + " [" + section + "]");
    }
    int ini_delete_section(const char* file, const char* section) override
    {
        return call("ini_delete_section", std::string(file) + " [" + section + "]");
    }
    int ini_insert_entry(const char* file, const char* section, const char* name,
                         const char* value, int32_t sequence) override
    {
        return call("ini_insert_entry", std::string(file) + " [" + section + "] " + name + "=" +
                                            value + " #" + num(sequence));
    }
    int ini_set_entry(const char* file, const char* section, const char* name, const char* value,
                      int32_t sequence) override
    {
        return call("ini_set_entry", std::string(file) + " [" + section + "] " + name + "=" +
                                         value + " #" + num(sequence));
    }
    int ini_delete_entry(const char* file, const char* section, const char* name,
                         int32_t sequence) override
    {
        return call("ini_delete_entry",
                    std::string(file) + " [" + section + "] " + name + " #" + num(sequence));
    }
    int progman_begin() override { return call("progman_begin", ""); }
    void progman_end(bool close_if_started) override
    {
        call("progman_end", close_if_started ? "close" : "keep");
    }
    int progman_group_has_items(const char* group) override
    {
        return call("progman_group_has_items", group);
    }
    int progman_delete_group(const char* group) override { return call("progman_delete_group", group); }
    int progman_create_group(const char* group) override { return call("progman_create_group", group); }
    int progman_delete_item(const char* group, const char* item) override
    {
        return call("progman_delete_item", std::string(group) + " / " + item);
    }
    int progman_add_item(const char* group, const ProgramItemBlock& block) override
    {
        return call("progman_add_item", std::string(group) + " / " + block.name + " / " +
                                            block.command_line + " / " + block.icon_path + " / " +
                                            block.working_dir + " / " + num(block.icon_index) +
                                            " " + num(block.x) + " " + num(block.y) + " " +
                                            num(block.hot_key) + " " + num(block.run_minimized));
    }
    bool ask_delete_non_empty_directory(const char* dir) override
    {
        return ask("ask_delete_non_empty_directory", dir);
    }
    bool ask_delete_non_empty_ini_section(const char* section) override
    {
        return ask("ask_delete_non_empty_ini_section", section);
    }
    bool ask_delete_non_empty_program_group(const char* group) override
    {
        return ask("ask_delete_non_empty_program_group", group);
    }
    bool ask_delete_non_empty_registry_key(const char* key) override
    {
        return ask("ask_delete_non_empty_registry_key", key);
    }
    bool ask_delete_shared_file(const char* path) override
    {
        return ask("ask_delete_shared_file", path);
    }

private:
    static std::string num(long value) { return std::to_string(value); }

    int call(const std::string& name, const std::string& args, int fallback = 1)
    {
        calls.push_back(args.empty() ? name : name + " " + args);
        quiet_during_call.push_back(quiet);
        std::map<std::string, int>::const_iterator found = results.find(name);
        return found == results.end() ? fallback : found->second;
    }

    bool ask(const std::string& name, const std::string& args)
    {
        calls.push_back(name + " " + args);
        std::map<std::string, bool>::const_iterator found = answers.find(name);
        return found == answers.end() ? true : found->second;
    }
};

#endif
