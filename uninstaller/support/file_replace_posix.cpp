#include "file_replace.h"

#include <cstdio>

bool replace_file(const char* from, const char* to)
{
    return std::rename(from, to) == 0;
}
