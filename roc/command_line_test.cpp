#include "roc/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace roc {
namespace {

// The figure options as the drawing takes them, and which positional
// arguments are input files: several only with three of them, or two with
// --figure or --names; --style paper turns --picture into the figure.
TEST(CommandLine, FigureOptionsAndSeveralFiles) {
  const struct {
    std::vector<const char*> argv;
    bool several;
    std::vector<std::string> names;  // curveNames()
    std::string picture;
    FigureRequest figure;
  } cases[] = {
      {{"a.txt", "roc"}, false, {"a.txt"}, "", {}},
      {{"a.txt", "b.txt", "--report"}, false, {"a.txt"}, "", {}},
      {{"dir/a.txt", "b.txt", "--figure", "f.svg"},
       true,
       {"a.txt", "b.txt"},
       "",
       {true, "f.svg", {}, "", 12, 12, false}},
      {{"a.txt", "b.txt", "--names", "MLP, Naive Bayes", "--report"},
       true,
       {"MLP", "Naive Bayes"},
       "",
       {false, "", {"MLP", "Naive Bayes"}, "", 12, 12, false}},
      {{"a.txt", "b.txt", "c.txt", "--report"}, true, {"a.txt", "b.txt", "c.txt"}, "", {}},
      {{"a.txt", " Roc ", "--figure", "f.svg"},
       false,
       {"a.txt"},
       "",
       {true, "f.svg", {}, "", 12, 12, false}},
      {{"a.txt", "--picture", "p.pdf", "--style", "paper", "--size", "8.5x6", "--title", "ROC",
        "--ci-band"},
       false,
       {"a.txt"},
       "",
       {true, "p.pdf", {}, "ROC", 8.5, 6, true}},
      {{"a.txt", "--picture", "p.png", "--style", "exact"}, false, {"a.txt"}, "p.png", {}},
      {{"a.txt", "--picture", "p.png", "--figure", "f.pdf", "--size", "100X0.5"},
       false,
       {"a.txt"},
       "p.png",
       {true, "f.pdf", {}, "", 100, 0.5, false}},
  };
  for (const auto& c : cases) {
    std::vector<const char*> argv = {"rocplot"};
    argv.insert(argv.end(), c.argv.begin(), c.argv.end());
    Arguments args;
    ASSERT_TRUE(parseArguments(static_cast<int>(argv.size()), argv.data(), args))
        << c.argv[1] << " " << args.problem;
    const std::string at = std::string(c.argv[0]) + " " + c.argv[1];
    EXPECT_EQ(args.several, c.several) << at;
    EXPECT_EQ(args.curveNames(), c.names) << at;
    EXPECT_EQ(args.picture, c.picture) << at;
    EXPECT_EQ(args.figure.paper, c.figure.paper) << at;
    EXPECT_EQ(args.figure.path, c.figure.path) << at;
    EXPECT_EQ(args.figure.names, c.figure.names) << at;
    EXPECT_EQ(args.figure.title, c.figure.title) << at;
    EXPECT_EQ(args.figure.widthCm, c.figure.widthCm) << at;
    EXPECT_EQ(args.figure.heightCm, c.figure.heightCm) << at;
    EXPECT_EQ(args.figure.ciBand, c.figure.ciBand) << at;
  }
}

}  // namespace
}  // namespace roc
