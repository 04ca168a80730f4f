// Program Manager's group information, as it answers a DDE request whose
// item is a group's name: text lines (CR LF or LF) of comma-separated
// fields; a field may be enclosed in double quotes, inside which commas do
// not separate (the quotes are dropped).
//
//   line 1:   field 0 group name, field 2 number of items (decimal)
//   line 2..: one item each: 0 name, 1 command line, 2 working directory,
//             3 icon path, 4 x, 5 y, 6 icon index, 7 hot key, 8 minimized
//
// The text comes from another program: the announced count is trusted only
// as far as lines exist, texts are cut to their block members, and numbers
// that are not decimal read as 0. This file needs no <windows.h>.
#ifndef RAVELUP_SYSTEM_GROUP_INFO_H
#define RAVELUP_SYSTEM_GROUP_INFO_H

#include "uninstaller/core/program_item_block.h"

#include <string>
#include <vector>

// The fields of one line.
std::vector<std::string> split_group_info_fields(const std::string& line);

// Parses the group information; false when there is no first line.
bool parse_group_info(const std::string& text, std::string* group_name, std::vector<ProgramItemBlock>* items);

// One name per line (the answer to the item "GROUPS"): whether `group` is
// among them, compared without regard to letter case.
bool groups_list_contains(const std::string& text, const std::string& group);

#endif
