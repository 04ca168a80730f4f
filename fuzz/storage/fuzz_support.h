// Shared by the storage fuzz targets: a message presenter that stays quiet
// and turns the fatal stop into an exception the target catches, and a
// private file per process for the bytes under test.
#ifndef LEXON_FUZZ_STORAGE_FUZZ_SUPPORT_H
#define LEXON_FUZZ_STORAGE_FUZZ_SUPPORT_H

#include "translator/app/messages.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

struct FuzzFatalStop {};

class QuietPresenter : public MessagePresenter {
public:
    void ShowError(const std::string&) override {}
    void ShowInfo(const std::string&) override {}
    [[noreturn]] void FatalStop(int) override { throw FuzzFatalStop(); }
};

inline void InstallQuietPresenter()
{
    static QuietPresenter presenter;
    SetMessagePresenter(&presenter);
}

// In memory (/dev/shm) where there is one: every run writes and reads the
// file many times.
inline std::string FuzzFileName(const char* suffix)
{
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/lexon_fuzz_" + std::to_string(getpid()) + suffix;
}

inline bool WriteFuzzFile(const std::string& name, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(name.c_str(), "wb");
    if (!file) return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

#endif
