// Path texts of the uninstaller, worked on as texts only (no file system):
// drive roots, comparison, parent and directory parts, joining.
//
// A path is a Windows ANSI text of at most kMaxPathLength (259) characters
// with "\" as the separator; "/" is accepted where a parent or a name is
// taken. A drive root is exactly two characters, the second ":" ("C:"): it
// always exists and has no parent. This file needs no <windows.h>.
#ifndef RAVELUP_FILES_PATH_TEXT_H
#define RAVELUP_FILES_PATH_TEXT_H

#include <string>

const std::string::size_type kMaxPathLength = 259;   // work buffers hold 260 bytes

// "C:" and nothing more.
bool is_drive_root(const std::string& path);

// Equal texts, compared character by character without regard to ASCII
// letter case; separators and relative parts are not normalised.
bool same_path(const std::string& a, const std::string& b);

// The path cut at its last "\" (or, when it has none, its last "/"). False
// for a drive root and for a path with neither separator.
bool parent_path(const std::string& path, std::string* parent);

// Drive and directory of the path without a trailing "\":
// "C:\a\b\f.txt" -> "C:\a\b", "C:\f.txt" -> "C:", "f.txt" -> "".
std::string directory_part(const std::string& path);

// Name and extension: "C:\a\f.txt" -> "f.txt".
std::string name_part(const std::string& path);

// directory + "\" + name; no "\" is added when the directory is empty or
// already ends with one.
std::string join_path(const std::string& directory, const std::string& name);

// The path with its extension replaced: ("C:\a\x.log", "bak") ->
// "C:\a\x.bak"; a name without an extension gets one.
std::string replace_extension(const std::string& path, const std::string& extension);

// Candidate n of a unique temporary name: "%s%03d.%03d" with n / 1000 and
// n % 1000 ("tmp", 1) -> "tmp000.001". n is below 1000000.
std::string unique_name_candidate(const std::string& prefix, int n);

#endif
