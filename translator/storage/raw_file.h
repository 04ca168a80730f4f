// The low-level file handles the table uses (open/read/write/seek without
// any text translation), the same on Linux and Windows.
#ifndef LEXON_STORAGE_RAW_FILE_H
#define LEXON_STORAGE_RAW_FILE_H

#include <cstdint>

// Opens an existing file for reading and writing in binary mode, without
// excluding other openers. The handle, or -1.
int RawOpenReadWrite(const char* name);
// Creates (or truncates) a file for writing in binary mode. -1 on failure.
int RawCreate(const char* name);
void RawClose(int handle);
// Bytes transferred, or -1.
long RawRead(int handle, void* buffer, unsigned long size);
long RawWrite(int handle, const void* buffer, unsigned long size);
// Seeks like lseek (whence 0 = set, 1 = current, 2 = end); the new
// position, or -1.
int64_t RawSeek(int handle, int64_t offset, int whence);
// Size of a file, or -1.
int64_t RawFileSize(int handle);
// Removes a file; a missing file is no error. False on failure.
bool RawRemove(const char* name);

#endif
