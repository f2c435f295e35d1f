// The three counts of Colfold's header against the table it converted.
#ifndef COLFOLD_COUNTS_H_
#define COLFOLD_COUNTS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colfold/arguments.h"

namespace colfold {

// The count a header field holds, when it is a whole number (blanks around
// it allowed, as the pattern readers take them); nullopt for anything else.
std::optional<long long> wholeCount(std::string_view text);

// A warning for common::warn: the file it concerns and what it says.
struct CountWarning {
  std::string file;
  std::string text;
};

// What the three counts of "fields" (fields[2..4]) will not describe of the
// table, which held "converted" numbers: a count that is not a whole number
// (one warning each, naming the output file fields[1]), or, when all three
// are, numbers other than (inputs + outputs) x patterns (naming the input
// file fields[0]).  Empty when the header matches the table.
std::vector<CountWarning> countWarnings(const Fields& fields, std::int64_t converted);

}  // namespace colfold

#endif  // COLFOLD_COUNTS_H_
