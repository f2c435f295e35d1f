// Runs a program of the toolkit as a user would, for the end-to-end tests.
#ifndef TESTS_PROCESS_H_
#define TESTS_PROCESS_H_

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct RunResult {
  int status = -1;  // exit status; -1 when killed by a signal or the timeout
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs "program" with "args" in the folder "cwd", standard input from
// "input" (a closed pipe when empty), no display, and a timeout after which
// the program is killed.
RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd, const std::string& input = "",
                     int timeoutSeconds = 60);

// A program started and not yet waited for: runProgram() in two steps, for
// a test that acts on the program while it runs.  Standard output goes to
// "stdoutTo" when given (a device such as /dev/full).
struct Started {
  int pid = -1;
  std::filesystem::path cwd;
};
Started startProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd, const std::string& input = "",
                     const std::filesystem::path& stdoutTo = {});
// Waits for "started" (killing it after the timeout).  "signal" is the
// signal that ended it, 0 when it exited.
RunResult finishProgram(const Started& started, int timeoutSeconds = 60, int* signal = nullptr);

// A fresh empty folder under the system's temporary folder.
std::filesystem::path freshDir(const std::string& name);

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

}  // namespace e2e

#endif  // TESTS_PROCESS_H_
