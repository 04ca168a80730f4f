#include "uninstaller/system/group_info.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GroupInfo, FieldsSplitAtCommasOutsideQuotes)
{
    std::vector<std::string> fields = split_group_info_fields("\"Lexon, Tools\",C:\\LEXON\\LEXON.GRP,2,1");
    ASSERT_EQ(4u, fields.size());
    EXPECT_EQ("Lexon, Tools", fields[0]);
    EXPECT_EQ("C:\\LEXON\\LEXON.GRP", fields[1]);
    EXPECT_EQ("2", fields[2]);
    EXPECT_EQ((std::vector<std::string>{"", ""}), split_group_info_fields(","));
}

TEST(GroupInfo, ItemLinesFillTheBlocks)
{
    std::string text =
        "\"Lexon\",C:\\WINDOWS\\LEXON.GRP,2,1\r\n"
        "\"Lexon 1.0\",\"C:\\LEXON\\LEXON.EXE /d\",C:\\LEXON,C:\\LEXON\\LEXON.EXE,10,20,1,577,1\r\n"
        "Readme,notepad readme.txt,,,30,40,0,0,0\r\n";
    std::string group;
    std::vector<ProgramItemBlock> items;
    ASSERT_TRUE(parse_group_info(text, &group, &items));
    EXPECT_EQ("Lexon", group);
    ASSERT_EQ(2u, items.size());
    EXPECT_STREQ("Lexon 1.0", items[0].name);
    EXPECT_STREQ("C:\\LEXON\\LEXON.EXE /d", items[0].command_line);
    EXPECT_STREQ("C:\\LEXON", items[0].working_dir);
    EXPECT_STREQ("C:\\LEXON\\LEXON.EXE", items[0].icon_path);
    EXPECT_EQ(10, items[0].x);
    EXPECT_EQ(20, items[0].y);
    EXPECT_EQ(1, items[0].icon_index);
    EXPECT_EQ(577, items[0].hot_key);
    EXPECT_EQ(1, items[0].run_minimized);
    EXPECT_STREQ("Readme", items[1].name);
    EXPECT_STREQ("", items[1].icon_path);
    EXPECT_EQ(40, items[1].y);
}

TEST(GroupInfo, CountIsTrustedOnlyAsFarAsLinesExist)
{
    std::string group;
    std::vector<ProgramItemBlock> items;
    ASSERT_TRUE(parse_group_info("G,x,99999\nOne,cmd\n", &group, &items));
    ASSERT_EQ(1u, items.size());
    EXPECT_STREQ("One", items[0].name);
    EXPECT_EQ(0, items[0].x) << "missing numeric fields read as 0";
    ASSERT_TRUE(parse_group_info("G,x,1\nTwo\nThree\n", &group, &items));
    EXPECT_EQ(1u, items.size()) << "lines beyond the announced count are ignored";
    ASSERT_TRUE(parse_group_info("G,x,-5\nTwo\n", &group, &items));
    EXPECT_TRUE(items.empty());
    EXPECT_FALSE(parse_group_info("", &group, &items));
}

TEST(GroupInfo, OverlongTextsAreCutToTheirMembers)
{
    std::string name(100, 'n');
    std::string command(600, 'c');
    std::string group;
    std::vector<ProgramItemBlock> items;
    ASSERT_TRUE(parse_group_info("G,x,1\n" + name + "," + command + "\n", &group, &items));
    ASSERT_EQ(1u, items.size());
    EXPECT_EQ(59u, std::strlen(items[0].name));
    EXPECT_EQ(511u, std::strlen(items[0].command_line));
}

TEST(GroupInfo, GroupsListMatchesWholeLinesIgnoringCase)
{
    std::string groups = "Accessories\r\nLexon Tools\r\nStartup\r\n";
    EXPECT_TRUE(groups_list_contains(groups, "lexon tools"));
    EXPECT_TRUE(groups_list_contains(groups, "STARTUP"));
    EXPECT_FALSE(groups_list_contains(groups, "Lexon"));
    EXPECT_FALSE(groups_list_contains("", "Lexon"));
}
