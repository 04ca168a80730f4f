// The reports of the system-services context: texts, codes, the quiet flag.
#include "uninstaller/system/progman_client.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(SystemContext, EachReportHasItsTextAndCode)
{
    ScopedRecordingReports reports;
    SystemContext context;
    EXPECT_EQ(0u, context.error_code);
    context.report_delete_failed("a");
    EXPECT_EQ(2u, context.error_code);
    context.report_rename_failed("a", "b");
    EXPECT_EQ(3u, context.error_code);
    context.report_open_failed("c");
    EXPECT_EQ(5u, context.error_code);
    context.report_read_failed("d");
    EXPECT_EQ(6u, context.error_code);
    context.report_copy_failed("e", "f");
    EXPECT_EQ(7u, context.error_code);
    context.report_close_failed("g");
    EXPECT_EQ(8u, context.error_code);
    context.report_create_dir_failed("h");
    EXPECT_EQ(9u, context.error_code);
    context.report_write_failed("i");
    EXPECT_EQ(10u, context.error_code);
    context.report_create_file_failed("j");
    EXPECT_EQ(11u, context.error_code);
    context.report_file_missing("k");
    EXPECT_EQ(12u, context.error_code);
    context.report_invalid_path("l");
    EXPECT_EQ(13u, context.error_code);
    context.report_failure("general %d", 5);
    EXPECT_EQ(1u, context.error_code);
    context.report_out_of_memory();
    EXPECT_EQ(4u, context.error_code);
    std::vector<std::string> expected = {
        "Unable to delete file a", "Unable to rename file from a to b", "Unable to open file c",
        "Unable to read from file d", "Unable to copy e to f", "Unable to close file g", "Unable to create dir h",
        "Unable to write to file i", "Unable to create file j", "File k not found", "The path l is invalid",
        "general 5", "Fatal error: Out of memory"};
    EXPECT_EQ(expected, reports->errors);
}

TEST(SystemContext, QuietShowsNothingButKeepsTheCode)
{
    ScopedRecordingReports reports;
    SystemContext context;
    context.quiet = 1;
    context.report_file_missing("x");
    EXPECT_EQ(12u, context.error_code);
    context.report_out_of_memory();
    EXPECT_EQ(4u, context.error_code);
    EXPECT_TRUE(reports->errors.empty());
}

TEST(SystemContext, ProgramManagerPrimitivesNeedAConversation)
{
    ScopedRecordingReports reports;
    SystemContext context;
    EXPECT_EQ(0, progman_create_group(context, "Lexon"));
    EXPECT_EQ(0, progman_delete_item(context, "Lexon", "Readme"));
    ASSERT_EQ(2u, reports->errors.size());
    EXPECT_EQ("begddepm() has not been called", reports->errors[0]);
}

TEST(SystemContext, ProgramManagerCommandTexts)
{
    EXPECT_EQ("[CreateGroup(\"Lexon\", 0)]", progman_create_group_command("Lexon"));
    EXPECT_EQ("[DeleteGroup(\"Lexon\", 0)]", progman_delete_group_command("Lexon"));
    EXPECT_EQ("[DeleteItem(\"Readme\")]", progman_delete_item_command("Readme"));
    // Long names are never cut (a cut command would be refused).
    std::string long_name(300, 'g');
    EXPECT_EQ("[DeleteGroup(\"" + long_name + "\", 0)]", progman_delete_group_command(long_name.c_str()));
    EXPECT_EQ("[DeleteItem(\"" + long_name + "\")]", progman_delete_item_command(long_name.c_str()));
    ProgramItemBlock block = {};
    block.x = 10;
    block.y = 20;
    block.icon_index = 1;
    block.hot_key = 577;
    block.run_minimized = 1;
    std::strcpy(block.name, "Lexon 1.0");
    std::strcpy(block.command_line, "C:\\LEXON\\LEXON.EXE");
    EXPECT_EQ("[AddItem(C:\\LEXON\\LEXON.EXE, \"Lexon 1.0\", C:\\LEXON~1\\L.ICO, 1, 10, 20, C:\\LEXON, 577, 1)]",
              progman_add_item_command(block, "C:\\LEXON~1\\L.ICO", "C:\\LEXON"));
}
