#include "uninstaller/system/ini_entries.h"

#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/sectioned_file.h"
#include "uninstaller/system/system_context.h"

namespace {

bool directory_check(SystemContext& context, const char* file)
{
    std::string directory = directory_part(file);
    if (directory.empty())
        return true;   // a bare name: the Windows directory or the current one
    return dir_make_chain(context, directory) != kDirFailed;
}

int insert_at_end(SystemContext& context, const char* file, const char* section, const char* name,
                  const char* value)
{
    int count = sectioned_file::count_entries(file, section, name);
    return ini_insert_entry(context, file, section, name, value, count < 0 ? 0 : count);
}

}  // namespace

int ini_add_section(SystemContext& context, const char* file, const char* section)
{
    if (!directory_check(context, file))
        return 0;
    if (!sectioned_file::add_section(file, section)) {
        context.report_failure("Unable to add INI section %s in file %s", section, file);
        return 0;
    }
    return 1;
}

int ini_delete_section(SystemContext& context, const char* file, const char* section)
{
    int count = sectioned_file::count_entries(file, section, nullptr);
    if (count < 0)
        return 1;
    for (int i = 0; i < count; ++i) {
        std::string name, value;
        if (sectioned_file::get_entry(file, section, 0, &name, &value) &&
            !ini_delete_entry(context, file, section, name.c_str(), 0))
            return 0;
    }
    if (!sectioned_file::delete_section(file, section)) {
        context.report_failure("Unable to delete INI section %s in file %s", section, file);
        return 0;
    }
    return 1;
}

int ini_insert_entry(SystemContext& context, const char* file, const char* section, const char* name,
                     const char* value, int seq)
{
    if (!directory_check(context, file))
        return 0;
    if (path_exists(file)) {
        int count = sectioned_file::count_entries(file, section, name);
        if (count < 0)
            seq = 0;
        else if (count < seq)
            seq = count;
    }
    if (!sectioned_file::insert_entry(file, section, name, value, seq)) {
        context.report_failure("Unable to insert INI entry %s", name);
        return 0;
    }
    return 1;
}

int ini_set_entry(SystemContext& context, const char* file, const char* section, const char* name,
                  const char* value, int seq)
{
    std::string current;
    if (!sectioned_file::get_value(file, section, name, seq, &current))
        return insert_at_end(context, file, section, name, value);
    if (!sectioned_file::set_entry(file, section, name, value, seq)) {
        context.report_failure("Unable to set INI entry %s", name);
        return 0;
    }
    return 1;
}

int ini_delete_entry(SystemContext& context, const char* file, const char* section, const char* name, int seq)
{
    std::string current;
    if (!sectioned_file::get_value(file, section, name, seq, &current))
        return 1;
    if (!sectioned_file::delete_entry(file, section, name, seq)) {
        context.report_failure("Unable to delete INI entry %s", name);
        return 0;
    }
    return 1;
}
