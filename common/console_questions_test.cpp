#include "common/console_questions.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/errors.h"

namespace common {
namespace {

TEST(ConsoleAnswers, TextEndsAtACommaUnlessQuoted) {
  EXPECT_EQ(textAnswer("  matrix.txt"), "matrix.txt");
  EXPECT_EQ(textAnswer("a b.txt, ignored"), "a b.txt");
  EXPECT_EQ(textAnswer("\"x, y.txt\" rest"), "x, y.txt");
  EXPECT_EQ(textAnswer(""), "");
}

TEST(ConsoleAnswers, NumberIsTheFirstOnTheLine) {
  EXPECT_EQ(numberAnswer(" 0.99"), 0.99);
  EXPECT_EQ(numberAnswer("3 4"), 3);
  EXPECT_EQ(numberAnswer("2.5e1,7"), 25);
  EXPECT_EQ(numberAnswer(""), 0);
  EXPECT_EQ(numberAnswer("abc"), 0);
}

TEST(ConsoleQuestions, ShownOnlyForATerminal) {
  std::istringstream in("m.txt\n2.5\n\n");
  std::ostringstream out;
  ConsoleQuestions shown(in, out, true);
  EXPECT_EQ(shown.askText("- file"), "m.txt");
  EXPECT_EQ(shown.askWhole("- rank"), 2);  // halves to even
  EXPECT_EQ(shown.askNumber("- level"), 0);
  EXPECT_EQ(out.str(), "- file? - rank? - level? ");
  std::istringstream piped("3.5\r\n");
  std::ostringstream quiet;
  ConsoleQuestions hidden(piped, quiet, false);
  EXPECT_EQ(hidden.askWhole("- rank"), 4);
  EXPECT_EQ(hidden.askText("- past the end"), "");
  EXPECT_EQ(quiet.str(), "");
  std::istringstream endless("1\n" + std::string((1 << 20) + 1, '\0'));
  ConsoleQuestions bounded(endless, quiet, false);
  EXPECT_EQ(bounded.askWhole("- rank"), 1);
  EXPECT_THROW(bounded.askText("- file"), ToolError);
}

}  // namespace
}  // namespace common
