// Runs a command-line program of the project as a separate process (POSIX
// builds), with its standard output and error caught in files of the test's
// folder and its standard input empty.
#ifndef LEXON_TESTS_PROGRAM_RUN_H
#define LEXON_TESTS_PROGRAM_RUN_H

#include "storage_test_util.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

struct ProgramRun {
    int exit_code = -1;   // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// command_line is passed to the shell as it stands: quote paths in it.
inline ProgramRun RunProgram(const TempFolder& folder, const std::string& command_line)
{
    std::string out_file = folder.File("stdout.txt");
    std::string err_file = folder.File("stderr.txt");
    std::string command = command_line + " >'" + out_file + "' 2>'" + err_file + "' </dev/null";
    ProgramRun run;
    int status = std::system(command.c_str());
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::vector<unsigned char> out = ReadBytes(out_file);
    std::vector<unsigned char> err = ReadBytes(err_file);
    run.out.assign(out.begin(), out.end());
    run.err.assign(err.begin(), err.end());
    return run;
}

#endif
