// Every program on bad input: missing files, folders, empty, truncated and
// garbled files, every kind of line end, a very long line, outputs that
// cannot be written and outputs that must survive a failed run.  A failure
// is a non-zero exit with the file and the fault named on standard error;
// where the programs' rules define the outcome of an input, that outcome.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/process.h"
#include "tests/program_table.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

std::string lastLine(const std::string& text) {
  std::string t = text;
  while (!t.empty() && t.back() == '\n') t.pop_back();
  return t.substr(t.rfind('\n') == std::string::npos ? 0 : t.rfind('\n') + 1);
}

// A failure: non-zero, the last line of standard error names the file and
// the fault, and nothing but the report went to standard error.
void expectFailure(const Program& p, const RunResult& r, const std::string& file,
                   const std::string& fault) {
  EXPECT_NE(r.status, 0) << p.name;
  EXPECT_NE(r.status, -1) << p.name << " crashed or hung: " << r.err;
  const std::string line = lastLine(r.err);
  EXPECT_NE(line.find(file), std::string::npos) << p.name << ": " << r.err;
  EXPECT_NE(line.find(fault), std::string::npos) << p.name << ": " << r.err;
  const long lines = std::count(r.err.begin(), r.err.end(), '\n');
  EXPECT_EQ(lines, std::string(p.name) == "Colfold" ? 4 : 1) << p.name << ": " << r.err;
}

// Every program answers --help and --version; a window program started
// without arguments where there is no display says so, with its usage, and
// fails.
TEST(FrontEnds, HelpVersionAndNoDisplay) {
  const fs::path dir = freshDir("front_ends");
  for (const Program& p : programs()) {
    SCOPED_TRACE(p.name);
    const RunResult help = runProgram(p.exe, {"--help"}, dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("sage: "), std::string::npos) << help.out;
    const RunResult version = runProgram(p.exe, {"--version"}, dir);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string(p.name) + " " + TOOLKIT_VERSION + "\n");
    const std::string name = p.name;
    if (name == "Favomap5" || name == "Yieldex" || name == "Tremora") {
      const RunResult bare = runProgram(p.exe, {}, dir);
      EXPECT_EQ(bare.status, 1);
      EXPECT_EQ(bare.err.rfind(name + ": no display to open the window on", 0), 0u) << bare.err;
      EXPECT_NE(bare.err.find("--help"), std::string::npos);
    }
  }
  const RunResult favomap = runProgram(FAVOMAP_EXE, {"--help"}, dir);
  for (const char* option :
       {"--bmu", "--option", "--classes", "--first", "--connect", "--output", "--config"}) {
    EXPECT_NE(favomap.out.find(option), std::string::npos) << option;
  }
}

TEST(BadInput, MissingFileAndFolder) {
  for (const Program& p : programs()) {
    fs::path dir = freshDir(std::string("missing_") + p.name);
    fs::create_directory(dir / "folder.d");
    // The whole report line, the same words in every program.
    const RunResult absent = run(p, dir, "absent.txt", "out.bmp");
    expectFailure(p, absent, "absent.txt", "file not found");
    EXPECT_EQ(lastLine(absent.err), std::string(p.name) +
                                        ": cannot open \"absent.txt\": file not found (No such "
                                        "file or directory)");
    const RunResult folder = run(p, dir, "folder.d", "out.bmp");
    expectFailure(p, folder, "folder.d", "bad file name or path");
    EXPECT_EQ(
        lastLine(folder.err)
            .rfind(std::string(p.name) + ": cannot open \"folder.d\": bad file name or path (", 0),
        0u)
        << folder.err;
  }
}

TEST(BadInput, EmptyFile) {
  for (const Program& p : programs()) {
    fs::path dir = freshDir(std::string("empty_") + p.name);
    writeFile(dir / "in.txt", "");
    const RunResult r = run(p, dir, "in.txt", "out.bmp");
    const std::string name = p.name;
    if (name == "rocplot" || name == "Colfold") {
      EXPECT_EQ(r.status, 0) << name << ": " << r.err;  // one record (0, 0); no values
    } else if (name == "kappatest") {
      EXPECT_EQ(r.status, 0) << r.err;  // all counts 0: IEEE results
      EXPECT_NE(r.out.find("kappa  = nan"), std::string::npos) << r.out;
    } else {
      expectFailure(p, r, "in.txt", "input past end of file");
    }
  }
}

TEST(BadInput, TruncatedAndGarbled) {
  for (const Program& p : programs()) {
    fs::path dir = freshDir(std::string("garbled_") + p.name);
    const std::string name = p.name;
    // Cut in the middle of a number: "1.5e" is no number.
    writeFile(dir / "cut.txt", p.good.substr(0, p.good.size() - 4) + "1.5e");
    expectFailure(p, run(p, dir, "cut.txt", "out.bmp"), "cut.txt", "type mismatch");
    // Cut in the middle of a record.
    writeFile(dir / "half.txt", p.good.substr(0, p.good.rfind('\n', p.good.size() - 2) + 3));
    const RunResult half = run(p, dir, "half.txt", "out.bmp");
    if (name == "rocplot" || name == "kappatest" || name == "Colfold" || name == "somtrain") {
      // Missing numbers read as 0; somtrain's table of one column loses no field.
      EXPECT_EQ(half.status, 0) << name << ": " << half.err;
    } else {
      expectFailure(p, half, "half.txt", "input past end of file");
    }
    writeFile(dir / "word.txt", "abc\n" + p.good);
    const RunResult word = run(p, dir, "word.txt", "out.bmp");
    if (name == "rocplot") {  // a row of column names, left out with a warning
      EXPECT_EQ(word.status, 0) << word.err;
      EXPECT_NE(word.err.find("word.txt: line 1 is not numbers"), std::string::npos) << word.err;
    } else {
      expectFailure(p, word, "word.txt",
                    "type mismatch");  // Favomap5: "abc" is the grid line, "hexa" no number
    }
    // (A first line of any bytes is the .bmu's free grid-type line; the
    // garbage has a line of its own, so the next line is read as a number.)
    writeFile(dir / "binary.txt",
              std::string("\x01\x7f\xff\xfe\x00\x80 garbage\x02", 16) + "\n" + p.good);
    const RunResult binary = run(p, dir, "binary.txt", "out.bmp");
    EXPECT_NE(binary.status, 0) << name;
    EXPECT_NE(binary.status, -1) << name;
    EXPECT_NE(lastLine(binary.err).find("binary.txt"), std::string::npos)
        << name << ": " << binary.err;
  }
}

TEST(BadInput, LineEndsOfEveryKindReadAlike) {
  for (const Program& p : programs()) {
    fs::path dir = freshDir(std::string("ends_") + p.name);
    std::string crlf, cr;
    for (char c : p.good) {
      crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
      cr += c == '\n' ? '\r' : c;
    }
    std::vector<std::string> outputs, stdouts;
    int i = 0;
    for (const std::string& text : {p.good, crlf, cr}) {
      const std::string in = "in" + std::to_string(i) + ".txt";
      writeFile(dir / in, text);
      const RunResult r = run(p, dir, in, "out.png");
      EXPECT_EQ(r.status, 0) << p.name << " variant " << i << ": " << r.err;
      std::string out = r.out;
      for (std::size_t at; (at = out.find(in)) != std::string::npos;)
        out.replace(at, in.size(), "IN");
      stdouts.push_back(out);
      outputs.push_back(p.hasOutput && fs::exists(dir / "out.png") ? readFile(dir / "out.png")
                                                                   : "");
      ++i;
    }
    EXPECT_EQ(stdouts[1], stdouts[0]) << p.name;
    EXPECT_EQ(stdouts[2], stdouts[0]) << p.name;
    if (std::string(p.name) != "Tremora") {  // test.err names its input file
      EXPECT_TRUE(outputs[1] == outputs[0]) << p.name;
      EXPECT_TRUE(outputs[2] == outputs[0]) << p.name;
    }
  }
}

TEST(BadInput, AVeryLongLineWithoutALineEnd) {
  // A 40 MB stand-in for the gigabyte lines of old tools: every program reads
  // in one pass, so time grows with the size, and a run is bounded by the
  // test's timeout.
  for (const Program& p : programs()) {
    const std::string name = p.name;
    fs::path dir = freshDir(std::string("long_") + name);
    std::string text;
    if (name == "rocplot" || name == "Colfold") {
      text.reserve(40 << 20);
      while (text.size() < (40u << 20)) text += "0.5 1 0.25 0 ";
    } else if (name == "kappatest" || name == "somtrain") {
      text = "20 5 10 15" + std::string(40 << 20, ' ');
    } else if (name == "Favomap5") {
      text = "hexa\n100000\n2,2\n";
      for (int i = 0; i < 100000; ++i) text += "label" + std::to_string(i) + ",1,2,";
    } else {
      text = "2 1 200000 ";
      for (int i = 0; i < 200000; ++i) text += "0.1 0.2 0.3 0.4 0.5 0.6 ";
    }
    writeFile(dir / "long.txt", text);
    const RunResult r = run(p, dir, "long.txt", "out.png");
    EXPECT_EQ(r.status, 0) << name << ": " << r.err.substr(0, 300);
  }
}

TEST(BadInput, OutputsThatCannotBeWrittenOrMustSurvive) {
  for (const Program& p : programs()) {
    if (!p.hasOutput) continue;
    fs::path dir = freshDir(std::string("outputs_") + p.name);
    writeFile(dir / "in.txt", p.good);
    const RunResult unwritable = run(p, dir, "in.txt", "no/such/folder/out.bmp");
    expectFailure(p, unwritable, "no/such/folder/out.bmp", "bad file name or path");
    EXPECT_EQ(lastLine(unwritable.err)
                  .rfind(std::string(p.name) + ": cannot write \"no/such/folder/out.bmp\": bad "
                                               "file name or path (",
                         0),
              0u)
        << unwritable.err;
    if (!p.outputSurvives) continue;
    writeFile(dir / "kept.bmp", "earlier results");
    writeFile(dir / "bad.txt", p.good.substr(0, p.good.size() - 4) + "zz\n");
    const RunResult r = run(p, dir, "bad.txt", "kept.bmp");
    EXPECT_NE(r.status, 0) << p.name;
    EXPECT_EQ(readFile(dir / "kept.bmp"), "earlier results") << p.name;
  }
}

}  // namespace
}  // namespace e2e
