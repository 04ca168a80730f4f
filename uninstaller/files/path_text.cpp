#include "uninstaller/files/path_text.h"

#include <cctype>
#include <cstdio>

namespace {

bool is_separator(char c)
{
    return c == '\\' || c == '/';
}

// Index of the first character of the name (after drive and directory).
std::string::size_type name_start(const std::string& path)
{
    std::string::size_type start = 0;
    if (path.size() >= 2 && path[1] == ':')
        start = 2;
    for (std::string::size_type i = start; i < path.size(); ++i)
        if (is_separator(path[i]))
            start = i + 1;
    return start;
}

}  // namespace

bool is_drive_root(const std::string& path)
{
    return path.size() == 2 && path[1] == ':';
}

bool same_path(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i) {
        int ca = std::toupper(static_cast<unsigned char>(a[i]));
        int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb)
            return false;
    }
    return true;
}

bool parent_path(const std::string& path, std::string* parent)
{
    if (is_drive_root(path))
        return false;
    std::string::size_type cut = path.rfind('\\');
    if (cut == std::string::npos)
        cut = path.rfind('/');
    if (cut == std::string::npos)
        return false;
    *parent = path.substr(0, cut);
    return true;
}

std::string directory_part(const std::string& path)
{
    std::string directory = path.substr(0, name_start(path));
    if (!directory.empty() && is_separator(directory.back()) &&
        !(directory.size() == 1))
        directory.pop_back();
    else if (directory.size() == 1 && is_separator(directory[0]))
        directory.clear();
    return directory;
}

std::string name_part(const std::string& path)
{
    return path.substr(name_start(path));
}

std::string join_path(const std::string& directory, const std::string& name)
{
    if (directory.empty() || directory.back() == '\\')
        return directory + name;
    return directory + "\\" + name;
}

std::string replace_extension(const std::string& path, const std::string& extension)
{
    std::string::size_type start = name_start(path);
    std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos || dot < start)
        return path + "." + extension;
    return path.substr(0, dot + 1) + extension;
}

std::string unique_name_candidate(const std::string& prefix, int n)
{
    char number[16];
    std::snprintf(number, sizeof number, "%03d.%03d", (n / 1000) % 1000, n % 1000);
    return prefix + number;
}
