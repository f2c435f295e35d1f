#include "kappa/kappa_files.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/program_run.h"
#include "common/rounding.h"
#include "common/tokens.h"

namespace kappa {
namespace {

// The count of numbers (non-empty fields) in "text".
std::int64_t numbersIn(std::string_view text) {
  common::TokenReader reader(text, "");
  std::int64_t n = 0;
  while (!reader.atEnd()) n += reader.next().empty() ? 0 : 1;
  return n;
}

// The shortest text that reads back to "value": 9007199254740994 whole,
// -0.1 as written.
std::string shortForm(double value) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string cellName(std::size_t index, long k) {
  const auto kk = static_cast<std::size_t>(k);
  return "row " + std::to_string(index / kk + 1) + ", column " + std::to_string(index % kk + 1);
}

// The whole count of cell "index", read as "x"; throws for what no count is.
std::int64_t checkedCount(double x, const common::TokenReader& reader, std::size_t index, long k) {
  const double count = common::roundHalfEven(x);
  const std::string place = "line " + std::to_string(reader.tokenLine());
  if (!(count >= 0)) {
    throw common::makeError(common::Fault::kTypeMismatch, reader.fileName(), place,
                            "expected a count of cases (a whole number, 0 or more) in " +
                                cellName(index, k) + ", got " + shortForm(x));
  }
  if (count > kLargestCount) {
    throw common::makeError(common::Fault::kOverflow, reader.fileName(), place,
                            "the count " + shortForm(x) + " in " + cellName(index, k) +
                                " is above 9007199254740992 (2^53), the largest read exactly");
  }
  return static_cast<std::int64_t>(count);
}

void warnOfCellCount(const std::string& name, std::int64_t numbers, long k, std::ostream& err) {
  const std::int64_t cells = static_cast<std::int64_t>(k) * k;
  if (numbers == cells) return;
  err << common::warningLine(
      "kappatest", name,
      "the file holds " + std::to_string(numbers) + " numbers where a matrix of rank " +
          std::to_string(k) + " takes " + std::to_string(cells) +
          (numbers < cells ? ": they fill it row by row and the missing cells read as 0, so "
                             "the table is not the one meant"
                           : ": the first fill it row by row and the rest are left out, so "
                             "the table is not the one meant"));
}

}  // namespace

std::vector<std::int64_t> readMatrix(const std::string& name, long k, std::ostream& err) {
  common::MappedFile file(name);
  common::TokenReader reader(file.text(), name);
  std::vector<std::int64_t> m(static_cast<std::size_t>(k * k));
  bool withinOne = true, fractions = false;
  for (std::size_t i = 0; i < m.size(); ++i) {
    const double x = reader.readDouble();
    m[i] = checkedCount(x, reader, i, k);
    withinOne = withinOne && x <= 1;
    fractions = fractions || x != std::floor(x);
  }
  warnOfCellCount(name, numbersIn(file.text()), k, err);
  if (withinOne && fractions) {
    err << common::warningLine(
        "kappatest", name,
        "every number lies within 0..1 and some are fractions, as in a matrix of proportions: "
        "the cells are counts of cases, so each is rounded to 0 or 1 and kappa is not the "
        "table's; give the counts");
  }
  return m;
}

// The numbers of a matrix file named on the command line, whose count gives
// the rank: an empty field before the last number (a blank line, a comma at
// a line's end) would read as a cell of 0 and shift every cell after it.
std::int64_t cellsOfMatrixFile(const std::string& name) {
  const common::MappedFile file(name);
  common::TokenReader reader(file.text(), name);
  std::int64_t numbers = 0;
  long firstEmpty = 0;
  while (!reader.atEnd()) {
    if (reader.next().empty()) {
      if (firstEmpty == 0) firstEmpty = reader.tokenLine();
      continue;
    }
    if (firstEmpty != 0) {
      throw common::makeError(common::Fault::kTypeMismatch, name,
                              "line " + std::to_string(firstEmpty),
                              "an empty field (a blank line, two commas, a comma at the end of "
                              "a line) before the last number: it would read as a cell of 0 "
                              "and shift every cell after it");
    }
    ++numbers;
  }
  return numbers;
}

std::vector<std::int64_t> readSquareMatrix(const std::string& name, long& k, std::ostream& err) {
  const std::int64_t numbers = cellsOfMatrixFile(name);
  const auto root =
      static_cast<std::int64_t>(std::llround(std::sqrt(static_cast<double>(numbers))));
  if (numbers == 0 || root * root != numbers) {
    throw common::makeError(common::Fault::kTypeMismatch, name, "",
                            "the file holds " + std::to_string(numbers) +
                                " numbers, which is no k x k matrix (1, 4, 9, 16, ... numbers)");
  }
  if (root > kLargestRank) {
    throw common::makeError(common::Fault::kTooLarge, name, "",
                            "a matrix of rank " + std::to_string(root) + ", where at most " +
                                std::to_string(kLargestRank) + " is read");
  }
  k = static_cast<long>(root);
  return readMatrix(name, k, err);
}

std::vector<double> readWeightsAsTyped(const std::string& lowerCased, const std::string& typed,
                                       long k, std::ostream& err) {
  const std::string name =
      std::filesystem::exists(lowerCased) || !std::filesystem::exists(typed) ? lowerCased : typed;
  return readWeights(name, k, err);
}

std::vector<double> readWeights(const std::string& name, long k, std::ostream& err) {
  common::MappedFile file(name);
  common::TokenReader reader(file.text(), name);
  std::vector<double> w(static_cast<std::size_t>(k * k));
  std::size_t outside = 0, first = 0;
  for (std::size_t i = 0; i < w.size(); ++i) {
    w[i] = reader.readDouble();
    if (w[i] >= 0 && w[i] <= 1) continue;
    if (outside++ == 0) first = i;
  }
  if (outside > 0) {
    err << common::warningLine(
        "kappatest", name,
        std::to_string(outside) + " of " + std::to_string(w.size()) +
            " weights lie outside 0..1 (the first in " + cellName(first, k) + ": " +
            shortForm(w[first]) +
            "): a weight is the credit a pair of categories earns, from 0 (none) to 1 (full "
            "agreement), so kappa is no longer on its scale and its grade means nothing");
  }
  return w;
}

}  // namespace kappa
