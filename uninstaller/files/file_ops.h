// The uninstaller's file primitives: deleting, moving and copying files,
// creating directories, and the path helpers that look at the file system
// (existence, unique and backup names, short 8.3 paths, the shared
// directory).
//
// Every primitive takes the system-services context first, reports its own
// failure through it once ("Unable to delete file %s", ...; shown unless the
// context is quiet) and returns its result; none retries or rolls back.
// Paths longer than 259 characters are refused with "The path %s is
// invalid". The path helpers take no context and report nothing.
//
// A destination that is in use when a copy wants to replace it (another
// process holds it open) is handled by copying into a temporary file
// tmpNNN.NNN beside it and scheduling the replacement of the destination
// by that file for the next start of Windows (MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT, or where that fails the [rename] section of
// wininit.ini).
#ifndef RAVELUP_FILES_FILE_OPS_H
#define RAVELUP_FILES_FILE_OPS_H

#include "uninstaller/files/path_text.h"

#include <string>

class SystemContext;

// Results of dir_make, dir_make_chain and dir_make_for_file.
enum DirMakeResult { kDirCreated = 0, kDirExisted = 1, kDirFailed = 2 };

// Results of file_copy.
enum CopyResult { kCopyDone = 0, kCopyFailed = 2, kCopyDeferred = 4 };

const int kCopyChunkSize = 2048;

// 1 when the file is gone afterwards (also when it never existed), else 0.
int file_delete(SystemContext& context, const std::string& path);
int dir_make(SystemContext& context, const std::string& path);
// Every missing directory of the path, from the top down.
int dir_make_chain(SystemContext& context, const std::string& path);
// dir_make_chain on the directory part of a file path.
int dir_make_for_file(SystemContext& context, const std::string& file_path);
// Rename, or copy and delete the source; 1 / 0.
int file_move(SystemContext& context, const std::string& from, const std::string& to);
// kCopyDone, kCopyFailed or kCopyDeferred.
int file_copy(SystemContext& context, const std::string& from, const std::string& to);

// Path helpers that look at the file system.
bool path_exists(const std::string& path);
// The first "<prefix>NNN.NNN" in directory that does not exist (counting
// from 0); false when none is free.
bool unique_name(const std::string& directory, const std::string& prefix, std::string* name);
// The path with extension "bak", else "000" .. "999": the first that does
// not exist; false when all 1001 exist.
bool backup_name(const std::string& path, std::string* backup);
// Every existing component replaced by its 8.3 name (unchanged on Win32s
// and for a drive root); false when a component cannot be found.
bool short_path(const std::string& path, std::string* shortened);
// Where Windows keeps shared files, as VerFindFileA reports it.
bool shared_directory(std::string* directory);

// Deferred replacement of `destination` by `replacement` at the next start
// of Windows: MoveFileExA(replacement, destination, MOVEFILE_REPLACE_EXISTING
// | MOVEFILE_DELAY_UNTIL_REBOOT), or where that fails the entry
// destination=replacement in [rename] of wininit.ini. True when scheduled.
bool schedule_replacement(const std::string& destination, const std::string& replacement);
bool schedule_replacement_by_move(const std::string& destination, const std::string& replacement);
bool schedule_replacement_in_wininit(const std::string& destination, const std::string& replacement);

// Deletion at the next start: MoveFileExA(path, NULL,
// MOVEFILE_DELAY_UNTIL_REBOOT), and "NUL=path" in [rename] of wininit.ini.
// The NUL line is added at the end of the section (never through
// the profile functions, which would replace the previous one), so that
// every scheduled deletion is kept.
bool delete_file_at_restart(const std::string& path);
bool write_wininit_delete(const std::string& path);
// The Windows directory's wininit.ini; empty when that cannot be found.
std::string wininit_path();

#endif
