#include "kappa/kappa_report.h"

#include "common/number_forms.h"

namespace kappa {

std::string reportText(const KappaResult& r, double level) {
  return "  kappa  =" + common::consoleDouble(r.kappa) + "\n" +
         "p(kappa) =" + common::consoleDouble(r.pValue) + "\n" +
         "agreement: " + std::string(agreementWord(r.kappa)) + "\n" + "\n" +
         "confidence interval, p =" + common::consoleDouble(level) + ":\n" +
         common::consoleDouble(r.low) + " (low)\n" + common::consoleDouble(r.high) + " (high)\n";
}

}  // namespace kappa
