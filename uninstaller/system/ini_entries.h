// INI sections and entries on the sectioned text file model: the
// primitives the undo actions call, with the directory check before a
// file is created and the uninstaller's messages ("Unable to add INI
// section %s in file %s", ...). Each takes the system-services context
// first and returns 1 / 0.
#ifndef RAVELUP_SYSTEM_INI_ENTRIES_H
#define RAVELUP_SYSTEM_INI_ENTRIES_H

class SystemContext;

int ini_add_section(SystemContext& context, const char* file, const char* section);
// Entries go one by one, first to last, then the header.
int ini_delete_section(SystemContext& context, const char* file, const char* section);
// Before the same-named entry with sequence number seq (clamped to the
// number of such entries: beyond them, at the end of the section).
int ini_insert_entry(SystemContext& context, const char* file, const char* section, const char* name,
                     const char* value, int seq);
int ini_set_entry(SystemContext& context, const char* file, const char* section, const char* name,
                  const char* value, int seq);
// A missing entry counts as deleted.
int ini_delete_entry(SystemContext& context, const char* file, const char* section, const char* name, int seq);

#endif
