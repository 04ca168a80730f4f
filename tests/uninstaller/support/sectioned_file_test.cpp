// The sectioned text file model on real files: classification, sequence
// numbers, the rewriting operations with their blank-line rules, missing
// files and sections, long lines, and the replacement of the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

#include "file_replace.h"
#include "sectioned_file.h"

namespace {

// Files are written and read in text mode, as the model does, so the texts
// compare the same on Windows (CR LF on disk) and natively.
void write_text(const std::string& path, const std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "wt");
    ASSERT_NE(nullptr, file);
    std::fputs(text.c_str(), file);
    std::fclose(file);
}

std::string read_text(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rt");
    if (!file)
        return "<missing>";
    std::string text;
    int c;
    while ((c = std::getc(file)) != EOF)
        text.push_back(char(c));
    std::fclose(file);
    return text;
}

bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

class SectionedFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = std::string("sectioned_") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
        std::remove(path.c_str());
    }
    void TearDown() override
    {
        std::remove(path.c_str());
        // No temporary file is left behind.
        EXPECT_FALSE(exists("ini000.000"));
    }
    const char* p() const { return path.c_str(); }
    std::string path;
};

}  // namespace

using namespace sectioned_file;

TEST(SectionedLines, Classification)
{
    std::string name, value;
    EXPECT_TRUE(ini_line_is_blank(" \t\r\n\v\f"));
    EXPECT_FALSE(ini_line_is_blank(" x\n"));
    EXPECT_TRUE(ini_line_is_comment("  ; a=b\n"));
    EXPECT_FALSE(ini_parse_entry("  ; a=b\n", &name, &value));

    EXPECT_TRUE(ini_parse_header("[Fonts]\n", &name));
    EXPECT_EQ("Fonts", name);
    EXPECT_TRUE(ini_parse_header("  [ Odd name ]  \t\n", &name));
    EXPECT_EQ(" Odd name ", name);  // taken exactly as written
    EXPECT_TRUE(ini_parse_header("[a]b]\n", &name) == false);
    EXPECT_FALSE(ini_parse_header("[S] ; note\n", &name));
    EXPECT_FALSE(ini_parse_header("[S\n", &name));
    EXPECT_FALSE(ini_parse_header("x[S]\n", &name));

    ASSERT_TRUE(ini_parse_entry("  A = 2 \n", &name, &value));
    EXPECT_EQ("A", name);
    EXPECT_EQ("2", value);
    ASSERT_TRUE(ini_parse_entry("k==v=w\n", &name, &value));
    EXPECT_EQ("k", name);
    EXPECT_EQ("=v=w", value);
    EXPECT_FALSE(ini_parse_entry("no equals\n", &name, &value));
    EXPECT_TRUE(ini_names_equal("Fonts", "fONTS"));
    EXPECT_FALSE(ini_names_equal("Font", "Fonts"));
}

TEST_F(SectionedFile, SameNamedEntriesHaveSequenceNumbers)
{
    write_text(path, "[Other]\na=0\n[Fonts]\na=1\n; a=comment\nA = 2\nb=3\n[Last]\na=9\n");
    EXPECT_EQ(2, count_entries(p(), "fonts", "a"));
    EXPECT_EQ(3, count_entries(p(), "Fonts", nullptr));
    EXPECT_EQ(0, count_entries(p(), "Fonts", "zz"));
    EXPECT_EQ(-1, count_entries(p(), "Missing", nullptr));
    std::string value, name;
    EXPECT_EQ(1, get_value(p(), "Fonts", "a", 1, &value));
    EXPECT_EQ("2", value);
    EXPECT_EQ(1, get_value(p(), "Fonts", "A", 0, &value));
    EXPECT_EQ("1", value);
    EXPECT_EQ(0, get_value(p(), "Fonts", "a", 2, &value));
    EXPECT_EQ(1, get_entry(p(), "Fonts", 2, &name, &value));
    EXPECT_EQ("b", name);
    EXPECT_EQ("3", value);
    EXPECT_EQ(0, get_entry(p(), "Fonts", 3, &name, &value));
}

TEST_F(SectionedFile, MissingFile)
{
    std::string value;
    EXPECT_EQ(-1, count_entries(p(), "S", nullptr));
    EXPECT_EQ(0, get_value(p(), "S", "a", 0, &value));
    EXPECT_EQ(1, delete_entry(p(), "S", "a", 0));
    EXPECT_EQ(1, delete_section(p(), "S"));
    EXPECT_FALSE(exists(path));

    EXPECT_EQ(1, add_section(p(), "S"));
    EXPECT_EQ("[S]\n", read_text(path));
    std::remove(p());
    EXPECT_EQ(1, set_entry(p(), "S", "k", "v", 3));
    EXPECT_EQ("[S]\nk=v\n", read_text(path));
    std::remove(p());
    EXPECT_EQ(1, insert_entry(p(), "S", "k", "v", 0));
    EXPECT_EQ("[S]\nk=v\n", read_text(path));
}

TEST_F(SectionedFile, SetEntryOfNewNameEndsSectionWithOneBlankLine)
{
    write_text(path, "[S]\nx=1\n\n\n[T]\ny=2\n");
    EXPECT_EQ(1, set_entry(p(), "S", "new", "v", 0));
    EXPECT_EQ("[S]\nx=1\nnew=v\n\n[T]\ny=2\n", read_text(path));
}

TEST_F(SectionedFile, SetEntryReplacesTheEntryWithThatSequenceNumber)
{
    write_text(path, "; head\n[S]\na=1\n\nA=2\n; c\na=3\n[T]\na=4\n");
    EXPECT_EQ(1, set_entry(p(), "s", "a", "two", 1));
    // Blank lines of the section are dropped; one blank line before [T].
    EXPECT_EQ("; head\n[S]\na=1\na=two\n; c\na=3\n\n[T]\na=4\n", read_text(path));
}

TEST_F(SectionedFile, InsertEntryGoesBeforeTheSameNamedEntry)
{
    write_text(path, "[S]\na=1\na=2\n");
    EXPECT_EQ(1, insert_entry(p(), "S", "a", "new", 1));
    EXPECT_EQ("[S]\na=1\na=new\na=2\n", read_text(path));
    // A sequence number beyond the entries appends at the end of the section.
    write_text(path, "[S]\na=1\nb=2\n\n[T]\n");
    EXPECT_EQ(1, insert_entry(p(), "S", "a", "end", 5));
    EXPECT_EQ("[S]\na=1\nb=2\na=end\n\n[T]\n", read_text(path));
}

TEST_F(SectionedFile, MissingSectionIsAppended)
{
    write_text(path, "[A]\nx=1\n");
    EXPECT_EQ(1, set_entry(p(), "B", "k", "v", 0));
    EXPECT_EQ("[A]\nx=1\n\n[B]\nk=v\n", read_text(path));
    EXPECT_EQ(1, add_section(p(), "C"));
    EXPECT_EQ("[A]\nx=1\n\n[B]\nk=v\n\n[C]\n", read_text(path));
    // An existing section: the file is rewritten unchanged.
    EXPECT_EQ(1, add_section(p(), "b"));
    EXPECT_EQ("[A]\nx=1\n\n[B]\nk=v\n\n[C]\n", read_text(path));
}

TEST_F(SectionedFile, HeaderWithTrailingTextIsNotTheSection)
{
    write_text(path, "[S] ; note\na=1\n");
    EXPECT_EQ(-1, count_entries(p(), "S", nullptr));
    EXPECT_EQ(1, set_entry(p(), "S", "a", "2", 0));
    EXPECT_EQ("[S] ; note\na=1\n\n[S]\na=2\n", read_text(path));
}

TEST_F(SectionedFile, OnlyTheFirstOccurrenceOfASectionCounts)
{
    write_text(path, "[S]\na=1\n[T]\n[S]\na=2\n");
    EXPECT_EQ(1, count_entries(p(), "S", "a"));
    EXPECT_EQ(1, set_entry(p(), "S", "a", "x", 1));
    EXPECT_EQ("[S]\na=1\na=x\n\n[T]\n[S]\na=2\n", read_text(path));
}

TEST_F(SectionedFile, DeleteSectionDropsEverythingUpToTheNextHeader)
{
    write_text(path, "[A]\nx=1\n[S]\na=1\n; comment\n\nother line\n[B]\ny=2\n");
    EXPECT_EQ(1, delete_section(p(), "s"));
    EXPECT_EQ("[A]\nx=1\n[B]\ny=2\n", read_text(path));
    // Without the section the file is rewritten unchanged.
    EXPECT_EQ(1, delete_section(p(), "S"));
    EXPECT_EQ("[A]\nx=1\n[B]\ny=2\n", read_text(path));
    // The last section up to the end of the file.
    EXPECT_EQ(1, delete_section(p(), "B"));
    EXPECT_EQ("[A]\nx=1\n", read_text(path));
}

TEST_F(SectionedFile, DeleteEntryKeepsEverythingElse)
{
    write_text(path, "[S]\na=1\n\nA=2\na=3\n[T]\na=4\n");
    EXPECT_EQ(1, delete_entry(p(), "S", "a", 1));
    EXPECT_EQ("[S]\na=1\n\na=3\n[T]\na=4\n", read_text(path));
    EXPECT_EQ(1, delete_entry(p(), "S", "a", 7));
    EXPECT_EQ("[S]\na=1\n\na=3\n[T]\na=4\n", read_text(path));
}

TEST_F(SectionedFile, LastLineWithoutNewlineGetsOne)
{
    write_text(path, "[S]\na=1");
    EXPECT_EQ(1, insert_entry(p(), "S", "b", "2", 0));
    EXPECT_EQ("[S]\na=1\nb=2\n", read_text(path));
}

// Byte-exact files: written and read back in binary, with CR LF turned
// into LF on reading so that both platforms compare the same text.
void write_bytes(const std::string& path, const std::string& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string read_bytes_as_lines(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return "<missing>";
    std::string text;
    int c;
    while ((c = std::getc(file)) != EOF) {
        if (c == '\n' && !text.empty() && text.back() == '\r')
            text.pop_back();
        text.push_back(char(c));
    }
    std::fclose(file);
    return text;
}

TEST_F(SectionedFile, CtrlZInsideTheFileIsKeptAndAFinalOneDropped)
{
    // A 0x1A inside the file is data like any other byte; everything after
    // it survives a rewrite. The single 0x1A at the very end is the old
    // end-of-file mark and goes.
    write_bytes(path, "[S]\r\na=1\r\nnote\x1A here\r\n[T]\r\nb=2\r\n\x1A");
    EXPECT_EQ(1, count_entries(p(), "T", "b"));
    EXPECT_EQ(1, set_entry(p(), "S", "c", "3", 0));
    EXPECT_EQ("[S]\na=1\nnote\x1A here\nc=3\n\n[T]\nb=2\n", read_bytes_as_lines(path));

    // CR LF line ends are read as one line end: values carry no CR.
    write_bytes(path, "[S]\r\na=1\r\n\x1A\r\nb=2\r\n");
    std::string value;
    EXPECT_EQ(1, get_value(p(), "S", "b", 0, &value));
    EXPECT_EQ("2", value);
    EXPECT_EQ(1, delete_entry(p(), "S", "a", 0));
    EXPECT_EQ("[S]\n\x1A\nb=2\n", read_bytes_as_lines(path));
}

TEST_F(SectionedFile, LongLinesAndNamesSurviveWhole)
{
    std::string long_value(5000, 'v');
    std::string long_section(300, 's');
    std::string long_comment = "; " + std::string(1000, 'c');
    write_text(path, "[" + long_section + "]\nk=" + long_value + "\n" + long_comment + "\n[T]\n");
    EXPECT_EQ(1, count_entries(p(), long_section.c_str(), "k"));
    std::string value;
    EXPECT_EQ(1, get_value(p(), long_section.c_str(), "k", 0, &value));
    EXPECT_EQ(long_value, value);
    EXPECT_EQ(1, set_entry(p(), "T", "x", "y", 0));
    EXPECT_EQ("[" + long_section + "]\nk=" + long_value + "\n" + long_comment + "\n[T]\nx=y\n",
              read_text(path));
}

TEST_F(SectionedFile, TemporaryNamesSkipExistingFiles)
{
    write_text("ini000.000", "someone else's\n");
    write_text("ini000.001", "someone else's too\n");
    write_text(path, "[S]\na=1\n");
    EXPECT_EQ(1, set_entry(p(), "S", "a", "2", 0));
    EXPECT_EQ("[S]\na=2\n", read_text(path));
    EXPECT_EQ("someone else's\n", read_text("ini000.000"));
    EXPECT_EQ("someone else's too\n", read_text("ini000.001"));
    std::remove("ini000.000");
    std::remove("ini000.001");
}

TEST_F(SectionedFile, ReadOnlyFileIsNotTouched)
{
    write_text(path, "[S]\na=1\n");
    chmod(p(), S_IRUSR);
    std::FILE* probe = std::fopen(p(), "r+");
    if (probe) {
        std::fclose(probe);
        chmod(p(), S_IRUSR | S_IWUSR);
        GTEST_SKIP() << "running with rights that ignore the read-only mode";
    }
    EXPECT_EQ(0, count_entries(p(), "S", nullptr));
    EXPECT_EQ(0, set_entry(p(), "S", "a", "2", 0));
    EXPECT_EQ(0, delete_section(p(), "S"));
    EXPECT_EQ("[S]\na=1\n", read_text(path));
    chmod(p(), S_IRUSR | S_IWUSR);
}

TEST(SectionedFileFailures, PathThatCannotBeOpenedForUpdateGivesZero)
{
    // A directory exists but cannot be opened for reading and writing.
    const char* dir = "sectioned_dir.ini";
#ifdef _WIN32
    _mkdir(dir);
#else
    mkdir(dir, 0755);
#endif
    std::string value;
    EXPECT_EQ(0, count_entries(dir, "S", nullptr));
    EXPECT_EQ(0, get_value(dir, "S", "a", 0, &value));
    EXPECT_EQ(0, add_section(dir, "S"));
    EXPECT_EQ(0, set_entry(dir, "S", "a", "1", 0));
    EXPECT_EQ(0, delete_entry(dir, "S", "a", 0));
    EXPECT_TRUE(exists(dir));
    EXPECT_FALSE(exists("ini000.000"));
    rmdir(dir);
}

TEST(FileReplace, ReplacesAnExistingFileAndLeavesItOnFailure)
{
    write_text("replace_target.txt", "old\n");
    write_text("replace_source.txt", "new\n");
    EXPECT_TRUE(replace_file("replace_source.txt", "replace_target.txt"));
    EXPECT_EQ("new\n", read_text("replace_target.txt"));
    EXPECT_FALSE(exists("replace_source.txt"));
    // A failing replacement (no source) leaves the target as it was.
    EXPECT_FALSE(replace_file("replace_source.txt", "replace_target.txt"));
    EXPECT_EQ("new\n", read_text("replace_target.txt"));
    std::remove("replace_target.txt");
}
