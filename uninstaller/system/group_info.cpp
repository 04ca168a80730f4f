#include "uninstaller/system/group_info.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

std::vector<std::string> split_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

int32_t decimal(const std::vector<std::string>& fields, size_t index)
{
    if (index >= fields.size())
        return 0;
    return static_cast<int32_t>(std::strtol(fields[index].c_str(), nullptr, 10));
}

void copy_field(const std::vector<std::string>& fields, size_t index, char* target, size_t size)
{
    std::memset(target, 0, size);
    if (index < fields.size())
        std::strncpy(target, fields[index].c_str(), size - 1);
}

bool equal_ignoring_case(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::vector<std::string> split_group_info_fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (char c : line) {
        if (c == '"')
            quoted = !quoted;
        else if (c == ',' && !quoted) {
            fields.push_back(field);
            field.clear();
        } else
            field += c;
    }
    fields.push_back(field);
    return fields;
}

bool parse_group_info(const std::string& text, std::string* group_name, std::vector<ProgramItemBlock>* items)
{
    std::vector<std::string> lines = split_lines(text);
    items->clear();
    if (lines.empty())
        return false;
    std::vector<std::string> header = split_group_info_fields(lines[0]);
    *group_name = header[0];
    long count = decimal(header, 2);
    for (long i = 0; i < count && static_cast<size_t>(i) + 1 < lines.size(); ++i) {
        std::vector<std::string> fields = split_group_info_fields(lines[static_cast<size_t>(i) + 1]);
        ProgramItemBlock block;
        std::memset(&block, 0, sizeof block);
        copy_field(fields, 0, block.name, sizeof block.name);
        copy_field(fields, 1, block.command_line, sizeof block.command_line);
        copy_field(fields, 2, block.working_dir, sizeof block.working_dir);
        copy_field(fields, 3, block.icon_path, sizeof block.icon_path);
        block.x = decimal(fields, 4);
        block.y = decimal(fields, 5);
        block.icon_index = decimal(fields, 6);
        block.hot_key = decimal(fields, 7);
        block.run_minimized = decimal(fields, 8);
        items->push_back(block);
    }
    return true;
}

bool groups_list_contains(const std::string& text, const std::string& group)
{
    for (const std::string& line : split_lines(text))
        if (equal_ignoring_case(line, group))
            return true;
    return false;
}
