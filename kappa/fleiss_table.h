// The input of Fleiss' kappa: a subjects x raters table of labels, or a
// subjects x categories table of counts, turned into the counts.
#ifndef KAPPA_FLEISS_TABLE_H_
#define KAPPA_FLEISS_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kappa {

struct FleissTable {
  std::vector<std::string> categories;  // the category names, in column order
  std::size_t subjects = 0;
  std::int64_t raters = 0;           // raters per subject
  std::vector<std::int64_t> counts;  // subjects x categories, row-major
};

// The file "name" of a line a subject, a label from each rater (see
// readLabelRows; with "header" the first line names the raters and is left
// out); the categories are the labels met, sorted as Labels sorts them.
// Throws ToolError naming the file and the line for a subject rated by
// another number of raters than the first, and for a file of no subjects.
FleissTable readFleissLabels(const std::string& name, bool header);

// The file "name" of a line a subject, a count a category (how many raters
// put the subject there); with "header" the first line names the
// categories, which are numbered from 1 otherwise.  Throws ToolError naming
// the file and the line for a count that is not a whole number from 0 to
// 2^53, a subject with another number of counts or another total of raters
// than the first or more than 2^53 raters, a header of another number of
// names, and a file of no subjects.
FleissTable readFleissCounts(const std::string& name, bool header);

}  // namespace kappa

#endif  // KAPPA_FLEISS_TABLE_H_
