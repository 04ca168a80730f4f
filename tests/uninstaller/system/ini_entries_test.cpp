// The INI primitives on real files: directory check, clamped sequence
// numbers, section deletion entry by entry, messages.
#include "uninstaller/system/ini_entries.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/scratch_dir.h"

#include <gtest/gtest.h>

TEST(IniEntries, AddSectionCreatesDirectoriesAndFile)
{
    ScopedRecordingReports reports;
    ScratchDir dir("ini");
    SystemContext context;
    std::string ini = dir / "new\\dir\\app.ini";
    EXPECT_EQ(1, ini_add_section(context, ini.c_str(), "Options"));
    EXPECT_NE(std::string::npos, read_file(ini).find("[Options]"));
    EXPECT_TRUE(reports->errors.empty());
}

TEST(IniEntries, InsertClampsTheSequenceAndSetAppendsMissingEntries)
{
    ScopedRecordingReports reports;
    ScratchDir dir("ini");
    SystemContext context;
    std::string ini = dir / "app.ini";
    ASSERT_TRUE(write_file(ini, "[Fonts]\r\nFace=A\r\nFace=B\r\n[Other]\r\nx=1\r\n"));
    EXPECT_EQ(1, ini_insert_entry(context, ini.c_str(), "Fonts", "Face", "Z", 7));   // beyond: at the end
    EXPECT_EQ(1, ini_insert_entry(context, ini.c_str(), "Fonts", "Face", "F", 0));
    EXPECT_EQ(1, ini_set_entry(context, ini.c_str(), "Fonts", "Size", "9", 3));      // missing: appended
    std::string text = read_file(ini);
    size_t f = text.find("Face=F"), a = text.find("Face=A"), b = text.find("Face=B"), z = text.find("Face=Z");
    size_t size = text.find("Size=9"), other = text.find("[Other]");
    ASSERT_NE(std::string::npos, f);
    ASSERT_NE(std::string::npos, z);
    ASSERT_NE(std::string::npos, size);
    EXPECT_LT(f, a);
    EXPECT_LT(a, b);
    EXPECT_LT(b, z);
    EXPECT_LT(z, other);
    EXPECT_LT(size, other);
    EXPECT_TRUE(reports->errors.empty());
}

TEST(IniEntries, DeleteSectionAndMissingEntries)
{
    ScopedRecordingReports reports;
    ScratchDir dir("ini");
    SystemContext context;
    std::string ini = dir / "app.ini";
    ASSERT_TRUE(write_file(ini, "[Keep]\r\na=1\r\n[Gone]\r\nb=2\r\nb=3\r\nc=4\r\n[Tail]\r\nd=5\r\n"));
    EXPECT_EQ(1, ini_delete_entry(context, ini.c_str(), "Keep", "nothing", 0));
    EXPECT_EQ(1, ini_delete_entry(context, ini.c_str(), "Keep", "a", 1)) << "no second a: nothing to delete";
    EXPECT_EQ(1, ini_delete_section(context, ini.c_str(), "Gone"));
    std::string text = read_file(ini);
    EXPECT_EQ(std::string::npos, text.find("[Gone]"));
    EXPECT_EQ(std::string::npos, text.find("b="));
    EXPECT_NE(std::string::npos, text.find("a=1"));
    EXPECT_NE(std::string::npos, text.find("d=5"));
    EXPECT_EQ(1, ini_delete_section(context, ini.c_str(), "Never"));
    EXPECT_EQ(1, ini_delete_section(context, (dir / "missing.ini").c_str(), "S"));
    EXPECT_TRUE(reports->errors.empty());
}
