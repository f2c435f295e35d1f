// The lines of kappatest's report on Cohen's kappa, shared by the dialogue
// and the command line.
#ifndef KAPPA_KAPPA_REPORT_H_
#define KAPPA_KAPPA_REPORT_H_

#include <string>

#include "kappa/kappa_statistics.h"

namespace kappa {

// The report of "r" at confidence "level", from "  kappa  =" to the
// interval's "(high)" line, each line ended; numbers in the console form.
std::string reportText(const KappaResult& r, double level);

}  // namespace kappa

#endif  // KAPPA_KAPPA_REPORT_H_
