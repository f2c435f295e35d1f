// kappatest and Colfold run as a user runs them, with answers piped in.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/process.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kKappatest = KAPPATEST_EXE;
const fs::path kColfold = COLFOLD_EXE;

const std::string kKappaBanner =
    "***********************************************\n"
    "Kappa test for two classifiers and n categories\n"
    "***********************************************\n\n";

TEST(KappatestE2e, ReportForPipedAnswers) {
  fs::path dir = freshDir("kappa");
  writeFile(dir / "m.txt", "20 5\n10 15\n");
  RunResult run = runProgram(kKappatest, {}, dir, "m.txt\n2\n\n0\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, kKappaBanner +
                         "\n"
                         "  kappa  = 0.3999999999999999\n"
                         "p(kappa) = 0.003892417122778546\n"
                         "agreement: poor\n"
                         "\n"
                         "confidence interval, p = 0.95:\n"
                         " 0.1423560433047293 (low)\n"
                         " 0.6576439566952705 (high)\n"
                         "\n"
                         "*** Press any key to exit ***\n");
}

// The matrix named on the command line: the report alone, no questions,
// no banner, no key prompt.
TEST(KappatestE2e, MatrixOnTheCommandLine) {
  fs::path dir = freshDir("kappa_command");
  writeFile(dir / "m.txt", "20,5\n10,15\n");
  RunResult run = runProgram(kKappatest, {"m.txt", "--level", "0.99"}, dir);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "  kappa  = 0.3999999999999999\n"
            "p(kappa) = 0.003892417122778546\n"
            "agreement: poor\n"
            "\n"
            "confidence interval, p = 0.99:\n"
            " 0.06139844467922678 (low)\n"
            " 0.738601555320773 (high)\n");
}

TEST(KappatestE2e, WeightsChoicesAndFiles) {
  fs::path dir = freshDir("kappa_weights");
  fs::copy_file(fs::path(EXAMPLES_DIR) / "kappa" / "carcinoma.txt", dir / "carcinoma.txt");
  writeFile(dir / "weights.txt", "1 0 0 0 0\n0 1 0 0 0\n0 0 1 0 0\n0 0 0 1 0\n0 0 0 0 1\n");
  // Identity weights from a file typed in capitals give the unweighted kappa.
  RunResult plain = runProgram(kKappatest, {}, dir, "carcinoma.txt\n5\n0.99\n0\n");
  RunResult file = runProgram(kKappatest, {}, dir, "carcinoma.txt\n5\n0.99\n1\n3\nWEIGHTS.TXT\n");
  RunResult quadratic = runProgram(kKappatest, {}, dir, "carcinoma.txt\n5\n\n1\n2\n");
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(file.status, 0) << file.err;
  ASSERT_EQ(quadratic.status, 0) << quadratic.err;
  auto kappaLine = [](const std::string& out) {
    const std::size_t at = out.find("  kappa  =");
    return out.substr(at, out.find('\n', at) - at);
  };
  EXPECT_EQ(kappaLine(plain.out).substr(0, 16), "  kappa  = 0.498");
  EXPECT_EQ(kappaLine(file.out).substr(0, 16), "  kappa  = 0.498");
  EXPECT_NE(plain.out.find("confidence interval, p = 0.99:"), std::string::npos);
  EXPECT_EQ(kappaLine(quadratic.out).substr(0, 16), "  kappa  = 0.778");  // 0.779 as published
  EXPECT_NE(quadratic.out.find("agreement: good\n"), std::string::npos);
}

TEST(KappatestE2e, UnreadableFilesStopWithoutAReport) {
  fs::path dir = freshDir("kappa_bad");
  writeFile(dir / "m.txt", "20 5\n10 15\n");
  struct Case {
    std::string answers;
    std::string err;
  } cases[] = {
      {"none.txt\n2\n\n0\n",
       "kappatest: cannot open \"none.txt\": file not found (No such file or directory)\n"},
      {"m.txt\n2\n\n1\n3\nw.txt\n",
       "kappatest: cannot open \"w.txt\": file not found (No such file or directory)\n"},
      {"m.txt\n100000\n\n0\n",
       "kappatest: confusion matrix rank 100000: too large: at most 10000\n"},
  };
  for (const Case& c : cases) {
    RunResult run = runProgram(kKappatest, {}, dir, c.answers);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, kKappaBanner);
  }
}

TEST(ColfoldE2e, CommandLineAndOutputFile) {
  fs::path dir = freshDir("colfold");
  writeFile(dir / "t.txt", "1 2 3 4\n5,6,7,8\n9 10 11 12\n\n");
  RunResult run = runProgram(kColfold, {"t.txt", "t.pat", "4", "1", "3"}, dir);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, " 13  dati convertiti\n");
  EXPECT_EQ(readFile(dir / "t.pat"),
            "4\r\n1\r\n3\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n 6\r\n 7\r\n 8\r\n 9\r\n 10\r\n 11\r\n"
            " 12\r\n 0\r\n");
  RunResult four = runProgram(kColfold, {"t.txt", "u.pat", "4", "3"}, dir);
  EXPECT_EQ(four.status, 0);
  EXPECT_EQ(readFile(dir / "u.pat").substr(0, 8), "4\r\n\r\n3\r\n");
}

TEST(ColfoldE2e, QuestionsAnsweredThroughStandardInput) {
  fs::path dir = freshDir("colfold_ask");
  writeFile(dir / "my table.txt", "0.5 0.25\n");
  RunResult run = runProgram(kColfold, {}, dir, "my table.txt\nout.pat\n2\n0\n1\n");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "************************************************\n"
            "*        Conversione formato files ASCII       *\n"
            "*  (dispone tutti i dati in una sola colonna)  *\n"
            "*   separatori accettati: spazio e/o virgola   *\n"
            "************************************************\n"
            "\n"
            "\n"
            " 2  dati convertiti\n");
  EXPECT_EQ(readFile(dir / "out.pat"), "2\r\n0\r\n1\r\n 0.5\r\n 0.25\r\n");
}

TEST(ColfoldE2e, FailuresShowTheErrorReportAndKeepTheOldOutput) {
  fs::path dir = freshDir("colfold_bad");
  writeFile(dir / "old.pat", "previous");
  writeFile(dir / "bad.txt", "1 2 3\n4 five 6\n");
  const std::string report =
      "Si \xC3\xA8 verificato un errore.\n"
      "Controllare la sintassi della linea di comando nella finestra MS-DOS:\n"
      "Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n";
  struct Case {
    std::vector<std::string> args;
    std::string reason;
  } cases[] = {
      {{"none.txt", "old.pat", "1", "1", "1"},
       "Colfold: cannot open \"none.txt\": file not found (No such file or directory)\n"},
      {{"bad.txt", "old.pat", "1", "1", "1"},
       "Colfold: bad.txt: line 2: type mismatch: expected a number, got \"five\"\n"},
      {{"bad.txt", "no/dir/x.pat", "1", "1", "1"},
       "Colfold: cannot write \"no/dir/x.pat\": bad file name or path (No such file or "
       "directory)\n"},
  };
  for (const Case& c : cases) {
    RunResult run = runProgram(kColfold, c.args, dir);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, report + c.reason);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readFile(dir / "old.pat"), "previous");
  }
}

}  // namespace
}  // namespace e2e
