// The Program Manager DDE client: groups and items are created and deleted
// by DDE execute commands to service and topic "PROGMAN", after checking
// what exists with requests ("GROUPS", and a group's name for its items).
//
// progman_begin opens the conversation (starting Program Manager when it is
// not running) and keeps it in the system-services context; every group and
// item primitive needs it and otherwise fails with "begddepm() has not been
// called". progman_end closes it (and, with close_if_started, a Program
// Manager that progman_begin started). Transactions time out after 60 s.
// Each primitive returns 1 / 0 and reports its own failure.
#ifndef RAVELUP_SYSTEM_PROGMAN_CLIENT_H
#define RAVELUP_SYSTEM_PROGMAN_CLIENT_H

#include "uninstaller/core/program_item_block.h"

#include <string>
#include <vector>

class SystemContext;

const unsigned long kDdeTimeoutMs = 60000;

int progman_begin(SystemContext& context);
// Starts progman.exe unless a window of class "PROGMAN" exists already:
// 1 started by this call, 0 running already, -1 could not be started.
int progman_start_if_missing();
void progman_end(SystemContext& context, bool close_if_started);

int progman_create_group(SystemContext& context, const char* group);
int progman_delete_group(SystemContext& context, const char* group);
int progman_add_item(SystemContext& context, const char* group, const ProgramItemBlock& block);
int progman_delete_item(SystemContext& context, const char* group, const char* item);
// 1 the group holds items, 0 it is empty or not there, -1 it exists but
// its contents cannot be read.
int progman_group_has_items(SystemContext& context, const char* group);

// Lower level, on the open conversation.
bool progman_execute(SystemContext& context, const std::string& command);
// The answer's text; false when the request fails.
bool progman_request(SystemContext& context, const char* item, std::string* answer);
bool progman_group_exists(SystemContext& context, const char* group);
bool progman_read_group_items(SystemContext& context, const char* group, std::vector<ProgramItemBlock>* items);

// The command texts.
std::string progman_create_group_command(const char* group);
std::string progman_delete_group_command(const char* group);
std::string progman_delete_item_command(const char* item);
std::string progman_add_item_command(const ProgramItemBlock& block, const std::string& icon_path,
                                     const std::string& working_dir);

#endif
