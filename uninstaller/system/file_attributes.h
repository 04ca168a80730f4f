// File attributes and directory removal, the file primitives that the undo
// actions use directly from the system services. Each takes the
// system-services context first, reports its own failure through it and
// returns 1 for success, 0 for failure.
#ifndef RAVELUP_SYSTEM_FILE_ATTRIBUTES_H
#define RAVELUP_SYSTEM_FILE_ATTRIBUTES_H

#include <string>

class SystemContext;

// Gives the file the wanted FILE_ATTRIBUTE_* bits; nothing is written when
// they are already equal. "Unable to get the file attributes of %s",
// "Unable to set the file attributes of %s".
int set_file_attributes(SystemContext& context, const std::string& path, unsigned long attributes);

// Removes the directory with everything in it (files are deleted with
// their read-only, hidden and system attributes cleared). Stops at the first
// failure; the directory then stays, and its removal reports the failure.
// A directory symbolic link or junction, inside the tree or as the
// directory itself, is removed as a link: what it points to stays.
int remove_directory_tree(SystemContext& context, const std::string& directory);

// Removes one empty directory after moving the current directory to the
// root of the current drive. A missing directory counts as removed.
// Failure: "Unable to delete file %s" with the directory.
int remove_directory(SystemContext& context, const std::string& directory);

// 1 when the directory holds any entry other than "." and "..", 0 when it
// is empty or missing. Reports nothing.
int directory_has_entries(const std::string& directory);

#endif
