// What every program does with the places it writes to and with the ways a
// run can end: an output that is one of its inputs, a device, a link, a
// read-only file, a full disk on standard output, names that are not UTF-8,
// interrupts.  Whatever happens, no input is destroyed, no device replaced,
// no temporary left behind, and no failure reported as success.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/process.h"
#include "tests/program_table.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

mode_t modeOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode;
}

// The toolkit's temporaries (".NAME.XXXXXX.part") anywhere under "dir".
std::vector<std::string> temporariesIn(const fs::path& dir) {
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    if (entry.path().extension() == ".part") found.push_back(entry.path().string());
  }
  return found;
}

std::string lastLine(std::string text) {
  while (!text.empty() && text.back() == '\n') text.pop_back();
  const std::size_t lf = text.rfind('\n');
  return lf == std::string::npos ? text : text.substr(lf + 1);
}

// One place to write to, prepared in a fresh folder whose "in.txt" holds
// the program's valid input, and what must hold after the run.
struct Place {
  const char* name;
  // Prepares the folder; returns the output name to give, "" to skip the
  // case for this machine (a device only root can make).
  std::function<std::string(const fs::path& dir)> setUp;
  const char* failure;  // a part of the last line of standard error; nullptr: success
  std::function<void(const fs::path& dir)> check = [](const fs::path&) {};
  bool stdoutFull = false;
  bool outputsOnly = true;  // kappatest writes no file
  std::string input = "in.txt";
};

const std::string kLatin1In = "r\xe9sultat.txt";
const std::string kLatin1Out = "r\xe8sultat.png";

std::vector<Place> places() {
  return {
      {"an output onto its input", [](const fs::path&) { return std::string("in.txt"); },
       "it is the input"},
      {"an output onto its input by a hard link",
       [](const fs::path& dir) {
         fs::create_hard_link(dir / "in.txt", dir / "alias.png");
         return std::string("alias.png");
       },
       "it is the input"},
      {"an output onto its input by a link and ./",
       [](const fs::path& dir) {
         fs::create_symlink("in.txt", dir / "link.png");
         return std::string("./link.png");
       },
       "it is the input"},
      {"a device",
       [](const fs::path& dir) {
         // Only root makes devices, and a folder on a "nodev" mount opens none.
         const fs::path node = dir / "null.png";
         const bool made = ::mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
         const int fd = made ? ::open(node.c_str(), O_WRONLY) : -1;
         ::close(fd);
         return std::string(fd >= 0 ? "null.png" : "");
       },
       nullptr, [](const fs::path& dir) { EXPECT_TRUE(S_ISCHR(modeOf(dir / "null.png"))); }},
      {"a link to another folder",
       [](const fs::path& dir) {
         fs::create_directory(dir / "real");
         writeFile(dir / "real" / "kept.png", "old");
         fs::create_symlink("real/kept.png", dir / "link.png");
         return std::string("link.png");
       },
       nullptr,
       [](const fs::path& dir) {
         EXPECT_TRUE(fs::is_symlink(dir / "link.png"));
         EXPECT_NE(readFile(dir / "real" / "kept.png"), "old");
       }},
      {"an existing file keeps its mode",
       [](const fs::path& dir) {
         writeFile(dir / "out.png", "old");
         fs::permissions(dir / "out.png", fs::perms(0604));
         return std::string("out.png");
       },
       nullptr,
       [](const fs::path& dir) {
         EXPECT_NE(readFile(dir / "out.png"), "old");
         EXPECT_EQ(modeOf(dir / "out.png") & 0777, 0604u);
       }},
      {"a read-only file",
       [](const fs::path& dir) {
         writeFile(dir / "out.png", "old");
         fs::permissions(dir / "out.png", fs::perms(0444));
         return std::string("out.png");
       },
       "read-only", [](const fs::path& dir) { EXPECT_EQ(readFile(dir / "out.png"), "old"); }},
      {"links planted where temporaries were once named",
       [](const fs::path& dir) {
         // The next processes' names OUT.tmpPID, each a link to another's file.
         writeFile(dir / "victim", "someone's file");
         const long last = std::stol(readFile("/proc/sys/kernel/ns_last_pid"));
         for (long pid = last + 1; pid <= last + 300; ++pid) {
           fs::create_symlink("victim", dir / ("out.png.tmp" + std::to_string(pid)));
         }
         return std::string("out.png");
       },
       nullptr,
       [](const fs::path& dir) {
         EXPECT_EQ(readFile(dir / "victim"), "someone's file");
         EXPECT_GT(fs::file_size(dir / "out.png"), 0u);
       }},
      {"standard output by name", [](const fs::path&) { return std::string("/dev/stdout"); },
       nullptr},
      {"standard output on a full disk", [](const fs::path&) { return std::string("out.png"); },
       "standard output", [](const fs::path&) {}, true, false},
      {"names that are not UTF-8",
       [](const fs::path& dir) {
         fs::rename(dir / "in.txt", dir / kLatin1In);
         return kLatin1Out;
       },
       nullptr,
       [](const fs::path& dir) {
         EXPECT_TRUE(fs::exists(dir / kLatin1In));
         EXPECT_GT(fs::file_size(dir / kLatin1Out), 0u);
       },
       false, true, kLatin1In},
  };
}

TEST(Reliability, EveryProgramAndEveryPlace) {
  for (const Program& p : programs()) {
    for (const Place& place : places()) {
      if (!p.hasOutput && place.outputsOnly) continue;
      SCOPED_TRACE(std::string(p.name) + ": " + place.name);
      const fs::path dir = freshDir(std::string("places_") + p.name);
      writeFile(dir / "in.txt", p.good);
      const std::string out = place.setUp(dir);
      if (out.empty()) continue;
      Invocation call = p.make(dir, place.input, out);
      // Its report on standard output is asked for.
      if (place.stdoutFull && std::string(p.name) == "rocplot") call.args.push_back("--report");
      const RunResult r = finishProgram(
          startProgram(p.exe, call.args, dir, call.input, place.stdoutFull ? "/dev/full" : ""),
          120);
      if (place.failure == nullptr) {
        EXPECT_EQ(r.status, 0) << r.err;
      } else {
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(lastLine(r.err).find(place.failure), std::string::npos) << r.err;
        if (!place.stdoutFull) {
          EXPECT_NE(r.err.find(out), std::string::npos) << r.err;
        }
      }
      place.check(dir);
      if (out == "/dev/stdout") {
        // Among what standard output took: the output, as a file of a name
        // without extension (a picture's format follows the name) holds it.
        ASSERT_EQ(run(p, dir, place.input, "file").status, 0);
        EXPECT_NE(r.out.find(readFile(dir / "file")), std::string::npos);
      }
      EXPECT_EQ(readFile(dir / place.input), p.good);
      EXPECT_EQ(temporariesIn(dir), std::vector<std::string>());
    }
  }
}

// A program interrupted while it writes: started on an input big enough to
// take a while, stopped as soon as its temporary shows, then signalled.
struct Interrupt {
  const char* name;
  fs::path exe;
  std::function<std::vector<std::string>(const fs::path& dir)> setUp;  // the arguments
  int signal;
};

std::string bigPatterns(long count) {
  std::string text = "2 1 " + std::to_string(count) + "\n";
  text.reserve(static_cast<std::size_t>(count) * 16);
  for (long i = 0; i < count; ++i) text += i % 2 ? "0.25 0.5 1\n" : "0.75 0.125 0\n";
  return text;
}

std::vector<std::string> yieldexRun(const fs::path& dir) {
  writeFile(dir / "big.pat", bigPatterns(1500000));
  writeFile(dir / "net.wgt", "2 1 1\n1 0\n-0.5 0\n0.5 0\n2\n-1\n");
  return {"--weights", "net.wgt", "--output", "kept.out", "--table", "kept.tsv", "big.pat"};
}

std::vector<std::string> colfoldRun(const fs::path& dir) {
  std::string table;
  for (int i = 0; i < 3000000; ++i) table += "0.5 0.25 1\n";
  writeFile(dir / "big.txt", table);
  return {"big.txt", "kept.out", "2", "1", "3000000"};
}

TEST(Reliability, InterruptsLeaveNoTemporaryAndTheOldOutputs) {
  const Interrupt cases[] = {
      {"Yieldex, SIGINT", YIELDEX_EXE, yieldexRun, SIGINT},
      {"Yieldex, SIGHUP", YIELDEX_EXE, yieldexRun, SIGHUP},
      {"Colfold, SIGTERM", COLFOLD_EXE, colfoldRun, SIGTERM},
      {"Colfold, SIGKILL", COLFOLD_EXE, colfoldRun, SIGKILL},
  };
  for (const Interrupt& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path dir = freshDir("interrupt");
    const std::vector<std::string> args = c.setUp(dir);
    writeFile(dir / "kept.out", "earlier results");
    const Started started = startProgram(c.exe, args, dir);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (temporariesIn(dir).empty() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(started.pid, SIGSTOP);
    ASSERT_FALSE(temporariesIn(dir).empty()) << "the run ended before it could be interrupted";
    ::kill(started.pid, c.signal);
    ::kill(started.pid, SIGCONT);
    int signal = 0;
    const RunResult r = finishProgram(started, 60, &signal);
    EXPECT_EQ(signal, c.signal) << r.err;
    EXPECT_EQ(readFile(dir / "kept.out"), "earlier results");
    if (c.signal == SIGKILL) {
      // Nothing can remove a temporary then; a later run neither trips over
      // it nor takes it for its own.
      ASSERT_EQ(temporariesIn(dir).size(), 1u);
      const std::string left = temporariesIn(dir)[0];
      const RunResult again = runProgram(c.exe, args, dir, "", 120);
      EXPECT_EQ(again.status, 0) << again.err;
      EXPECT_EQ(temporariesIn(dir), std::vector<std::string>{left});
      std::vector<std::string> fresh = args;
      std::replace(fresh.begin(), fresh.end(), std::string("kept.out"), std::string("fresh.out"));
      EXPECT_EQ(runProgram(c.exe, fresh, dir, "", 120).status, 0);
      EXPECT_TRUE(readFile(dir / "kept.out") == readFile(dir / "fresh.out"));
    } else {
      EXPECT_EQ(temporariesIn(dir), std::vector<std::string>());
    }
  }
}

// Failures that the command line and the headers show are found before any
// work and replace nothing; an output that was asked for and cannot be
// written is a failure.
TEST(Reliability, FailuresReplaceNothing) {
  const fs::path dir = freshDir("failures");
  writeFile(dir / "one.pat", "2 1 2\n0.1 0.2 1\n0.4 0.5 0\n");
  writeFile(dir / "one.wgt", "2 1 1\n1 0\n-0.5 0\n0.5 0\n2\n-1\n");
  writeFile(dir / "s.txt", "0.5,1\n0.3,0\n0.8,1\n");
  const struct {
    const char* name;
    fs::path exe;
    std::vector<std::string> args;
    std::function<void()> setUp;
    const char* message;
  } cases[] = {
      {"Yieldex: --score-output beyond the outputs",
       YIELDEX_EXE,
       {"--weights", "one.wgt", "--output", "kept.out", "--plot", "new.png", "--table", "new.tsv",
        "--scores", "new.txt", "--score-output", "2", "one.pat"},
       [] {},
       "--score-output: subscript out of range: the network has no output 2"},
      {"Yieldex: a drawing of more points than a drawing keeps",
       YIELDEX_EXE,
       {"--weights", "tiny.wgt", "--output", "kept.out", "--plot", "new.svg", "many.pat"},
       [&] {
         std::string patterns = "1 1 2000001\n";
         for (int p = 0; p < 2000001; ++p) patterns += "0.5 0.5\n";
         writeFile(dir / "many.pat", patterns);
         writeFile(dir / "tiny.wgt", "1 1 1\n2 0\n-1 0\n1\n0\n");
       },
       "new.svg: too large: the picture holds more than 2000000 shapes"},
      {"Yieldex: a paper figure of more points than a figure keeps",
       YIELDEX_EXE,
       {"--weights", "tiny.wgt", "--output", "kept.out", "--plot", "new.pdf", "--style", "paper",
        "many.pat"},
       [] {},  // many.pat and tiny.wgt of the row above
       "new.pdf: too large: the figure would hold more than 2000000 points and shapes"},
      {"Yieldex: a picture format it cannot write",
       YIELDEX_EXE,
       {"--weights", "one.wgt", "--output", "kept.out", "--plot", "new.xyz", "one.pat"},
       [] {},
       "Yieldex: --plot: "},
      {"rocplot: roc.prn is a folder",
       ROCPLOT_EXE,
       {"s.txt", "roc", "--picture", "new.png"},
       [&] { fs::create_directory(dir / "roc.prn"); },
       "cannot write \"roc.prn\": bad file name or path (it is a folder)"},
      {"Tremora: noise levels past the last one it keeps",
       TREMORA_EXE,
       {"--noise", "many.cfg", "--results", "kept.out", "--plot", "new.png", "one.pat", "one.wgt"},
       [&] {
         std::string levels = "1\n";
         for (int l = 0; l < 32768; ++l) levels += "0.01\n";
         writeFile(dir / "many.cfg", levels);
       },
       "many.cfg: item 32769: overflow: more than 32767 noise levels"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    writeFile(dir / "kept.out", "earlier results");
    c.setUp();
    const RunResult r = runProgram(c.exe, c.args, dir, "", 60);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(lastLine(r.err).find(c.message), std::string::npos) << r.err;
    EXPECT_EQ(readFile(dir / "kept.out"), "earlier results");
    for (const char* name : {"new.png", "new.svg", "new.xyz", "new.tsv", "new.txt"}) {
      EXPECT_FALSE(fs::exists(dir / name));
    }
    EXPECT_EQ(temporariesIn(dir), std::vector<std::string>());
  }
}

// Two Tremora runs sharing one results file (the default: one per user) each
// report their own analysis, and the file is whole: one run's or the other's.
TEST(Reliability, TremoraRunsSharingTheirResultsFile) {
  const fs::path dir = freshDir("tremora_shared");
  writeFile(dir / "p.pat", bigPatterns(20000));
  writeFile(dir / "w.wgt", "2 1 1\n1 0\n-0.5 0\n0.5 0\n2\n-1\n");
  writeFile(dir / "a.cfg", "2\n0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8\n");
  writeFile(dir / "b.cfg", "3\n0.05 0.15\n");
  auto args = [](const char* noise, const char* results) {
    return std::vector<std::string>{"--noise", noise, "--results", results, "../p.pat", "../w.wgt"};
  };
  const fs::path aDir = dir / "a", bDir = dir / "b";
  fs::create_directories(aDir);
  fs::create_directories(bDir);
  const Started a = startProgram(TREMORA_EXE, args("../a.cfg", "../shared.err"), aDir);
  const Started b = startProgram(TREMORA_EXE, args("../b.cfg", "../shared.err"), bDir);
  const RunResult ra = finishProgram(a, 120), rb = finishProgram(b, 120);
  ASSERT_EQ(ra.status, 0) << ra.err;
  ASSERT_EQ(rb.status, 0) << rb.err;
  const std::string shared = readFile(dir / "shared.err");
  // Each run alone, for what its report and its file must be.
  const RunResult aloneA = runProgram(TREMORA_EXE, args("../a.cfg", "../alone.err"), aDir);
  const std::string fileA = readFile(dir / "alone.err");
  const RunResult aloneB = runProgram(TREMORA_EXE, args("../b.cfg", "../alone.err"), bDir);
  const std::string fileB = readFile(dir / "alone.err");
  auto asAlone = [](std::string report) {
    const std::string from = "../shared.err", to = "../alone.err";
    for (std::size_t at; (at = report.find(from)) != std::string::npos;) {
      report.replace(at, from.size(), to);
    }
    return report;
  };
  EXPECT_EQ(asAlone(ra.out), aloneA.out);
  EXPECT_EQ(asAlone(rb.out), aloneB.out);
  EXPECT_NE(fileA, fileB);
  EXPECT_TRUE(shared == fileA || shared == fileB) << shared;
  EXPECT_EQ(temporariesIn(dir), std::vector<std::string>());
}

// A runtime folder planted in /tmp under the name Qt would use, as a link to
// someone's file, is never used or changed.
TEST(Reliability, PlantedRuntimeFolderIsLeftAlone) {
  const fs::path planted = "/tmp/runtime-" + std::to_string(::getuid());
  // An empty folder left there by an older run is no one's.
  std::error_code ignored;
  if (fs::is_directory(fs::symlink_status(planted)) && fs::is_empty(planted, ignored)) {
    fs::remove(planted, ignored);
  }
  if (fs::exists(fs::symlink_status(planted))) GTEST_SKIP() << planted << " exists already";
  const fs::path dir = freshDir("runtime");
  writeFile(dir / "victim", "someone's file");
  fs::permissions(dir / "victim", fs::perms(0644));
  fs::create_symlink(dir / "victim", planted);
  writeFile(dir / "s.txt", "0.5,1\n0.3,0\n0.8,1\n");
  const RunResult r = runProgram(
      "/usr/bin/env", {"-u", "XDG_RUNTIME_DIR", ROCPLOT_EXE, "s.txt", "--picture", "r.svg"}, dir);
  fs::remove(planted);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(modeOf(dir / "victim") & 0777, 0644u);
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace e2e
