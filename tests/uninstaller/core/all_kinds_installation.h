// AllKindsInstallation: an installation prepared with something of every
// kind of record (files, directories, attributes, an appended file, a font,
// INI entries and sections, Program Manager groups and items on the test's
// own Program Manager, registry keys and fields under HKEY_CURRENT_USER, a
// shared file in the system directory counted once), the log of all 23
// kinds that the installer would have written for it, and the check that
// everything is undone. Used by the silent mode's test and by the main
// dialog's.
#ifndef RAVELUP_TESTS_ALL_KINDS_INSTALLATION_H
#define RAVELUP_TESTS_ALL_KINDS_INSTALLATION_H

#include <gtest/gtest.h>

#include <windows.h>
#include <shlwapi.h>

#include <cstring>
#include <string>
#include <vector>

#include "uninstaller/core/log_stream.h"
#include "uninstaller/core/operation.h"
#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/registry.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/fake_progman_server.h"
#include "tests/uninstaller/system/scratch_dir.h"
#include "tests/uninstaller/system/wine_restart.h"

namespace all_kinds {

// Per process, so that two test programs in one prefix do not meet.
inline std::string test_key()
{
    return "Software\\RavelupAllKinds" + std::to_string(GetCurrentProcessId());
}

inline std::string sub_key(const char* name)
{
    return test_key() + "\\" + name;
}

inline void set_value(const std::string& key, const char* field, DWORD type, const void* data, DWORD size)
{
    HKEY handle = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
    RegSetValueExA(handle, field, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
}

inline bool key_exists(const std::string& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// The field's type and bytes; type 0 and no bytes when it is missing.
inline std::string value_of(const std::string& key, const char* field, DWORD* type)
{
    *type = 0;
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return std::string();
    BYTE data[256];
    DWORD size = sizeof data;
    std::string bytes;
    if (RegQueryValueExA(handle, field, nullptr, type, data, &size) == ERROR_SUCCESS)
        bytes.assign(reinterpret_cast<char*>(data), size);
    RegCloseKey(handle);
    return bytes;
}

inline void delete_tree(const std::string& key)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

inline FakeProgmanItem item(const std::string& name, const std::string& command)
{
    FakeProgmanItem result;
    result.name = name;
    result.command_line = command;
    return result;
}

inline ProgmanModel installed_groups()
{
    ProgmanModel model;
    FakeProgmanGroup added;
    added.name = "Ravel Tools";
    added.items.push_back(item("Tool", "C:\\RAVEL\\TOOL.EXE"));
    FakeProgmanGroup main;
    main.name = "Main";
    main.items.push_back(item("Ravel", "C:\\RAVEL\\RAVEL.EXE"));
    main.items.push_back(item("Clock", "CLOCK.EXE"));
    model.groups.push_back(added);
    model.groups.push_back(main);
    model.current_group = "Main";
    return model;
}

// The 1112-byte image of a program item: five int32 (x, y, minimized, hot
// key, icon index), then name[60], command line[512], icon path[260],
// working directory[260].
inline void program_item_block(LogWriter& w, const char* name, const char* command, int32_t x, int32_t y)
{
    w.int32(x);
    w.int32(y);
    w.int32(0);
    w.int32(0);
    w.int32(1);
    std::vector<unsigned char> texts(60 + 512 + 260 + 260, 0);
    std::memcpy(&texts[0], name, std::strlen(name));
    std::memcpy(&texts[60], command, std::strlen(command));
    w.raw(&texts[0], texts.size());
}

class AllKindsInstallation {
public:
    AllKindsInstallation() : dir("allkinds") {}

    // Call with ASSERT_NO_FATAL_FAILURE.
    void set_up()
    {
        fill_platform_info();
        delete_tree(test_key());
        std::string system_dir;
        ASSERT_TRUE(shared_directory(&system_dir));
        shared = join_path(system_dir, "rav" + std::to_string(GetCurrentProcessId()) + ".dll");
        ini = dir / "ravel.ini";
        log = dir / "uxlog.ini";
        font = dir / "ravfont.ttf";

        // Files and directories as the installer left them.
        CreateDirectoryA((dir / "Made").c_str(), nullptr);
        write_file(dir / "Made\\data.bin", "data");
        write_file(dir / "new.txt", "renamed");
        write_file(dir / "attr.txt", "attributes");
        SetFileAttributesA((dir / "attr.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        write_file(dir / "created.txt", "created");
        write_file(dir / "appended.txt", "hello world");
        write_file(shared, "MZ shared");
        SystemContext context;
        set_shared_count(context, shared, 1);
        // A font file of the installation: a copy of Wine's Tahoma.
        ASSERT_TRUE(CopyFileA("Z:\\usr\\share\\wine\\fonts\\tahoma.ttf", font.c_str(), FALSE));
        ASSERT_GT(AddFontResourceA(font.c_str()), 0);
        write_file(ini, "[Options]\r\nColor=red\r\nSize=12\r\n[Added]\r\nX=1\r\n");

        // Registry.
        set_value(sub_key("Added\\Sub"), "Inner", REG_SZ, "1", 2);
        set_value(sub_key("Fields"), "NewField", REG_SZ, "new", 4);
        set_value(sub_key("Fields"), "Changed", REG_SZ, "new", 4);

        ASSERT_TRUE(progman.start(installed_groups()));
        write_log();
    }

    void tear_down()
    {
        progman.stop();
        RemoveFontResourceA(font.c_str());
        SystemContext context;
        context.quiet = 1;
        if (shared_count(context, shared) > 0)
            decrement_shared_count(context, shared);
        DeleteFileA(shared.c_str());
        delete_tree(test_key());
    }

    void write_log()
    {
        LogWriter w;
        w.header(nullptr, kLogVersion21, "Ravel 3.0");
        w.int32(kMakeDir); w.string(dir / "Made");
        w.int32(kDeleteDir); w.string(dir / "Gone");
        w.int32(kRenameFile); w.string(dir / "old.txt"); w.string(dir / "new.txt");
        w.int32(kDeleteFile); w.string(dir / "deleted.txt");
        w.int32(kInstallCreateFile); w.string("A:\\RAVSHARE.DLL"); w.string(shared); w.int32(1);
        w.int32(kSetFileAttrib); w.string(dir / "attr.txt"); w.int32(FILE_ATTRIBUTE_ARCHIVE); w.int32(0);
        w.int32(kCreateFile); w.string(dir / "created.txt");
        w.int32(kAddIniEntry); w.string(ini); w.string("Options"); w.string("Color"); w.int32(0);
        w.int32(kDeleteIniEntry); w.string(ini); w.string("Options"); w.string("Font"); w.string("Arial");
        w.int32(0);
        w.int32(kSetIniEntry); w.string(ini); w.string("Options"); w.string("Size"); w.string("10"); w.int32(0);
        w.int32(kAddProgramGroup); w.string("Ravel Tools");
        w.int32(kAddProgramItem); w.string("Main"); w.string("Ravel");
        w.int32(kDeleteProgramGroup); w.string("Old Ravel");
        w.int32(kDeleteProgramItem); w.string("Main"); program_item_block(w, "Notes", "NOTEPAD.EXE NOTES.TXT", 5, 6);
        w.int32(kAddRegKey); w.int32(1); w.string(sub_key("Added"));
        w.int32(kAddRegField); w.int32(1); w.string(sub_key("Fields")); w.string("NewField");
        w.int32(kSetRegField); w.int32(1); w.string(sub_key("Fields")); w.string("Changed");
        w.int32(REG_SZ); w.int32(4); w.raw("old", 4);
        w.int32(kDeleteRegField); w.int32(1); w.string(sub_key("Fields")); w.string("Removed");
        w.int32(REG_DWORD); w.int32(4); w.raw("\x78\x56\x34\x12", 4);
        w.int32(kDeleteRegKey); w.int32(1); w.string(sub_key("Deleted"));
        w.int32(kInstallAppendFile); w.string("A:\\PART2.TXT"); w.string(dir / "appended.txt"); w.int32(1);
        w.int32(5);
        w.int32(kAddIniSection); w.string(ini); w.string("Added");
        w.int32(kDeleteIniSection); w.string(ini); w.string("Removed");
        w.int32(kInstallFont); w.string(font); w.int32(1);
        write_file(log, std::string(w.bytes.begin(), w.bytes.end()));
    }

    // Everything the log says is undone, checked one by one.
    void expect_everything_undone()
    {
        // Files and directories.
        EXPECT_FALSE(exists(dir / "Made"));
        EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, GetFileAttributesA((dir / "Gone").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
        EXPECT_EQ("renamed", read_file(dir / "old.txt"));
        EXPECT_FALSE(exists(dir / "new.txt"));
        EXPECT_EQ(DWORD(FILE_ATTRIBUTE_ARCHIVE), GetFileAttributesA((dir / "attr.txt").c_str()));
        EXPECT_FALSE(exists(dir / "created.txt"));
        EXPECT_EQ("hello", read_file(dir / "appended.txt"));
        EXPECT_EQ(0, RemoveFontResourceA(font.c_str())) << "the font resource was removed";
        SystemContext context;
        EXPECT_EQ(0, shared_count(context, shared));

        // INI file, byte for byte and through the profile functions.
        EXPECT_EQ("[Options]\r\nSize=10\r\nFont=Arial\r\n\r\n[Removed]\r\n", read_file(ini));
        char value[64];
        GetPrivateProfileStringA("Options", "Size", "", value, sizeof value, ini.c_str());
        EXPECT_STREQ("10", value);
        GetPrivateProfileStringA("Options", "Font", "", value, sizeof value, ini.c_str());
        EXPECT_STREQ("Arial", value);
        GetPrivateProfileStringA("Options", "Color", "none", value, sizeof value, ini.c_str());
        EXPECT_STREQ("none", value);
        GetPrivateProfileStringA("Added", "X", "none", value, sizeof value, ini.c_str());
        EXPECT_STREQ("none", value);

        // Registry.
        EXPECT_FALSE(key_exists(sub_key("Added")));
        DWORD type = 0;
        value_of(sub_key("Fields"), "NewField", &type);
        EXPECT_EQ(0u, type);
        EXPECT_EQ(std::string("old", 4), value_of(sub_key("Fields"), "Changed", &type));
        EXPECT_EQ(DWORD(REG_SZ), type);
        EXPECT_EQ("\x78\x56\x34\x12", value_of(sub_key("Fields"), "Removed", &type));
        EXPECT_EQ(DWORD(REG_DWORD), type);
        EXPECT_TRUE(key_exists(sub_key("Deleted")));

        // Program Manager.
        ProgmanModel groups = progman.model();
        EXPECT_EQ(nullptr, groups.find_group("Ravel Tools"));
        ASSERT_NE(nullptr, groups.find_group("Old Ravel"));
        EXPECT_TRUE(groups.find_group("Old Ravel")->items.empty());
        const FakeProgmanGroup* main = groups.find_group("Main");
        ASSERT_NE(nullptr, main);
        ASSERT_EQ(2u, main->items.size());
        EXPECT_EQ("Clock", main->items[0].name);
        EXPECT_EQ("Notes", main->items[1].name);
        EXPECT_EQ("NOTEPAD.EXE NOTES.TXT", main->items[1].command_line);
        EXPECT_EQ(5, main->items[1].x);
        EXPECT_EQ(6, main->items[1].y);
        EXPECT_EQ(1, main->items[1].icon_index);
    }

    ScratchDir dir;
    FakeProgmanProcess progman;
    std::string shared, ini, log, font;
};

}  // namespace all_kinds

#endif
