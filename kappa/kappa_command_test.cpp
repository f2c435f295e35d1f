#include "kappa/kappa_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/errors.h"
#include "kappa/kappa_dialogue.h"
#include "test_support/scratch_dir.h"

namespace kappa {
namespace {

// The dialogue's report on "answers", from the kappa line to the last line
// before the closing one.
std::string dialogueReport(const std::string& answers, bool details) {
  std::istringstream in(answers);
  std::ostringstream out, err;
  runKappatest(in, out, err, false, details);
  const std::string text = out.str();
  const std::size_t begin = text.find("  kappa  =");
  const std::size_t end = text.rfind("\n*** Press any key to exit ***\n");
  return text.substr(begin, end - begin);
}

// A matrix on the command line gives the dialogue's report, whatever the
// weights, level and details, its rank taken from the file.
TEST(KappaCommand, MatrixReportsAsTheDialogue) {
  const support::ScratchDir scratch("kappa_command");
  const std::string two = scratch.file("two.txt", "20 5\n10 15\n");
  const std::string three = scratch.file("three.txt", "30,5,2\n4,25,6\n1,7,20\n");
  scratch.file("w.txt", "1 0.5 0\n0.5 1 0.5\n0 0.5 1\n");
  struct Case {
    std::string matrix, weights, answers;
    double level;
    bool details;
  } cases[] = {
      {two, "", two + "\n2\n\n0\n", 0.95, false},
      {two, "none", two + "\n2\n\n0\n", 0.95, true},
      {three, "linear", three + "\n3\n0.99\n1\n1\n", 0.99, true},
      {three, "Quadratic", three + "\n3\n0.9\n1\n2\n", 0.9, false},
      {three, scratch.path("W.TXT"), three + "\n3\n\n1\n3\n" + scratch.path("w.txt") + "\n", 0.95,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    Arguments args;
    args.matrix = c.matrix;
    args.weights = c.weights;
    args.level = c.level;
    args.details = c.details;
    std::ostringstream out, err;
    runKappaCommand(args, out, err);
    EXPECT_EQ(out.str(), dialogueReport(c.answers, c.details));
    EXPECT_EQ(err.str(), "");
  }
}

// Two raters' labels: the matrix with its labels, then the report the same
// matrix gives.  Linear and quadratic weights go by the labels' order as
// numbers; by hand for labels 1 2 3 10 rated (1, 2), (2, 2), (3, 1), (10, 3),
// positions 0..3: quadratic disagreement observed (1 + 0 + 4 + 1) / 4 = 1.5,
// expected 2, kappa = 1 - 1.5 / 2 = 0.25.
TEST(KappaCommand, RatingsReportTheirMatrix) {
  const support::ScratchDir scratch("kappa_command_ratings");
  std::string cases;
  for (int i = 0; i < 20; ++i) cases += "yes,yes\n";
  for (int i = 0; i < 5; ++i) cases += "yes,no\n";
  for (int i = 0; i < 10; ++i) cases += "no,yes\n";
  for (int i = 0; i < 15; ++i) cases += "no,no\n";
  Arguments args;
  args.ratings = scratch.file("r.txt", "first,second\n" + cases);
  args.header = true;
  args.details = true;
  std::ostringstream out, err;
  runKappaCommand(args, out, err);
  // "no" sorts first: the matrix is 15 10 / 5 20, kappa as for 20 5 / 10 15.
  const std::string matrix = scratch.file("m.txt", "15 10\n5 20\n");
  EXPECT_EQ(out.str(), "A\\B\tno\tyes\nno\t15\t10\nyes\t5\t20\n\n" +
                           dialogueReport(matrix + "\n2\n\n0\n", true));

  args = Arguments();
  args.ratings = scratch.file("n.txt", "1 2\n2 2\n3 1\n10 3\n");
  args.weights = "quadratic";
  std::ostringstream weighted;
  runKappaCommand(args, weighted, err);
  const std::size_t at = weighted.str().find("  kappa  =");
  ASSERT_NE(at, std::string::npos);
  EXPECT_NEAR(std::stod(weighted.str().substr(at + 10)), 0.25, 1e-15);

  args.ratings = scratch.file("w.txt", "1 2\n2 two\n");
  args.weights = "Linear";
  try {
    runKappaCommand(args, weighted, err);
    ADD_FAILURE() << "no error";
  } catch (const common::ToolError& error) {
    EXPECT_EQ(error.what(), args.ratings +
                                ": line 2: type mismatch: the label \"two\" is no number: linear "
                                "weights weigh the labels by their order as numbers");
  }
}

// --fleiss: name<TAB>value lines, the categories named by their labels.
TEST(KappaCommand, FleissReportLines) {
  const support::ScratchDir scratch("kappa_command_fleiss");
  Arguments args;
  args.fleiss = scratch.file("f.txt", "a b a\nb b b\na a c\n");
  std::ostringstream out, err;
  runKappaCommand(args, out, err);
  EXPECT_EQ(out.str(),
            "subjects\t 3\n"
            "raters\t 3\n"
            "categories\t 3\n"
            "kappa\t 0.2500000000000001\n"
            "se0\t 0.2635231383473649\n"
            "z\t 0.9486832980505143\n"
            "p_value\t 0.3427817111479111\n"
            "kappa_category_a\t 0.1000000000000001\n"
            "kappa_category_b\t 0.55\n"
            "kappa_category_c\t-0.125\n");
  // The same subjects as counts, and one category only: kappa is 0/0.
  args.counts = true;
  args.fleiss = scratch.file("c.txt", "2 1 0\n0 3 0\n2 0 1\n");
  std::ostringstream counts;
  runKappaCommand(args, counts, err);
  EXPECT_EQ(counts.str().substr(0, counts.str().find("kappa_category")),
            out.str().substr(0, out.str().find("kappa_category")));
  args.fleiss = scratch.file("c.txt", "3\n3\n");
  std::ostringstream one;
  runKappaCommand(args, one, err);
  EXPECT_NE(one.str().find("\nkappa\t nan\n"), std::string::npos) << one.str();
  EXPECT_EQ(err.str(), "");
}

TEST(KappaCommand, MatrixOfNoSquareCount) {
  const support::ScratchDir scratch("kappa_command_bad");
  const struct {
    const char* text;
    const char* count;
  } cases[] = {{"1 2 3", "3"}, {"", "0"}, {"1,2\n3,4\n5\n", "5"}};
  for (const auto& c : cases) {
    Arguments args;
    args.matrix = scratch.file("m.txt", c.text);
    std::ostringstream out, err;
    try {
      runKappaCommand(args, out, err);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const common::ToolError& error) {
      EXPECT_EQ(error.what(), args.matrix + ": type mismatch: the file holds " + c.count +
                                  " numbers, which is no k x k matrix (1, 4, 9, 16, ... numbers)");
    }
    EXPECT_EQ(out.str(), "");
  }
  // An empty field before the last number would shift every cell after it.
  const std::pair<const char*, const char*> shifted[] = {{"20,5,\n10,15,\n", "1"},
                                                         {"10 2\n\n3 15\n", "2"}};
  for (const auto& [text, line] : shifted) {
    Arguments args;
    args.matrix = scratch.file("m.txt", text);
    std::ostringstream out, err;
    try {
      runKappaCommand(args, out, err);
      ADD_FAILURE() << "no error for " << text;
    } catch (const common::ToolError& error) {
      EXPECT_EQ(error.what(), args.matrix + ": line " + line +
                                  ": type mismatch: an empty field (a blank line, two "
                                  "commas, a comma at the end of a line) before the last number: "
                                  "it would read as a cell of 0 and shift every cell after it");
    }
  }
}

}  // namespace
}  // namespace kappa
