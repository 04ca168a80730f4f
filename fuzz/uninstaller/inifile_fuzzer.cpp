// Runs the sectioned text file operations on arbitrary file contents. Each
// input becomes the INI file (rewritten before every operation); checks: no
// crash or overrun, and the results agree with each other (an inserted entry
// adds one to the section's count, a set entry reads back, a deleted section
// leaves no header before its old place, no temporary file remains).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "sectioned_file.h"

namespace {

std::string g_dir;
std::string g_path;

void write_input(const uint8_t* data, size_t size)
{
    std::FILE* file = std::fopen(g_path.c_str(), "wb");
    if (!file)
        std::abort();
    if (size && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}

// True when the folder holds anything besides the INI file: a temporary
// file left behind by a rewrite.
bool temp_left()
{
    DIR* dir = opendir(g_dir.c_str());
    if (!dir)
        std::abort();
    bool left = false;
    while (struct dirent* entry = readdir(dir)) {
        std::string leaf = entry->d_name;
        if (leaf != "." && leaf != ".." && leaf != "f.ini")
            left = true;
    }
    closedir(dir);
    return left;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A memory file system when there is one: every input rewrites the file
    // a dozen times.
    struct stat info;
    std::string base = stat("/dev/shm", &info) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern_text = base + "/ravelup_inifile_fuzz_XXXXXX";
    std::vector<char> pattern(pattern_text.begin(), pattern_text.end());
    pattern.push_back('\0');
    if (!mkdtemp(&pattern[0]))
        std::abort();
    g_dir = &pattern[0];
    g_path = g_dir + "/f.ini";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace sectioned_file;
    const char* path = g_path.c_str();
    const char* sections[] = {"S", "Fonts"};
    std::string value, name;

    for (const char* section : sections) {
        write_input(data, size);
        int all = count_entries(path, section, nullptr);
        int named = count_entries(path, section, "a");
        if (all < -1 || named > all || (all == -1) != (named == -1))
            std::abort();
        for (int i = 0; i < 3; ++i) {
            get_value(path, section, "a", i, &value);
            get_entry(path, section, i, &name, &value);
        }

        // insert adds exactly one entry to the section.
        if (insert_entry(path, section, "a", "inserted", 1) != 1)
            std::abort();
        int after = count_entries(path, section, nullptr);
        if (after != (all == -1 ? 1 : all + 1))
            std::abort();

        write_input(data, size);
        if (set_entry(path, section, "fz", "set value", 0) != 1)
            std::abort();
        if (get_value(path, section, "fz", 0, &value) != 1 || value != "set value")
            std::abort();

        write_input(data, size);
        if (delete_entry(path, section, "a", 0) != 1)
            std::abort();
        if (all >= 0 && count_entries(path, section, "a") != (named > 0 ? named - 1 : 0))
            std::abort();

        write_input(data, size);
        if (delete_section(path, section) != 1 || add_section(path, section) != 1)
            std::abort();
        if (count_entries(path, section, nullptr) < 0)
            std::abort();
        if (temp_left())
            std::abort();
    }
    std::remove(path);
    return 0;
}
