#include "colfold/arguments.h"

#include <gtest/gtest.h>

namespace colfold {
namespace {

TEST(CommandLine, FieldsAreCutAtBlanks) {
  struct Row {
    std::vector<std::string> args;
    Fields expected;
  } rows[] = {
      {{"in.txt", "out.pat", "4", "1", "150"}, {"in.txt", "out.pat", "4", "1", "150"}},
      {{"in.txt", "out.pat", "4", "150"}, {"in.txt", "out.pat", "4", "", "150"}},
      {{"in.txt", "out.pat", "4", "1", "lost", "150", "more"},
       {"in.txt", "out.pat", "4", "1", "150 more"}},
      {{"in.txt"}, {"", "", "", "", "in.txt"}},
      // Blanks inside an argument count like the ones between them.
      {{"  in.txt ", "out.pat", "4", "1", "150"}, {"in.txt", "", "out.pat", "4", "150"}},
      {{"my file.txt", "out.pat", "4", "1", "150"}, {"my", "file.txt", "out.pat", "4", "150"}},
  };
  for (const Row& r : rows) EXPECT_EQ(splitCommandLine(r.args), r.expected) << r.args.size();
}

}  // namespace
}  // namespace colfold
