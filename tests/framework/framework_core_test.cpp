// The framework's portable pieces: the recent-file list and its profile
// layout, the message placeholder substitution, and the raw archive.
#include "translator/framework/archive.h"
#include "translator/framework/message_text.h"
#include "translator/framework/recent_file_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class MemoryProfile : public ProfileStore {
public:
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& fallback) const override
    {
        auto it = values.find(section + "/" + key);
        return it == values.end() ? fallback : it->second;
    }
    bool WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override
    {
        values[section + "/" + key] = value;
        return writable;
    }
    bool DeleteKey(const std::string& section, const std::string& key) override
    {
        values.erase(section + "/" + key);
        return true;
    }
    std::map<std::string, std::string> values;
    bool writable = true;
};

TEST(RecentFileListTest, NewestFirstAtMostFourAndAReusedFileMovesToTheFront)
{
    RecentFileList list("Recent File List", "File%d", 4);
    for (const char* f : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) list.Add(f);
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"e.txt", "d.txt", "c.txt", "b.txt"}));
    list.Add("C.TXT");  // the same file, as Windows compares names
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"C.TXT", "e.txt", "d.txt", "b.txt"}));
    list.Add("");
    EXPECT_EQ(list.Files().size(), 4u);
    list.Remove("e.txt");
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"C.TXT", "d.txt", "b.txt"}));
}

TEST(RecentFileListTest, SavesUnderFile1ToFile4AndDeletesEmptyPositions)
{
    MemoryProfile profile;
    profile.values["Recent File List/File3"] = "stale.txt";
    profile.values["Recent File List/File4"] = "stale2.txt";
    RecentFileList list("Recent File List", "File%d", 4);
    list.Add("C:\\old.txt");
    list.Add("C:\\new.txt");
    EXPECT_TRUE(list.Save(profile));
    EXPECT_EQ(profile.values, (std::map<std::string, std::string>{
                                  {"Recent File List/File1", "C:\\new.txt"},
                                  {"Recent File List/File2", "C:\\old.txt"}}));
    profile.writable = false;
    EXPECT_FALSE(list.Save(profile)) << "a profile that cannot be written is reported";
}

TEST(RecentFileListTest, LoadSkipsEmptiesDuplicatesAndKeysBeyondTheSize)
{
    MemoryProfile profile;
    profile.values["Recent File List/File1"] = "one.txt";
    profile.values["Recent File List/File2"] = "";
    profile.values["Recent File List/File3"] = "ONE.txt";
    profile.values["Recent File List/File4"] = "four.txt";
    profile.values["Recent File List/File5"] = "five.txt";
    RecentFileList list("Recent File List", "File%d", 4);
    list.Add("forgotten.txt");
    list.Load(profile);
    EXPECT_EQ(list.Files(), (std::vector<std::string>{"one.txt", "four.txt"}));
    EXPECT_EQ(list.KeyAt(0), "File1");
    EXPECT_EQ(list.KeyAt(3), "File4");
}

TEST(MessageTextTest, ReplacesPercentOneAndKeepsOtherPercents)
{
    EXPECT_EQ(FormatMessageText(kTextTooLongMessage, "21"),
              "Please enter no more than 21 characters.");
    EXPECT_EQ(FormatMessageText(kSaveChangesMessage, "C:\\a.txt"), "Save changes to C:\\a.txt?");
    EXPECT_EQ(FormatMessageText("%1 and %1, 100%% %d %", "x"), "x and x, 100% %d %");
    EXPECT_EQ(FormatMessageText(kFileNotFound, "b.txt"),
              "b.txt\nCannot find this file.\nPlease verify that the correct path and file name "
              "are given.");
}

std::string TempPath(const char* name)
{
    return ::testing::TempDir() + name;
}

TEST(ArchiveTest, StoresAndLoadsBytesUnchanged)
{
    const char raw[] = "line 1\r\nline 2\n\0\x1a\xff end";
    std::string bytes(raw, sizeof raw - 1);  // 22 bytes, NUL included
    std::string path = TempPath("archive_raw.bin");
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    Archive store(out, Archive::Direction::Store);
    EXPECT_TRUE(store.IsStoring());
    EXPECT_TRUE(store.Write(bytes.data(), bytes.size()));
    std::fclose(out);

    std::FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    Archive load(in, Archive::Direction::Load);
    EXPECT_EQ(load.FileLength(), 22);
    std::string text = "previous";
    EXPECT_EQ(load.ReadAll(text, 1000), Archive::ReadResult::Ok);
    EXPECT_EQ(text, bytes);
    EXPECT_FALSE(load.Failed());
    std::fclose(in);
    std::remove(path.c_str());
}

TEST(ArchiveTest, TooLargeAndWrongDirectionLeaveTheTextAlone)
{
    std::string path = TempPath("archive_large.bin");
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("0123456789", out);
    std::fclose(out);

    std::FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_NE(in, nullptr);
    Archive load(in, Archive::Direction::Load);
    std::string text = "keep";
    EXPECT_EQ(load.ReadAll(text, 9), Archive::ReadResult::TooLarge);
    EXPECT_EQ(text, "keep");
    EXPECT_EQ(load.ReadAll(text, 10), Archive::ReadResult::Ok);
    EXPECT_EQ(text, "0123456789");
    EXPECT_FALSE(load.Write("x", 1)) << "a loading archive does not write";
    EXPECT_TRUE(load.Failed());
    EXPECT_FALSE(load.FailureReported());
    load.SetFailed(true);
    EXPECT_TRUE(load.FailureReported());
    std::fclose(in);
    std::remove(path.c_str());
}

}  // namespace
