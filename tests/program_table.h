// The seven programs, each with a small valid main input and the command
// that runs it on a main input and one output, for tests that treat them
// alike.
#ifndef TESTS_PROGRAM_TABLE_H_
#define TESTS_PROGRAM_TABLE_H_

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/process.h"

namespace e2e {

struct Invocation {
  std::vector<std::string> args;
  std::string input;  // standard input
};

struct Program {
  const char* name;
  std::filesystem::path exe;
  std::string good;  // a valid main input
  // The command for main input "in" and output "out", companions written to "dir".
  std::function<Invocation(const std::filesystem::path& dir, const std::string& in,
                           const std::string& out)>
      make;
  bool hasOutput = true;
  bool outputSurvives = true;  // an existing output stays as it was after a failed run
};

std::vector<Program> programs();

// Runs "p" in "dir" on main input "in" with output "out".
RunResult run(const Program& p, const std::filesystem::path& dir, const std::string& in,
              const std::string& out);

}  // namespace e2e

#endif  // TESTS_PROGRAM_TABLE_H_
