#include "som/training_table.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "test_support/scratch_dir.h"

namespace som {
namespace {

TEST(TrainingTableTest, ColumnListsAndTheirFaults) {
  struct Case {
    const char* text;
    std::vector<int> columns;
  };
  const Case cases[] = {
      {"1,3-5", {1, 3, 4, 5}},
      {"2", {2}},
      {"4-4,1", {4, 1}},
      {"", {}},
      {"3-1", {}},
      {"1,,2", {}},
      {"0", {}},
      {"a", {}},
      {"1-", {}},
      {"1,2,", {}},
  };
  for (const Case& c : cases) {
    std::string fault;
    EXPECT_EQ(parseColumnList(c.text, fault), c.columns) << c.text;
    EXPECT_EQ(fault.empty(), !c.columns.empty()) << c.text;
  }
}

TEST(TrainingTableTest, ReadsTheColumnsAskedForAndNamesTheFaultyLine) {
  const support::ScratchDir scratch("som_training_table");
  struct Case {
    const char* text;
    TableColumns columns;
    std::vector<double> values;  // empty when the table is refused with "error"
    std::vector<std::string> labels;
    std::vector<std::string> classes;
    const char* error;
  };
  const Case cases[] = {
      {"1 2,a,x\r\n\r\n3\t4,b,y\n", {{}, 3, 4, false}, {1, 2, 3, 4}, {"a", "b"}, {"x", "y"}, ""},
      {"h1 h2 h3\n1,,3\n4 5 6", {{3, 1}, 0, 0, true}, {3, 1, 6, 4}, {"1", "2"}, {}, ""},
      {"1 2 3\n4 5\n",
       {},
       {},
       {},
       {},
       "T: line 2: subscript out of range: 2 fields where line 1 has 3"},
      {"1 2\n3 x\n",
       {},
       {},
       {},
       {},
       "T: line 2: type mismatch: column 2: expected a finite number, got \"x\""},
      {"1,,3\n",
       {},
       {},
       {},
       {},
       "T: line 1: type mismatch: column 2 is empty: somtrain takes no missing values (fill "
       "them in, or leave the column out with --columns)"},
      {"1 nan\n",
       {},
       {},
       {},
       {},
       "T: line 1: type mismatch: column 2: expected a finite number, got \"nan\""},
      {"1 2\n",
       {{3}, 0, 0, false},
       {},
       {},
       {},
       "T: line 1: subscript out of range: column 3 asked for, the line has 2 fields"},
      {"a\n",
       {{}, 1, 0, false},
       {},
       {},
       {},
       "T: line 1: subscript out of range: no column is left for the variables"},
      {"names\n\n",
       {{}, 0, 0, true},
       {},
       {},
       {},
       "T: line 2: input past end of file: the table holds no object"},
      {"", {}, {}, {}, {}, "T: line 1: input past end of file: the table holds no object"},
  };
  for (const Case& c : cases) {
    const std::string path = scratch.file("T", c.text);
    SCOPED_TRACE(c.text);
    if (*c.error) {
      try {
        readTrainingTable(path, c.columns);
        ADD_FAILURE() << "no error";
      } catch (const common::ToolError& e) {
        EXPECT_EQ(std::string(e.what()).substr(std::string(e.what()).find("T:")), c.error);
      }
      continue;
    }
    const TrainingTable table = readTrainingTable(path, c.columns);
    EXPECT_EQ(table.values, c.values);
    EXPECT_EQ(table.labels, c.labels);
    EXPECT_EQ(table.classes, c.classes);
  }
}

}  // namespace
}  // namespace som
