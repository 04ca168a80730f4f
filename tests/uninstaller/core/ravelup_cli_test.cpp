// ravelup-cli list: the exact listing of a log, and the message and exit
// code of a log that cannot be loaded.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "list_command.h"
#include "log_stream.h"
#include "operation.h"
#include "report.h"

namespace {

void write_bytes(const char* path, const std::vector<unsigned char>& bytes)
{
    std::FILE* file = std::fopen(path, "wb");
    ASSERT_NE(nullptr, file);
    std::fwrite(&bytes[0], 1, bytes.size(), file);
    std::fclose(file);
}

// Runs the command with its output into a temporary file, read back.
int run_list(const std::vector<std::string>& args, std::string* output, RecordingReporter* reporter)
{
    std::FILE* out = std::tmpfile();
    EXPECT_NE(nullptr, out);
    int code = ravelup_list_command(args, out, *reporter);
    std::rewind(out);
    output->clear();
    int c;
    while ((c = std::getc(out)) != EOF)
        output->push_back(char(c));
    std::fclose(out);
    return code;
}

}  // namespace

TEST(RavelupCli, ListsTitleThenStateAndDescription)
{
    LogWriter w;
    w.header(nullptr, kLogVersion15, "Lexon 1.0");
    w.int32(kMakeDir); w.string("C:\\LEXON");
    w.int32(kInstallCreateFile); w.string("A:\\L.EXE"); w.string("C:\\LEXON\\L.EXE"); w.int32(0);
    w.int32(kDeleteFile); w.string("C:\\LEXON\\OLD.TXT");
    w.int32(kAddRegKey); w.int32(2); w.string("SOFTWARE\\Lexon");
    w.int32(kInstallFont); w.string("C:\\F.TTF"); w.int32(0);
    write_bytes("ravelup_cli_test.log", w.bytes);

    std::string output;
    RecordingReporter reporter;
    EXPECT_EQ(0, run_list({"ravelup_cli_test.log"}, &output, &reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ("Lexon 1.0\n"
              "Will be undone\tMake dir C:\\LEXON\n"
              "Will be undone\tInstall and create file L.EXE\n"
              "Can't be undone\tDelete file OLD.TXT\n"
              "Will be undone\tAdd reg key HKEY_LOCAL_MACHINE\\SOFTWARE\\Lexon\n"
              "Won't be undone\tInstall font file C:\\F.TTF\n",
              output);
    std::remove("ravelup_cli_test.log");
}

TEST(RavelupCli, BadLogPrintsTheMessageAndFails)
{
    LogWriter w;
    w.header(nullptr, 0x00000501u, "T");
    write_bytes("ravelup_cli_bad.log", w.bytes);
    std::string output;
    RecordingReporter reporter;
    EXPECT_EQ(1, run_list({"ravelup_cli_bad.log"}, &output, &reporter));
    EXPECT_EQ("", output);
    EXPECT_EQ(std::vector<std::string>{"Incorrect version of log file"}, reporter.messages);
    std::remove("ravelup_cli_bad.log");

    RecordingReporter missing;
    EXPECT_EQ(1, run_list({"no_such_ravelup.log"}, &output, &missing));
    EXPECT_EQ(std::vector<std::string>{"Unable to open file no_such_ravelup.log"}, missing.messages);

    RecordingReporter none;
    EXPECT_EQ(2, run_list({}, &output, &none));
}
