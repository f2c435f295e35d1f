#include "common/program_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/output_file.h"

namespace common {
namespace {

void reportLine(std::string_view program, std::string_view title, std::string_view text) {
  std::string line(program);
  line += ": ";
  if (!title.empty()) {
    line += title;
    line += ": ";
  }
  line += text;
  line += '\n';
  std::fputs(line.c_str(), stderr);
}

char programName[64];

void checkAtExit() {
  const int error = standardOutputError();
  if (error == 0) return;
  reportLine(programName, "", cannotWrite("standard output", std::strerror(error)).what());
  std::_Exit(1);
}

}  // namespace

void checkStandardOutputAtExit(std::string_view program) {
  static bool watching = false;
  const std::size_t n = std::min(program.size(), sizeof programName - 1);
  program.copy(programName, n);
  programName[n] = '\0';
  if (!std::exchange(watching, true)) std::atexit(checkAtExit);
}

int runReportingFailures(std::string_view program, const std::function<int()>& work,
                         const std::function<void(const std::string& text)>& report) {
  const auto tell = [&](std::string_view title, std::string_view text) {
    if (!report) return reportLine(program, title, text);
    std::string whole(title);
    if (!whole.empty()) whole += ": ";
    report(whole += text);
  };
  try {
    OutputBatch outputs;
    // An input that changed while it was read explains whatever came of
    // reading it, an error or a success.
    try {
      const int status = work();
      throwIfInputChanged();
      if (status != 0) return status;
    } catch (...) {
      throwIfInputChanged();
      throw;
    }
    try {
      checkStandardOutput();
    } catch (const ToolError& error) {
      // Told as at exit, whatever a program's own report of its work says.
      reportLine(program, "", error.what());
      return 1;
    }
    outputs.publish();
    return 0;
  } catch (const ProgramMessage& message) {
    tell(message.title(), message.what());
  } catch (const ToolError& error) {
    tell("", error.what());
  } catch (const std::bad_alloc&) {
    tell("", "out of memory");
  }
  return 1;
}

bool answeredHelpOrVersion(int argc, char** argv, std::string_view program,
                           std::string_view version, std::string_view help) {
  if (argc != 2) return false;
  const std::string_view arg = argv[1];
  if (arg == "--help" || arg == "-h") {
    std::fwrite(help.data(), 1, help.size(), stdout);
    return true;
  }
  if (arg == "--version") {
    std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                static_cast<int>(version.size()), version.data());
    return true;
  }
  return false;
}

std::string consoleLineEnds(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

std::string warningLine(std::string_view program, std::string_view file, std::string_view text) {
  std::string line(program);
  line += ": warning: ";
  if (!file.empty()) (line += file) += ": ";
  (line += text) += '\n';
  return line;
}

void warn(std::string_view program, std::string_view file, std::string_view text) {
  std::fputs(warningLine(program, file, text).c_str(), stderr);
}

}  // namespace common
