// kappatest's two input files, the confusion matrix and the weights, read
// with the console programs' token rules and checked for the mistakes that
// would make kappa describe another table than the one meant.
#ifndef KAPPA_KAPPA_FILES_H_
#define KAPPA_KAPPA_FILES_H_

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace kappa {

// The largest count a matrix cell may hold: past 2^53 a double, which the
// token reader reads every number as, no longer holds every whole number.
inline constexpr double kLargestCount = 9007199254740992.0;

// The largest rank read: a matrix of a hundred million cells, which no
// agreement study has.
inline constexpr long kLargestRank = 10000;

// The first k x k numbers of the file "name" in row order, each rounded to a
// whole count (halves to even; missing numbers read as 0).  Throws
// ToolError naming the file, the line and the cell for a count below 0 or
// not a number (kTypeMismatch) or above kLargestCount (kOverflow).  Warns on
// "err" when the file holds other than k x k numbers, and when every number
// lies within 0..1 and some are fractions (proportions, which round to 0 or
// 1, where counts were meant).
std::vector<std::int64_t> readMatrix(const std::string& name, long k, std::ostream& err);

// The first k x k numbers of the file "name" in row order (missing ones
// read as 0).  Warns on "err" when some lie outside 0..1 or are not numbers.
std::vector<double> readWeights(const std::string& name, long k, std::ostream& err);

// The weights of readWeights from the file named "lowerCased", or from the
// one named "typed" when only that exists.
std::vector<double> readWeightsAsTyped(const std::string& lowerCased, const std::string& typed,
                                       long k, std::ostream& err);

// The confusion matrix of the file "name", its rank k taken from its count
// of numbers, k x k, in row order; the counts as readMatrix reads them.
// Throws ToolError naming the file when it holds no numbers, a count that
// is not the square of a whole number, or a rank above kLargestRank.
std::vector<std::int64_t> readSquareMatrix(const std::string& name, long& k, std::ostream& err);

}  // namespace kappa

#endif  // KAPPA_KAPPA_FILES_H_
