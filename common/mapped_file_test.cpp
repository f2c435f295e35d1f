#include "common/mapped_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "common/errors.h"

namespace common {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderSanitizer = true;
#else
constexpr bool kUnderSanitizer = false;
#endif

std::string tempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / (name + "." + std::to_string(::getpid())))
      .string();
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Ends the process with status 1 and the message on standard error when an
// input changed, with status 0 when none did: for the death tests, which
// keep the record of a change out of this process.
[[noreturn]] void exitWithChange() {
  try {
    throwIfInputChanged();
  } catch (const ToolError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    std::exit(1);
  }
  std::exit(0);
}

TEST(MappedFileDeathTest, AFileThatShrinksWhileMappedIsReportedAsChanged) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string path = tempPath("shrinking.txt");
  const std::size_t bytes = 3 * 4096 + 100;
  writeText(path, std::string(bytes, '7'));
  // Each case ends its process: 9 when the lost end read as zeros, else as
  // exitWithChange() does.
  struct Case {
    const char* name;
    std::function<void(std::optional<MappedFile>&)> afterTruncating;
    int status;
    const char* message;
  };
  const Case cases[] = {
      // The lost pages read as zeros: no bus error ends the program.
      {"read here", [](auto& f) { std::exit(f->text()[bytes - 1] == 0 ? 9 : 8); }, 9, ""},
      {"read on another thread",
       [](auto& f) {
         char last = 1;
         std::thread([&] { last = f->text()[bytes - 1]; }).join();
         std::exit(last == 0 ? 9 : 8);
       },
       9, ""},
      // Not read again: the size tells, while the file is open and once closed.
      {"not read again", [](auto&) { exitWithChange(); }, 1, "changed while being read"},
      {"closed first",
       [](auto& f) {
         f.reset();
         exitWithChange();
       },
       1, "shrinking.txt.[0-9]+: changed while being read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto run = [&] {
      std::optional<MappedFile> file(std::in_place, path);
      if (file->text()[0] != '7') std::exit(6);
      if (::truncate(path.c_str(), 4096) != 0) std::exit(7);
      c.afterTruncating(file);
    };
    EXPECT_EXIT(run(), testing::ExitedWithCode(c.status), c.message);
    writeText(path, std::string(bytes, '7'));
  }
  // After zeros were read, the change is still what is reported.
  EXPECT_EXIT(
      {
        MappedFile file(path);
        if (::truncate(path.c_str(), 0) != 0) std::exit(7);
        if (file.text()[bytes - 1] != 0) std::exit(8);
        exitWithChange();
      },
      testing::ExitedWithCode(1), "changed while being read");
  std::filesystem::remove(path);
}

TEST(MappedFileDeathTest, AnUnchangedFileAndAnyOtherBusErrorAreLeftAlone) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const std::string path = tempPath("unchanged.txt");
  writeText(path, std::string(10000, '1'));
  EXPECT_EXIT(
      {
        MappedFile file(path);
        if (file.text().back() != '1') std::exit(8);
        exitWithChange();
      },
      testing::ExitedWithCode(0), "");
  // A bus error that is not the file's ends the program as it would have
  // (under AddressSanitizer, by its report and an abort).
  EXPECT_EXIT(
      {
        MappedFile file(path);
        ::raise(SIGBUS);
      },
      [](int status) {
        return WIFSIGNALED(status) &&
               (WTERMSIG(status) == SIGBUS || (kUnderSanitizer && WTERMSIG(status) == SIGABRT));
      },
      "");
  std::filesystem::remove(path);
}

// The text read from a pipe that a thread fills with "text" (then closes).
std::string readThroughPipe(const std::string& text,
                            std::size_t mostBytes = MappedFile::mostStreamedBytes()) {
  // A writer the reader gave up on gets EPIPE, not the signal.
  ::signal(SIGPIPE, SIG_IGN);
  int ends[2];
  if (::pipe(ends) != 0) throw std::runtime_error("no pipe");
  std::thread writer([&] {
    for (std::size_t at = 0; at < text.size();) {
      const ssize_t put = ::write(ends[1], text.data() + at, text.size() - at);
      if (put <= 0) break;  // the reader has given up
      at += static_cast<std::size_t>(put);
    }
    ::close(ends[1]);
  });
  std::string got, error;
  try {
    MappedFile file("/proc/self/fd/" + std::to_string(ends[0]), mostBytes);
    got = file.text();
  } catch (const ToolError& e) {
    error = e.what();
  }
  ::close(ends[0]);
  writer.join();
  if (!error.empty()) return "error: " + error.substr(error.find(": line"));
  return got;
}

TEST(MappedFile, AStreamedInputHoldsNoLineOverOneMegabyte) {
  const std::string mb(kLongestStreamedLine, 'x');
  const struct {
    std::string text;
    std::string expected;
  } cases[] = {
      {"0.5,1\r\n0.25,0\n", "0.5,1\r\n0.25,0\n"},
      {mb, mb},
      {"1\n" + mb + "\n" + mb, "1\n" + mb + "\n" + mb},
      {mb + "x", "error: : line 1: a line longer than 1 MB"},
      {"1\r\n2\r" + mb + mb, "error: : line 3: a line longer than 1 MB"},
      {"1\n\n3\n" + std::string(3 << 20, '\0'), "error: : line 4: a line longer than 1 MB"},
  };
  for (const auto& c : cases) {
    const std::string got = readThroughPipe(c.text);
    EXPECT_EQ(got.size(), c.expected.size());
    EXPECT_TRUE(got == c.expected) << got.substr(0, 60);
  }
  // Short lines without end: the whole is bounded too.
  std::string lines;
  while (lines.size() <= (3u << 20)) lines += "0.5,1\n";
  const std::string refused = readThroughPipe(lines, 3u << 20);
  EXPECT_EQ(refused.rfind("error: : line ", 0), 0u) << refused.substr(0, 60);
  EXPECT_NE(refused.find(": more than 3 MB from a pipe or device (a quarter of this machine's "
                         "memory at most); give the data as a regular file"),
            std::string::npos)
      << refused.substr(0, 60);
  EXPECT_EQ(readThroughPipe(lines.substr(0, 3u << 20), 3u << 20).size(), 3u << 20);
}

TEST(MappedFile, AnEndlessDeviceStopsAtItsFirstLongLine) {
  try {
    MappedFile file("/dev/zero");
    FAIL() << "read to the end of /dev/zero";
  } catch (const ToolError& e) {
    EXPECT_STREQ(e.what(), "/dev/zero: line 1: a line longer than 1 MB");
    EXPECT_EQ(e.fault(), Fault::kTooLarge);
  }
}

}  // namespace
}  // namespace common
