// Loads arbitrary bytes as an installation log; when they load, every record
// is described, shown and undone against services that accept everything.
// Checks: no crash, overrun or leak, and a failed load keeps no record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "installation_log.h"
#include "operation.h"
#include "report.h"
#include "undo_services.h"

namespace {

class NullPanel : public FieldPanel {
public:
    void set_text(int, const std::string& text) override { total += text.size(); }
    void set_check(int, bool checked) override { total += checked; }
    size_t total = 0;
};

class AcceptingServices : public UndoServices {
public:
    void set_quiet(bool) override {}
    int directory_has_entries(const char*) override { return 1; }
    int remove_directory_tree(const char*) override { return 1; }
    int make_directory(const char*) override { return 0; }
    int move_file(const char*, const char*) override { return 1; }
    int delete_file(const char*) override { return 0; }
    int set_file_attributes(const char*, int32_t) override { return 1; }
    int truncate_file(const char*, int32_t) override { return 1; }
    int delete_file_at_restart(const char*) override { return 0; }
    int write_wininit_delete(const char*) override { return 1; }
    int remove_font_resource(const char*) override { return 1; }
    int registry_key_has_subkeys(int32_t, const char*) override { return 1; }
    int registry_delete_key(int32_t, const char*) override { return 1; }
    int registry_create_key(int32_t, const char*) override { return 1; }
    int registry_delete_field(int32_t, const char*, const char*) override { return 1; }
    int registry_set_field(int32_t, const char*, const char*, int32_t, const unsigned char* data,
                           int32_t size) override
    {
        // Touch every byte the record claims to hold.
        unsigned sum = 0;
        for (int32_t i = 0; i < size; ++i)
            sum += data[i];
        return sum != 0xFFFFFFFFu ? 1 : 0;
    }
    int32_t shared_count(const char*) override { return 1; }
    int32_t decrement_shared_count(const char*) override { return 0; }
    int ini_count_section_entries(const char*, const char*) override { return 2; }
    int ini_add_section(const char*, const char*) override { return 1; }
    int ini_delete_section(const char*, const char*) override { return 1; }
    int ini_insert_entry(const char*, const char*, const char*, const char*, int32_t) override { return 1; }
    int ini_set_entry(const char*, const char*, const char*, const char*, int32_t) override { return 1; }
    int ini_delete_entry(const char*, const char*, const char*, int32_t) override { return 1; }
    int progman_begin() override { return 1; }
    void progman_end(bool) override {}
    int progman_group_has_items(const char*) override { return 1; }
    int progman_delete_group(const char*) override { return 1; }
    int progman_create_group(const char*) override { return 1; }
    int progman_delete_item(const char*, const char*) override { return 1; }
    int progman_add_item(const char*, const ProgramItemBlock& block) override
    {
        return std::string(block.name).size() < 60 ? 1 : 0;
    }
    bool ask_delete_non_empty_directory(const char*) override { return true; }
    bool ask_delete_non_empty_ini_section(const char*) override { return false; }
    bool ask_delete_non_empty_program_group(const char*) override { return true; }
    bool ask_delete_non_empty_registry_key(const char*) override { return true; }
    bool ask_delete_shared_file(const char*) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    InstallationLog log;
    RecordingReporter reporter;
    bool ok = load_installation_log(data, size, reporter, &log);
    if (!ok) {
        if (!log.records.empty() || reporter.messages.size() != 1)
            std::abort();
        return 0;
    }
    if (!reporter.messages.empty())
        std::abort();
    NullPanel panel;
    AcceptingServices services;
    for (size_t i = 0; i < log.records.size(); ++i) {
        Operation& op = *log.records[i];
        if (op.describe().size() > 255)
            std::abort();
        if (op.panel_id() < 110 || op.panel_id() > 150 || op.panel_count() < 2 ||
            op.panel_count() > 15)
            std::abort();
        op.show_fields(panel);
        op.undo(services);
        op.reset();
    }
    return 0;
}
