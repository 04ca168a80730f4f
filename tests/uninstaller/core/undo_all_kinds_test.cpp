// End to end under Wine: the installation of all_kinds_installation.h, its
// log with records of all 23 kinds, undone by "ravelup-cli undo --yes"
// with the shared file held open. Afterwards the files, the INI file (also
// through the system's own profile functions), the registry and the groups
// are checked one by one, and after a simulated restart the file that was
// in use is gone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "report.h"
#include "undo_command.h"

#include "tests/uninstaller/core/all_kinds_installation.h"

using namespace all_kinds;

namespace {

class RecordingRestart : public RestartSeam {
public:
    void restart_windows() override { ++restarts; }
    int restarts = 0;
};

class AllKinds : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(inst.set_up()); }
    void TearDown() override { inst.tear_down(); }
    AllKindsInstallation inst;
};

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace

TEST_F(AllKinds, SilentUndoWithYesUndoesEveryKindAndTheRestartFinishes)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    HANDLE held = CreateFileA(inst.shared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    std::FILE* out = std::tmpfile();
    ASSERT_NE(nullptr, out);
    RecordingReporter reporter;
    RecordingRestart restart;
    int exit_code = ravelup_undo_command({inst.log, "--yes"}, out, reporter, restart);
    CloseHandle(held);
    std::rewind(out);
    std::string output;
    int c;
    while ((c = std::getc(out)) != EOF)
        output.push_back(char(c));
    std::fclose(out);

    EXPECT_EQ(0, exit_code) << output;
    EXPECT_TRUE(reporter.messages.empty());
    std::vector<std::string> lines = lines_of(output);
    ASSERT_EQ(25u, lines.size()) << output;
    EXPECT_EQ("Ravel 3.0", lines[0]);
    for (size_t i = 1; i <= 23; ++i) {
        if (i == 1 + kDeleteFile)
            EXPECT_EQ("Can't be undone\tDelete file deleted.txt", lines[i]);
        else
            EXPECT_EQ(0u, lines[i].find("Undone OK\t")) << lines[i];
    }
    EXPECT_EQ("We need to reboot Windows for the changes to take effect", lines[24]);
    EXPECT_EQ(0, restart.restarts);
    EXPECT_FALSE(exists(inst.log));

    inst.expect_everything_undone();
    EXPECT_TRUE(exists(inst.shared)) << "in use: deleted at the restart";
    ASSERT_TRUE(simulate_restart());
    EXPECT_FALSE(exists(inst.shared));
}
