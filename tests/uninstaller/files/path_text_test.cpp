#include "uninstaller/files/path_text.h"

#include <gtest/gtest.h>

TEST(PathText, DriveRootIsExactlyLetterAndColon)
{
    EXPECT_TRUE(is_drive_root("C:"));
    EXPECT_TRUE(is_drive_root("z:"));
    EXPECT_FALSE(is_drive_root("C:\\"));
    EXPECT_FALSE(is_drive_root("C"));
    EXPECT_FALSE(is_drive_root("CC"));
    EXPECT_FALSE(is_drive_root(""));
}

TEST(PathText, SamePathIgnoresLetterCaseOnly)
{
    EXPECT_TRUE(same_path("C:\\Windows\\UXLOG.INI", "c:\\windows\\uxlog.ini"));
    EXPECT_FALSE(same_path("C:\\a\\b", "C:/a/b"));        // separators are not normalised
    EXPECT_FALSE(same_path("C:\\a\\..\\b", "C:\\b"));     // nor relative parts
    EXPECT_FALSE(same_path("C:\\a", "C:\\a\\"));
}

TEST(PathText, ParentCutsAtLastBackslashElseSlash)
{
    std::string parent;
    ASSERT_TRUE(parent_path("C:\\a\\b\\c", &parent));
    EXPECT_EQ("C:\\a\\b", parent);
    ASSERT_TRUE(parent_path("C:\\a", &parent));
    EXPECT_EQ("C:", parent);
    ASSERT_TRUE(parent_path("C:/a/b", &parent));
    EXPECT_EQ("C:/a", parent);
    ASSERT_TRUE(parent_path("C:/a\\b/c", &parent));        // a backslash wins over later slashes
    EXPECT_EQ("C:/a", parent);
    EXPECT_FALSE(parent_path("C:", &parent));
    EXPECT_FALSE(parent_path("name.txt", &parent));
}

TEST(PathText, DirectoryAndNameParts)
{
    EXPECT_EQ("C:\\a\\b", directory_part("C:\\a\\b\\f.txt"));
    EXPECT_EQ("C:", directory_part("C:\\f.txt"));
    EXPECT_EQ("C:", directory_part("C:f.txt"));
    EXPECT_EQ("", directory_part("f.txt"));
    EXPECT_EQ("C:\\APP", directory_part("C:\\APP\\"));
    EXPECT_EQ("C:", directory_part("C:\\APP"));
    EXPECT_EQ("f.txt", name_part("C:\\a\\b\\f.txt"));
    EXPECT_EQ("f", name_part("C:/a/f"));
    EXPECT_EQ("x.log", name_part("C:x.log"));
    EXPECT_EQ("", name_part("C:\\APP\\"));
}

TEST(PathText, JoinAddsOneBackslashOnlyWhereNeeded)
{
    EXPECT_EQ("C:\\APP\\uxlog.ini", join_path("C:\\APP", "uxlog.ini"));
    EXPECT_EQ("C:\\uxlog.ini", join_path("C:\\", "uxlog.ini"));
    EXPECT_EQ("uxlog.ini", join_path("", "uxlog.ini"));
    EXPECT_EQ("C:\\uxlog.ini", join_path("C:", "uxlog.ini"));
}

TEST(PathText, ReplaceExtensionOnlyInTheName)
{
    EXPECT_EQ("C:\\app\\uxlog.bak", replace_extension("C:\\app\\uxlog.ini", "bak"));
    EXPECT_EQ("C:\\app.d\\uxlog.000", replace_extension("C:\\app.d\\uxlog", "000"));
    EXPECT_EQ("C:\\a\\x.y.bak", replace_extension("C:\\a\\x.y.z", "bak"));
}

TEST(PathText, UniqueNameCandidatesCountThroughBothParts)
{
    EXPECT_EQ("tmp000.000", unique_name_candidate("tmp", 0));
    EXPECT_EQ("tmp000.001", unique_name_candidate("tmp", 1));
    EXPECT_EQ("tmp000.999", unique_name_candidate("tmp", 999));
    EXPECT_EQ("tmp001.000", unique_name_candidate("tmp", 1000));
    EXPECT_EQ("x123.456", unique_name_candidate("x", 123456));
}
