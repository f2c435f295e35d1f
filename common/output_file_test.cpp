#include "common/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "common/errors.h"
#include "test_support/scratch_dir.h"

namespace common {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode;
}

// What one output place is before a write of "new\r\n" to "out", and what
// must be true after it.
struct PlaceCase {
  const char* name;
  std::function<void(const support::ScratchDir&)> setUp;
  const char* error;  // a part of the message, or nullptr when it succeeds
  std::function<void(const support::ScratchDir&)> check;
};

TEST(OutputFile, EveryKindOfPlace) {
  const PlaceCase cases[] = {
      {"new file", [](auto&) {}, nullptr,
       [](auto& d) {
         EXPECT_EQ(d.read("out"), "new\r\n");
         EXPECT_EQ(modeOf(d.path("out")) & 07777, 0640u);  // 0666 less the umask 026
       }},
      {"existing file keeps its mode",
       [](auto& d) {
         d.file("out", "old");
         ::chmod(d.path("out").c_str(), 0640);
       },
       nullptr,
       [](auto& d) {
         EXPECT_EQ(d.read("out"), "new\r\n");
         EXPECT_EQ(modeOf(d.path("out")) & 07777, 0640u);
       }},
      {"read-only file refused",
       [](auto& d) {
         d.file("out", "old");
         ::chmod(d.path("out").c_str(), 0444);
       },
       "read-only", [](auto& d) { EXPECT_EQ(d.read("out"), "old"); }},
      {"a folder refused", [](auto& d) { fs::create_directory(d.dir / "out"); }, "a folder",
       [](auto& d) { EXPECT_TRUE(fs::is_directory(d.dir / "out")); }},
      {"missing folder", [](auto& d) { fs::remove_all(d.dir); }, "No such file", [](auto&) {}},
      {"link followed, its target replaced in its own folder",
       [](auto& d) {
         fs::create_directory(d.dir / "real");
         d.file("real/data", "old");
         fs::create_symlink("real/data", d.dir / "out");
       },
       nullptr,
       [](auto& d) {
         EXPECT_TRUE(fs::is_symlink(d.dir / "out"));
         EXPECT_EQ(d.read("real/data"), "new\r\n");
       }},
      {"dangling link makes its target", [](auto& d) { fs::create_symlink("made", d.dir / "out"); },
       nullptr,
       [](auto& d) {
         EXPECT_TRUE(fs::is_symlink(d.dir / "out"));
         EXPECT_EQ(d.read("made"), "new\r\n");
       }},
      {"device written, not replaced",
       [](auto& d) {
         // Only root makes devices, and a folder on a "nodev" mount opens none.
         const bool made = ::mknod(d.path("out").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         const int fd = made ? ::open(d.path("out").c_str(), O_WRONLY) : -1;
         if (fd < 0) {
           std::filesystem::remove(d.path("out"));
           d.file("skip", "");
         }
         ::close(fd);
       },
       nullptr,
       [](auto& d) {
         if (fs::exists(d.dir / "skip")) return;
         EXPECT_TRUE(S_ISCHR(modeOf(d.path("out"))));
       }},
  };
  const mode_t umaskBefore = ::umask(026);
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    support::ScratchDir dir("output_place");
    c.setUp(dir);
    try {
      OutputFile file(dir.path("out"));
      file.writeLine("new");
      file.commit();
      EXPECT_EQ(c.error, nullptr) << "no error";
    } catch (const ToolError& e) {
      ASSERT_NE(c.error, nullptr) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(dir.path("out")), std::string::npos) << e.what();
    }
    c.check(dir);
    if (fs::exists(dir.dir)) {
      for (const auto& entry : fs::recursive_directory_iterator(dir.dir)) {
        EXPECT_NE(entry.path().extension(), ".part") << "temporary left: " << entry.path();
      }
    }
  }
  ::umask(umaskBefore);
}

TEST(OutputFile, FifoIsWrittenDirectly) {
  support::ScratchDir dir("output_fifo");
  ASSERT_EQ(::mkfifo(dir.path("pipe").c_str(), 0600), 0);
  // The reading end first, so that opening the writing end never waits.
  const int in = ::open(dir.path("pipe").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(in, 0);
  {
    OutputFile file(dir.path("pipe"));
    file.writeLine("through");
    file.commit();
  }
  char buffer[64];
  const ssize_t n = ::read(in, buffer, sizeof buffer);
  ::close(in);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0))), "through\r\n");
  EXPECT_TRUE(S_ISFIFO(modeOf(dir.path("pipe"))));
  EXPECT_EQ(dir.entries(), 1);
}

TEST(OutputFile, NothingShowsBeforeCommitAndAnAbandonedWriteKeepsTheOldFile) {
  support::ScratchDir dir("output_abandoned");
  dir.file("out", "precious");
  {
    OutputFile file(dir.path("out"));
    file.write(std::string(200000, 'x'));  // past the buffer: on disk already
    EXPECT_EQ(dir.read("out"), "precious");
    EXPECT_EQ(dir.entries(), 2);
  }
  EXPECT_EQ(dir.read("out"), "precious");
  EXPECT_EQ(dir.entries(), 1);
}

TEST(OutputFile, ADescriptorByNameIsWrittenAsItIs) {
  support::ScratchDir dir("output_descriptor");
  const int fd = ::open(dir.path("given").c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "first ", 6), 6);
  for (const std::string& name :
       {"/dev/fd/" + std::to_string(fd), "/proc/self/fd/" + std::to_string(fd)}) {
    checkOutputs({}, {name});
    OutputFile file(name);
    file.write("then ");
    file.commit();
  }
  ::close(fd);
  EXPECT_EQ(dir.read("given"), "first then then ");  // the same file, written on
  EXPECT_EQ(dir.entries(), 1);
}

TEST(OutputFile, FullDeviceFailsAtCommit) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  OutputFile file("/dev/full");
  file.write(std::string(100000, 'x'));
  EXPECT_THROW(file.commit(), ToolError);
}

TEST(OutputBatch, PutsFilesInPlaceOnlyWhenPublished) {
  support::ScratchDir dir("output_batch");
  dir.file("a", "old a");
  for (const bool publish : {false, true}) {
    SCOPED_TRACE(publish ? "published" : "dropped");
    OutputBatch batch;
    for (const char* name : {"a", "b"}) {
      OutputFile file(dir.path(name));
      file.write(name);
      file.commit();
    }
    EXPECT_EQ(dir.read("a"), "old a");
    EXPECT_FALSE(fs::exists(dir.dir / "b"));
    if (publish) {
      batch.publish();
      EXPECT_EQ(dir.read("a"), "a");
      EXPECT_EQ(dir.read("b"), "b");
    }
  }
  EXPECT_EQ(dir.entries(), 2);
}

TEST(CheckOutputs, RefusesAnInputUnderAnyNameAndWhatCannotBeWritten) {
  support::ScratchDir dir("check_outputs");
  const std::string input = dir.file("in.pat", "data");
  fs::create_hard_link(input, dir.dir / "hard");
  fs::create_symlink("in.pat", dir.dir / "soft");
  dir.file("locked", "");
  ::chmod(dir.path("locked").c_str(), 0444);
  const struct {
    std::string output;
    const char* error;
  } cases[] = {
      {input, "it is the input"},
      {dir.path("hard"), "it is the input"},
      {dir.path("soft"), "it is the input"},
      {(dir.dir / "." / "in.pat").string(), "it is the input"},
      {dir.path("locked"), "read-only"},
      {dir.path("no/such/out"), "No such file"},
      {dir.path("new"), nullptr},
      {"", nullptr},
      {"/dev/null", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    try {
      checkOutputs({"", input}, {c.output});
      EXPECT_EQ(c.error, nullptr);
    } catch (const ToolError& e) {
      ASSERT_NE(c.error, nullptr) << e.what();
      const std::string message = e.what();
      EXPECT_NE(message.find(c.error), std::string::npos) << message;
      EXPECT_NE(message.find(c.output), std::string::npos) << message;
    }
  }
  EXPECT_EQ(dir.entries(), 4);  // nothing created
}

}  // namespace
}  // namespace common
