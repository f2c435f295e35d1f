// The conversion of Colfold: every number of a text table, one per line.
#ifndef COLFOLD_CONVERSION_H_
#define COLFOLD_CONVERSION_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "colfold/arguments.h"

namespace colfold {

// Appends every value of "text" (console number tokens: blanks, tabs, commas
// and line ends separate; an empty token is 0; E or D exponents) to "out",
// one per line in the single console form (" 0.25", "-1.5") with CR LF, and
// returns their count.  The end is tested before each value, so a text
// ending right after a number gives no extra value.  "fileName" names the
// source in the error of a token that is not a number.
std::int64_t convertValues(std::string_view text, const std::string& fileName, std::string& out);

// The whole conversion: reads fields[0], writes fields[1] (the three count
// texts, then the values) and returns the count.  Long inputs are converted
// in blocks on two threads and written in order.  The output replaces an old
// file only once it is complete.  Throws ToolError for an input that cannot
// be read, an output that cannot be written, or a token that is not a number.
// "progress", when set, hears after every block how many bytes of how many
// are done.
std::int64_t convertFile(const Fields& fields,
                         const std::function<void(double done, double total)>& progress = {});

}  // namespace colfold

#endif  // COLFOLD_CONVERSION_H_
