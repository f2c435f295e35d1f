// The data table a map is trained on: a line an object, its fields
// separated by blanks, tabs or commas, as Colfold reads a table; optionally
// a first line of column names.  Unlike Colfold, an empty field (two commas
// in a row) in a variable's column is refused: it is a missing value.
#ifndef SOM_TRAINING_TABLE_H_
#define SOM_TRAINING_TABLE_H_

#include <string>
#include <vector>

namespace som {

// Which columns of the file are what, numbered from 1.  An empty
// "variables" takes every column that is not the labels or classes column.
struct TableColumns {
  std::vector<int> variables;
  int labels = 0;   // 0: the objects are labelled 1, 2, ... in file order
  int classes = 0;  // 0: no classes
  bool header = false;
};

struct TrainingTable {
  int nVars = 0;
  // nObjects x nVars values, an object's values together.
  std::vector<double> values;
  std::vector<std::string> labels;   // one an object
  std::vector<std::string> classes;  // one an object, or empty
  std::size_t nObjects() const { return labels.size(); }
};

// "1,3-5" as the column numbers 1, 3, 4, 5 in that order; "" when "text"
// is not such a list (the caller names the option).  Sets "fault" to what is
// wrong, or leaves it empty.
std::vector<int> parseColumnList(const std::string& text, std::string& fault);

// Reads the table "path".  Throws ToolError naming the file and the line for
// a line with another count of fields than the first, a column asked for
// beyond the fields of a line, a value that is not a finite number, and a
// file of no object.
TrainingTable readTrainingTable(const std::string& path, const TableColumns& columns);

}  // namespace som

#endif  // SOM_TRAINING_TABLE_H_
