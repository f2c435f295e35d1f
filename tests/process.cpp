#include "tests/process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::filesystem::path freshDir(const std::string& name) {
  auto dir =
      std::filesystem::temp_directory_path() / ("toolkit_e2e_" + std::to_string(::getpid())) / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

namespace {

std::filesystem::path outPathIn(const std::filesystem::path& cwd) { return cwd / ".stdout"; }
std::filesystem::path errPathIn(const std::filesystem::path& cwd) { return cwd / ".stderr"; }
std::filesystem::path inPathIn(const std::filesystem::path& cwd) { return cwd / ".stdin"; }

}  // namespace

Started startProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd, const std::string& input,
                     const std::filesystem::path& stdoutTo) {
  const auto outPath = stdoutTo.empty() ? outPathIn(cwd) : stdoutTo;
  const auto errPath = errPathIn(cwd);
  const auto inPath = inPathIn(cwd);
  writeFile(inPath, input);
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(126);
    int in = open(inPath.c_str(), O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    // The test runner's own signal dispositions are not the program's.
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) signal(s, SIG_DFL);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies(args);
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(name.c_str(), argv.data());
    _exit(127);
  }
  return {pid, cwd};
}

RunResult finishProgram(const Started& started, int timeoutSeconds, int* signal) {
  RunResult result;
  int wstatus = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  while (waitpid(started.pid, &wstatus, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(started.pid, SIGKILL);
      waitpid(started.pid, &wstatus, 0);
      result.err = "timeout\n";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  if (signal != nullptr) *signal = WIFSIGNALED(wstatus) ? WTERMSIG(wstatus) : 0;
  result.out = readFile(outPathIn(started.cwd));
  result.err += readFile(errPathIn(started.cwd));
  std::filesystem::remove(outPathIn(started.cwd));
  std::filesystem::remove(errPathIn(started.cwd));
  std::filesystem::remove(inPathIn(started.cwd));
  return result;
}

RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& cwd, const std::string& input,
                     int timeoutSeconds) {
  return finishProgram(startProgram(program, args, cwd, input), timeoutSeconds);
}

}  // namespace e2e
