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

// An option, or a field past the fifth, is a mistake; negative counts and
// fewer fields are the user's to give.
TEST(CommandLine, OptionsAndSurplusArgumentsAreFaults) {
  struct Row {
    std::vector<std::string> args;
    std::string fault;
  } rows[] = {
      {{"in.txt", "out.pat", "4", "1", "150"}, ""},
      {{"in.txt", "out.pat", "-4", "1"}, ""},
      {{"-", "out.pat", "4", "1", "150"}, ""},
      {{"in.txt", "out.pat", "4", "1", "150", "extra"},
       "6 fields where it takes 5, from \"extra\" on; the arguments are cut at blanks"},
      {{"in.txt out.pat 4 1 150 extra"},
       "6 fields where it takes 5, from \"extra\" on; the arguments are cut at blanks"},
      {{"my file.txt", "out.pat", "4", "1", "150"},
       "6 fields where it takes 5, from \"150\" on; the arguments are cut at blanks"},
      {{" in.txt ", "out.pat", "4", "1", "150"}, ""},
      {{"--verbose", "in.txt", "out.pat", "4", "1"}, "unknown option \"--verbose\""},
      {{"in.txt", "out.pat", "-v"}, "unknown option \"-v\""},
  };
  for (const Row& r : rows) EXPECT_EQ(commandLineFault(r.args), r.fault) << r.args[0];
}

}  // namespace
}  // namespace colfold
