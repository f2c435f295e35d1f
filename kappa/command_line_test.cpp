#include "kappa/command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace kappa {
namespace {

std::string faultOf(std::vector<const char*> argv, Arguments& args) {
  argv.insert(argv.begin(), "kappatest");
  return parseArguments(static_cast<int>(argv.size()), argv.data(), args);
}

TEST(CommandLine, InputsAndTheirOptions) {
  struct Case {
    std::vector<const char*> argv;
    const char* fault;
  } cases[] = {
      {{}, ""},
      {{"--details"}, ""},
      {{"m.txt", "--weights", "quadratic", "--level", "0.99", "--details"}, ""},
      {{"--ratings", "r.txt", "--header", "--weights", "linear"}, ""},
      {{"--fleiss", "f.txt", "--counts", "--header"}, ""},
      {{"m.txt", "n.txt"},
       "a second input \"n.txt\": give one of MATRIX, --ratings FILE and --fleiss FILE"},
      {{"--fleiss", "f.txt", "--ratings", "r.txt"},
       "a second input \"r.txt\": give one of MATRIX, --ratings FILE and --fleiss FILE"},
      {{"m.txt", "--level", "1"}, "--level 1: expected a level strictly between 0 and 1"},
      {{"m.txt", "--level", "0.9x"}, "--level 0.9x: expected a level strictly between 0 and 1"},
      {{"m.txt", "--weights"}, "--weights needs a value"},
      {{"m.txt", "--weights", ""}, "--weights needs none, linear, quadratic or a file"},
      {{"--ratings", ""}, "an empty file name"},
      {{"--level", "0.9"},
       "options without an input: give MATRIX, --ratings FILE or --fleiss FILE"},
      {{"--fleiss", "f.txt", "--details"},
       "--weights, --level and --details are for two raters, not --fleiss"},
      {{"m.txt", "--header"}, "--header is for --ratings and --fleiss files"},
      {{"--ratings", "r.txt", "--counts"}, "--counts is for --fleiss files"},
      {{"m.txt", "--detail"}, "unknown option \"--detail\""},
  };
  for (const Case& c : cases) {
    Arguments args;
    EXPECT_EQ(faultOf(c.argv, args), c.fault) << (c.argv.empty() ? "" : c.argv.back());
  }
  Arguments args;
  ASSERT_EQ(faultOf({"m.txt", "--weights", "W.txt", "--level", "0.9"}, args), "");
  EXPECT_EQ(args.matrix, "m.txt");
  EXPECT_EQ(args.weights, "W.txt");
  EXPECT_EQ(args.level, 0.9);
}

}  // namespace
}  // namespace kappa
