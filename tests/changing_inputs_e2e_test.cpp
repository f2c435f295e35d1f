// Inputs that change under a program or never end: a file cut short while
// it is read, a FIFO or a device that streams forever without a line end.
// Each run must end with status 1 and the file named on standard error,
// leaving no temporary behind and the existing output as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// What is done to the input named "in" of a row.
enum class Setup {
  kTruncatedWhileRead,  // a big regular file, cut to nothing once the program maps it
  kEndlessFifo,         // a FIFO fed numbers forever, with no line end
  kDevice,              // the input is a device that never ends, such as /dev/zero
};

struct Row {
  const char* program;
  fs::path exe;
  std::vector<std::string> args;  // "in" and "out" stand for the input and the output
  std::string input;              // standard input, with "in" standing for the input too
  Setup setup;
  std::string in;           // the input's name: a file in the run's folder, or a device
  std::string head;         // the input's first line, for kTruncatedWhileRead
  std::string body;         // repeated to make the input, or fed to the FIFO
  std::string out;          // an output that must survive ("" when there is none)
  std::string expectedErr;  // the whole of standard error's last line
};

const std::string kNet = "2 1 1\n1 0\n-0.5 0\n0.5 0\n2\n-1\n";
const std::string kPatterns = "0.1 0.2 0.3\n0.4 0.5 0.6\n0.7 0.8 0.9\n0.2 0.1 0.4\n";

std::vector<Row> rows() {
  return {
      {"rocplot",
       ROCPLOT_EXE,
       {"in", "--picture", "out"},
       "",
       Setup::kTruncatedWhileRead,
       "big.txt",
       "",
       "0.125 1\n0.875 0\n0.5 1\n",
       "roc.png",
       "rocplot: big.txt: changed while being read"},
      {"Yieldex",
       YIELDEX_EXE,
       {"--weights", "net.wgt", "--output", "out", "in"},
       "",
       Setup::kTruncatedWhileRead,
       "big.pat",
       "2 1 12000000\n",
       kPatterns,
       "net.out",
       "Yieldex: big.pat: changed while being read"},
      {"rocplot",
       ROCPLOT_EXE,
       {"in", "--picture", "out"},
       "",
       Setup::kEndlessFifo,
       "scores",
       "",
       "0.5 1 ",
       "roc.png",
       "rocplot: scores: line 1: a line longer than 1 MB"},
      {"rocplot",
       ROCPLOT_EXE,
       {"in", "--picture", "out"},
       "",
       Setup::kDevice,
       "/dev/zero",
       "",
       "",
       "roc.png",
       "rocplot: /dev/zero: line 1: a line longer than 1 MB"},
      {"kappatest",
       KAPPATEST_EXE,
       {},
       "in\n2\n\n0\n",
       Setup::kEndlessFifo,
       "matrix",
       "",
       "7,",
       "",
       "kappatest: matrix: line 1: a line longer than 1 MB"},
      {"kappatest",
       KAPPATEST_EXE,
       {},
       "in\n2\n\n0\n",
       Setup::kDevice,
       "/dev/zero",
       "",
       "",
       "",
       "kappatest: /dev/zero: line 1: a line longer than 1 MB"},
      {"Colfold",
       COLFOLD_EXE,
       {"in", "out", "1", "1", "1"},
       "",
       Setup::kEndlessFifo,
       "table",
       "",
       "1 2\t",
       "folded.txt",
       "Colfold: table: line 1: a line longer than 1 MB"},
      {"Colfold",
       COLFOLD_EXE,
       {"in", "out", "1", "1", "1"},
       "",
       Setup::kDevice,
       "/dev/zero",
       "",
       "",
       "folded.txt",
       "Colfold: /dev/zero: line 1: a line longer than 1 MB"},
      {"Favomap5",
       FAVOMAP_EXE,
       {"--bmu", "in", "--output", "out"},
       "",
       Setup::kDevice,
       "/dev/zero",
       "",
       "",
       "map.bmp",
       "Favomap5: /dev/zero: line 1: a line longer than 1 MB"},
      {"Tremora",
       TREMORA_EXE,
       {"--noise", "noise.cfg", "--results", "out", "in", "net.wgt"},
       "",
       Setup::kEndlessFifo,
       "patterns",
       "",
       "0.5 ",
       "test.err",
       "Tremora: patterns: line 1: a line longer than 1 MB"},
      {"Tremora",
       TREMORA_EXE,
       {"--noise", "noise.cfg", "--results", "out", "in", "net.wgt"},
       "",
       Setup::kDevice,
       "/dev/zero",
       "",
       "",
       "test.err",
       "Tremora: /dev/zero: line 1: a line longer than 1 MB"},
  };
}

// "text" with every "in" and "out" replaced by the row's names.
std::string bound(const std::string& text, const Row& row) {
  if (text == "in") return row.in;
  if (text == "out") return row.out;
  if (text.rfind("in\n", 0) == 0) return row.in + text.substr(2);
  return text;
}

// Writes "head" and then "body" over and over, to about 160 MB: long enough
// to read that the file is cut while the program is at it.
void writeBig(const fs::path& path, const std::string& head, const std::string& body) {
  std::string block;
  while (block.size() < (1 << 20)) block += body;
  std::ofstream out(path, std::ios::binary);
  out << head;
  for (int i = 0; i < 160; ++i) out.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// True when a child of this process has "path" mapped.
bool childMaps(const fs::path& path) {
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream children(task.path() / "children");
    for (pid_t pid; children >> pid;) {
      std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
      for (std::string line; std::getline(maps, line);) {
        if (line.find(path.string()) != std::string::npos) return true;
      }
    }
  }
  return false;
}

// Feeds "body" to the FIFO "path" until its reader goes away.
void feedForever(const fs::path& path, const std::string& body, std::atomic<bool>& done) {
  // A reader that leaves makes the write fail with EPIPE, not end this process.
  sigset_t pipeSignal;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
  const int fd = ::open(path.c_str(), O_WRONLY);
  std::string block;
  while (block.size() < (1 << 16)) block += body;
  while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) {
  }
  if (fd >= 0) ::close(fd);
  done = true;
}

std::set<fs::path> filesIn(const fs::path& dir) {
  std::set<fs::path> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

std::string lastLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  const std::size_t lf = text.rfind('\n');
  return lf == std::string::npos ? text : text.substr(lf + 1);
}

TEST(ChangingInputs, EndWithTheFileNamedAndNoOutputReplaced) {
  for (const Row& row : rows()) {
    SCOPED_TRACE(std::string(row.program) + " " + row.in);
    const fs::path dir = freshDir("changing_inputs");
    writeFile(dir / "net.wgt", kNet);
    writeFile(dir / "noise.cfg", "2\n0.1\n0.2\n");
    if (!row.out.empty()) writeFile(dir / row.out, "old output");
    const fs::path in = dir / row.in;
    if (row.setup == Setup::kTruncatedWhileRead) writeBig(in, row.head, row.body);
    if (row.setup == Setup::kEndlessFifo) {
      ASSERT_EQ(::mkfifo(in.c_str(), 0600), 0);
    }
    const std::set<fs::path> before = filesIn(dir);

    std::vector<std::string> args;
    for (const std::string& arg : row.args) args.push_back(bound(arg, row));
    auto run = std::async(std::launch::async, [&] {
      return runProgram(row.exe, args, dir, bound(row.input, row), 60);
    });
    std::atomic<bool> fed{false};
    std::thread feeder;
    if (row.setup == Setup::kEndlessFifo) {
      feeder = std::thread(feedForever, in, row.body, std::ref(fed));
    }
    if (row.setup == Setup::kTruncatedWhileRead) {
      while (!childMaps(in) && run.wait_for(1ms) != std::future_status::ready) {
      }
      ASSERT_NE(run.wait_for(0s), std::future_status::ready) << "ended before the file was cut";
      fs::resize_file(in, 0);
    }
    const RunResult result = run.get();
    // A feeder still waiting for a reader is let through, to find none.
    while (feeder.joinable() && !fed) {
      const int fd = ::open(in.c_str(), O_RDONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
      std::this_thread::sleep_for(1ms);
    }
    if (feeder.joinable()) feeder.join();

    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(lastLine(result.err), row.expectedErr);
    EXPECT_EQ(filesIn(dir), before);
    if (!row.out.empty()) {
      EXPECT_EQ(readFile(dir / row.out), "old output");
    }
    fs::remove_all(dir);
  }
}

}  // namespace
}  // namespace e2e
