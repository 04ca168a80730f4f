// A path the build gives (a Unix path when cross-compiling) as a Windows
// program sees it: "/a/b" becomes "Z:\a\b", Wine's drive for the root.
// A path that is already a Windows path only has its slashes turned.
#ifndef LEXON_TESTS_SUPPORT_WINDOWS_PATH_H
#define LEXON_TESTS_SUPPORT_WINDOWS_PATH_H

#include <string>

inline std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

#endif
