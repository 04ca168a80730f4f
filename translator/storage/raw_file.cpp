#include "translator/storage/raw_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

int RawOpenReadWrite(const char* name)
{
#ifdef _WIN32
    return _open(name, _O_RDWR | _O_BINARY);
#else
    return open(name, O_RDWR);
#endif
}

int RawCreate(const char* name)
{
#ifdef _WIN32
    return _open(name, _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    return open(name, O_WRONLY | O_CREAT | O_TRUNC, 0666);
#endif
}

void RawClose(int handle)
{
    if (handle < 0) return;
#ifdef _WIN32
    _close(handle);
#else
    close(handle);
#endif
}

long RawRead(int handle, void* buffer, unsigned long size)
{
#ifdef _WIN32
    return _read(handle, buffer, static_cast<unsigned>(size));
#else
    return static_cast<long>(read(handle, buffer, size));
#endif
}

long RawWrite(int handle, const void* buffer, unsigned long size)
{
#ifdef _WIN32
    return _write(handle, buffer, static_cast<unsigned>(size));
#else
    return static_cast<long>(write(handle, buffer, size));
#endif
}

int64_t RawSeek(int handle, int64_t offset, int whence)
{
    if (handle < 0) return -1;
#ifdef _WIN32
    return _lseeki64(handle, offset, whence);
#else
    return static_cast<int64_t>(lseek(handle, static_cast<off_t>(offset), whence));
#endif
}

int64_t RawFileSize(int handle)
{
#ifdef _WIN32
    struct _stati64 info;
    if (_fstati64(handle, &info) != 0) return -1;
#else
    struct stat info;
    if (fstat(handle, &info) != 0) return -1;
#endif
    return static_cast<int64_t>(info.st_size);
}

bool RawRemove(const char* name)
{
    if (std::remove(name) == 0) return true;
    return errno == ENOENT;
}
