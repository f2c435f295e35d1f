#include "colfold/counts.h"

#include <charconv>
#include <cstdio>

#include "common/strings.h"

namespace colfold {

std::optional<long long> wholeCount(std::string_view text) {
  const std::string_view t = common::trimBlanks(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || error != std::errc() || end != t.data() + t.size()) return std::nullopt;
  return value;
}

std::vector<CountWarning> countWarnings(const Fields& fields, std::int64_t converted) {
  static const char* const kNames[] = {"inputs", "outputs", "patterns"};
  std::vector<CountWarning> warnings;
  std::optional<long long> counts[3];
  for (int i = 0; i < 3; ++i) {
    counts[i] = wholeCount(fields[2 + i]);
    if (!counts[i]) {
      warnings.push_back({fields[1], std::string("the count of ") + kNames[i] + " \"" +
                                         fields[2 + i] +
                                         "\" is not a whole number: it stands in the header as "
                                         "typed, and the programs that read the file will stop "
                                         "on it"});
    }
  }
  if (!warnings.empty()) return warnings;
  const long double announced =
      (static_cast<long double>(*counts[0]) + *counts[1]) * static_cast<long double>(*counts[2]);
  if (announced != static_cast<long double>(converted)) {
    char product[64];
    std::snprintf(product, sizeof product, "%.0Lf", announced);
    warnings.push_back({fields[0], "the table holds " + std::to_string(converted) +
                                       " numbers where (" + std::to_string(*counts[0]) + " + " +
                                       std::to_string(*counts[1]) + ") x " +
                                       std::to_string(*counts[2]) + " = " + product +
                                       " were announced: the header will not match the numbers "
                                       "below it"});
  }
  return warnings;
}

}  // namespace colfold
