// This test program carries no dialog resources, so the main dialog cannot
// be created: the program says so, ends with code 1, and puts back the log
// that it had already moved into the Windows directory.
#include "uninstaller/core/uninstaller_entry.h"

#include "tests/uninstaller/gui/log_builder.h"
#include "tests/uninstaller/system/recording_reports.h"
#include "tests/uninstaller/system/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

class FixedWindows : public EntrySystem {
public:
    explicit FixedWindows(const std::string& dir) : dir_(dir) {}
    std::string windows_directory() override { return dir_; }
    void restart_windows() override { ++restarts; }
    int restarts = 0;

private:
    std::string dir_;
};

}  // namespace

TEST(EntryWithoutDialog, LogIsReturnedWhenTheMainDialogCannotBeCreated)
{
    ScopedRecordingReports reports;
    ScratchDir root("nodialog");
    std::string product = root / "Product";
    std::string windows = root / "Windows";
    CreateDirectoryA(product.c_str(), nullptr);
    CreateDirectoryA(windows.c_str(), nullptr);
    std::string log = LogBuilder("Demo").create_file(product + "\\a.txt").bytes();
    ASSERT_TRUE(write_file(product + "\\uxlog.ini", log));
    FixedWindows system(windows);
    EXPECT_EQ(1, run_uninstaller(GetModuleHandleA(nullptr), (product + "\\uxlog.ini").c_str(), system));
    ASSERT_EQ(1u, reports->errors.size());
    EXPECT_EQ("Unable to open the main dialog box", reports->errors[0]);
    EXPECT_EQ(log, read_file(product + "\\uxlog.ini"));
    EXPECT_FALSE(exists(windows + "\\uxlog.ini"));
    EXPECT_EQ(0, system.restarts);
}
