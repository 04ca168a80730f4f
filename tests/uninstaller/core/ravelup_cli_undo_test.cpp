// ravelup-cli undo under Wine: a prepared installation undone without a
// window, with the questions answered "No"/"Keep" and with --yes; the
// listing printed, the exit code, the log kept or deleted, the system
// afterwards (files, directories, INI file, registry, shared count), and a
// shared file held open that only goes at the next start of Windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "log_stream.h"
#include "operation.h"
#include "report.h"
#include "undo_command.h"
#include "uninstaller/files/file_ops.h"
#include "uninstaller/support/platform_info.h"
#include "uninstaller/system/registry.h"
#include "uninstaller/system/system_context.h"

#include "tests/uninstaller/system/scratch_dir.h"
#include "tests/uninstaller/system/wine_restart.h"
#include "tests/support/windows_path.h"

namespace {

const char kTestKey[] = "Software\\RavelupCliUndoTest";

class RecordingRestart : public RestartSeam {
public:
    void restart_windows() override { ++restarts; }
    int restarts = 0;
};

struct UndoRun {
    int exit_code = -1;
    std::string output;
    std::vector<std::string> messages;
    int restarts = 0;
};

UndoRun run_undo(const std::vector<std::string>& args)
{
    UndoRun run;
    std::FILE* out = std::tmpfile();
    EXPECT_NE(nullptr, out);
    RecordingReporter reporter;
    RecordingRestart restart;
    run.exit_code = ravelup_undo_command(args, out, reporter, restart);
    std::rewind(out);
    int c;
    while ((c = std::getc(out)) != EOF)
        run.output.push_back(char(c));
    std::fclose(out);
    run.messages = reporter.messages;
    run.restarts = restart.restarts;
    return run;
}

void write_log(const std::string& path, const LogWriter& log)
{
    std::string bytes(log.bytes.begin(), log.bytes.end());
    ASSERT_TRUE(write_file(path, bytes));
}

bool registry_field_exists(const char* key, const char* field)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    bool found = RegQueryValueExA(handle, field, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return found;
}

// A small installation: a product directory holding the program and a file
// of the user's own, an INI entry, a registry field, and a shared file in
// the system directory counted once.
class Installation {
public:
    explicit Installation(const char* name) : scratch_(name)
    {
        fill_platform_info();
        product_dir = scratch_ / "Product";
        program = product_dir + "\\app.exe";
        user_file = product_dir + "\\notes.txt";
        ini = scratch_ / "app.ini";
        log = scratch_ / "uxlog.ini";
        std::string system_dir;
        shared_directory(&system_dir);
        shared = join_path(system_dir, std::string("rvcli") + name + ".dll");

        CreateDirectoryA(product_dir.c_str(), nullptr);
        write_file(program, "MZ program");
        write_file(user_file, "the user's own");
        write_file(ini, "[Options]\r\nColor=red\r\nSize=10\r\n");
        write_file(shared, "MZ shared");
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("1.0"), 4);
        RegCloseKey(key);
        SystemContext context;
        set_shared_count(context, shared, 1);
    }
    ~Installation()
    {
        SystemContext context;
        context.quiet = 1;
        if (shared_count(context, shared) > 0)
            decrement_shared_count(context, shared);
        DeleteFileA(shared.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    }

    // The log where the installer leaves it: in the product's directory.
    void put_log_in_product_directory() { log = product_dir + "\\uxlog.ini"; }

    void write_standard_log(bool with_failing_record = false)
    {
        LogWriter w;
        w.header(nullptr, kLogVersion21, "Ravel Test 2.0");
        w.int32(kMakeDir); w.string(product_dir);
        w.int32(kCreateFile); w.string(program);
        w.int32(kAddIniEntry); w.string(ini); w.string("Options"); w.string("Color"); w.int32(0);
        w.int32(kAddRegField); w.int32(1); w.string(kTestKey); w.string("Version");
        w.int32(kInstallCreateFile); w.string("A:\\SHARED.DLL"); w.string(shared); w.int32(1);
        w.int32(kDeleteFile); w.string(product_dir + "\\old.txt");
        if (with_failing_record) {
            // Undone first, and fails: the file is not there.
            w.int32(kSetFileAttrib); w.string(product_dir + "\\missing.txt"); w.int32(0); w.int32(0);
        }
        write_log(log, w);
    }

    std::string listing(const char* dir_state, const char* shared_state) const
    {
        std::string name = shared.substr(shared.rfind('\\') + 1);
        return std::string("Ravel Test 2.0\n") + dir_state + "\tMake dir " + product_dir + "\n" +
               "Undone OK\tCreate file app.exe\n"
               "Undone OK\tAdd INI entry Color\n"
               "Undone OK\tAdd reg key field HKEY_CURRENT_USER\\" + kTestKey + " - Version\n" +
               shared_state + "\tInstall and create file " + name + "\n" +
               "Can't be undone\tDelete file old.txt\n";
    }

    std::string product_dir, program, user_file, ini, log, shared;

private:
    ScratchDir scratch_;
};

// Runs the real ravelup-cli.exe with its standard output into a file.
int run_program(const std::string& arguments, const std::string& output_path, std::string* output)
{
    std::string program = WindowsPath(RAVELUP_CLI_EXE);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(output_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return -1;
    std::string command = "\"" + program + "\" " + arguments;
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(out);
    if (!started)
        return -1;
    DWORD exit_code = 0;
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    *output = read_file(output_path);
    return static_cast<int>(exit_code);
}

}  // namespace

TEST(RavelupCliUndo, TheConsoleProgramRunsTheSameUndo)
{
    Installation inst("exe");
    inst.write_standard_log();
    std::string output;
    std::string output_path = inst.log + ".out";
    EXPECT_EQ(1, run_program("undo \"" + inst.log + "\"", output_path, &output));
    std::string expected = inst.listing("Undone failed", "Undone OK");
    std::string normalized;
    for (char c : output)
        if (c != '\r')
            normalized += c;
    EXPECT_EQ(expected, normalized);
    EXPECT_TRUE(exists(inst.log));
    EXPECT_EQ(2, run_program("undo", output_path, &output));
    EXPECT_EQ("usage: ravelup-cli undo LOGFILE [--yes] [--reboot]", output.substr(0, output.find_first_of("\r\n")));
    DeleteFileA(output_path.c_str());
}

TEST(RavelupCliUndo, WithoutYesTheQuestionsAreAnsweredNoAndKeep)
{
    Installation inst("no");
    inst.write_standard_log();
    UndoRun run = run_undo({inst.log});

    EXPECT_EQ(1, run.exit_code);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(inst.listing("Undone failed", "Undone OK"), run.output);
    EXPECT_TRUE(exists(inst.log)) << "an incomplete undo keeps the log";
    // The directory is not empty ("No"): it stays with the user's file.
    EXPECT_EQ("the user's own", read_file(inst.user_file));
    EXPECT_FALSE(exists(inst.program));
    EXPECT_EQ("[Options]\r\nSize=10\r\n", read_file(inst.ini));
    EXPECT_FALSE(registry_field_exists(kTestKey, "Version"));
    // The count reached zero and the file was kept ("Keep").
    SystemContext context;
    EXPECT_EQ(0, shared_count(context, inst.shared));
    EXPECT_EQ("MZ shared", read_file(inst.shared));
    EXPECT_EQ(0, run.restarts);
}

TEST(RavelupCliUndo, WithYesEverythingGoesAndTheLogIsDeleted)
{
    Installation inst("yes");
    inst.write_standard_log();
    UndoRun run = run_undo({inst.log, "--yes"});

    EXPECT_EQ(0, run.exit_code);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(inst.listing("Undone OK", "Undone OK"), run.output);
    EXPECT_FALSE(exists(inst.log));
    EXPECT_FALSE(exists(inst.product_dir));
    EXPECT_FALSE(exists(inst.shared));
    SystemContext context;
    EXPECT_EQ(0, shared_count(context, inst.shared));
    EXPECT_EQ("[Options]\r\nSize=10\r\n", read_file(inst.ini));
    EXPECT_FALSE(registry_field_exists(kTestKey, "Version"));
}

TEST(RavelupCliUndo, SharedCountAboveOneIsOnlyDecremented)
{
    Installation inst("count");
    SystemContext context;
    set_shared_count(context, inst.shared, 3);
    inst.write_standard_log();
    UndoRun run = run_undo({inst.log, "--yes"});
    EXPECT_EQ(0, run.exit_code);
    EXPECT_EQ(2, shared_count(context, inst.shared));
    EXPECT_EQ("MZ shared", read_file(inst.shared));
}

TEST(RavelupCliUndo, FileInUseIsDeletedAtTheRestart)
{
    if (!running_under_wine())
        GTEST_SKIP() << "needs a restart of Windows";
    Installation inst("busy");
    inst.write_standard_log();
    HANDLE held = CreateFileA(inst.shared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);

    UndoRun run = run_undo({inst.log, "--yes"});
    CloseHandle(held);
    EXPECT_EQ(0, run.exit_code);
    EXPECT_EQ(inst.listing("Undone OK", "Undone OK") +
                  "We need to reboot Windows for the changes to take effect\n",
              run.output);
    EXPECT_EQ(0, run.restarts) << "restarts only with --reboot";
    EXPECT_FALSE(exists(inst.log));
    EXPECT_TRUE(exists(inst.shared));

    ASSERT_TRUE(simulate_restart());
    EXPECT_FALSE(exists(inst.shared));
}

TEST(RavelupCliUndo, RebootOptionRestartsWhenNeeded)
{
    Installation inst("reboot");
    inst.write_standard_log();
    HANDLE held = CreateFileA(inst.shared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    UndoRun run = run_undo({"--yes", "--reboot", inst.log});
    CloseHandle(held);
    EXPECT_EQ(0, run.exit_code);
    EXPECT_EQ(1, run.restarts);
    // Not left for the next test's restart: the deletion is due anyway.
    DeleteFileA(inst.shared.c_str());

    Installation clean("noreboot");
    clean.write_standard_log();
    UndoRun quiet = run_undo({clean.log, "--yes", "--reboot"});
    EXPECT_EQ(0, quiet.exit_code);
    EXPECT_EQ(0, quiet.restarts) << "nothing was scheduled";
}

TEST(RavelupCliUndo, UsageErrorsAndBadLogs)
{
    EXPECT_EQ(2, run_undo({}).exit_code);
    EXPECT_EQ(2, run_undo({"a.log", "b.log"}).exit_code);
    EXPECT_EQ(2, run_undo({"a.log", "--no"}).exit_code);

    UndoRun missing = run_undo({"no_such_ravelup_undo.log"});
    EXPECT_EQ(1, missing.exit_code);
    EXPECT_EQ("", missing.output);
    EXPECT_EQ(std::vector<std::string>{"Unable to open file no_such_ravelup_undo.log"}, missing.messages);
}

TEST(RavelupCliUndo, LogInTheProductDirectoryDoesNotKeepTheDirectory)
{
    // Without --yes: only the log is left in the directory, so the
    // directory is empty once the log is set aside and goes unasked.
    Installation inst("inside");
    inst.put_log_in_product_directory();
    DeleteFileA(inst.user_file.c_str());
    inst.write_standard_log();
    UndoRun run = run_undo({inst.log});
    EXPECT_EQ(0, run.exit_code);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(inst.listing("Undone OK", "Undone OK"), run.output);
    EXPECT_FALSE(exists(inst.log));
    EXPECT_FALSE(exists(inst.product_dir));

    // With --yes and a file of the user's beside it: everything goes and
    // the run is complete.
    Installation yes("insideyes");
    yes.put_log_in_product_directory();
    yes.write_standard_log();
    UndoRun all = run_undo({yes.log, "--yes"});
    EXPECT_EQ(0, all.exit_code);
    EXPECT_TRUE(all.messages.empty());
    EXPECT_EQ(yes.listing("Undone OK", "Undone OK"), all.output);
    EXPECT_FALSE(exists(yes.log));
    EXPECT_FALSE(exists(yes.product_dir));
}

TEST(RavelupCliUndo, IncompleteRunPutsTheLogBackInTheRemovedDirectory)
{
    Installation inst("insidefail");
    inst.put_log_in_product_directory();
    inst.write_standard_log(true);
    std::string log_bytes = read_file(inst.log);
    UndoRun run = run_undo({inst.log, "--yes"});
    EXPECT_EQ(1, run.exit_code);
    EXPECT_TRUE(run.messages.empty());
    EXPECT_EQ(inst.listing("Undone OK", "Undone OK") + "Undone failed\tSet attrib of file missing.txt\n",
              run.output);
    // The directory went with the user's file, and the log is back in a
    // directory of that name, byte for byte, ready for the next run.
    EXPECT_FALSE(exists(inst.user_file));
    EXPECT_EQ(log_bytes, read_file(inst.log));
}

TEST(RavelupCliUndo, NegativeSharedCountAsksBeforeTheFileGoes)
{
    // A count stored as 0xFFFFFFFF: the question is answered "Keep"
    // without --yes, and the file stays.
    Installation inst("negcount");
    SystemContext context;
    set_shared_count(context, inst.shared, -1);
    inst.write_standard_log();
    UndoRun run = run_undo({inst.log});
    EXPECT_EQ(1, run.exit_code);
    EXPECT_EQ(inst.listing("Undone failed", "Undone OK"), run.output);
    EXPECT_EQ("MZ shared", read_file(inst.shared));
}
