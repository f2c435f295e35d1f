// Two raters' labels of the same cases, turned into their confusion matrix.
#ifndef KAPPA_RATINGS_TABLE_H_
#define KAPPA_RATINGS_TABLE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace kappa {

struct RatingsTable {
  // The categories: the labels of both raters, sorted as Labels sorts them.
  std::vector<std::string> labels;
  // k x k counts, row-major: row i rater A's label i, column j rater B's.
  std::vector<std::int64_t> matrix;
  // The first label that is not a number and its line; "" and 0 when every
  // label is a number.
  std::string firstWord;
  long firstWordLine = 0;
};

// The file "name" of a line a case: rater A's label, then rater B's (see
// readLabelRows; with "header" the first line holds names and is left out).
// Throws ToolError naming the file and the line for a line of other than
// two labels, and for a file of no cases.
RatingsTable readRatings(const std::string& name, bool header);

// The matrix with its labels, tab-separated: a first line "A\B" and rater
// B's labels, then a line for each of rater A's labels with its counts.
std::string matrixText(const RatingsTable& table);

}  // namespace kappa

#endif  // KAPPA_RATINGS_TABLE_H_
