// replace_file: puts the file 'from' in the place of 'to' in one step,
// replacing an existing 'to' without deleting it first. When it fails, 'to'
// is left as it was. POSIX: rename(); Windows: MoveFileExA with
// MOVEFILE_REPLACE_EXISTING (file_replace_win32.cpp).
#ifndef RAVELUP_SUPPORT_FILE_REPLACE_H
#define RAVELUP_SUPPORT_FILE_REPLACE_H

bool replace_file(const char* from, const char* to);

#endif
