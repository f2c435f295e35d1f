// The report text of a Yieldex run.
#ifndef EBP_YIELDEX_REPORT_H_
#define EBP_YIELDEX_REPORT_H_

#include <string>

#include "ebp/yieldex/statistics.h"

namespace yieldex {

// Patterns and Weights lines, the Overall block and one block per output;
// every line ends with CR LF, numbers in 15-digit general notation.
std::string reportText(const std::string& patternsPath, const std::string& weightsPath,
                       const Statistics& statistics);

}  // namespace yieldex

#endif  // EBP_YIELDEX_REPORT_H_
