#include "ebp/yieldex/report.h"

#include "common/number_forms.h"

namespace yieldex {
namespace {

void fitLines(std::string& text, const Fit& fit) {
  text += "MSE\t" + common::generalForm(fit.mse, 15) + "\r\n";
  text += "R^2\t" + common::generalForm(fit.r2, 15) + "\r\n";
}

}  // namespace

std::string reportText(const std::string& patternsPath, const std::string& weightsPath,
                       const Statistics& statistics) {
  std::string text = "Patterns\t" + patternsPath + "\r\n";
  text += "Weights\t" + weightsPath + "\r\n";
  text += "\r\nOverall\r\n";
  fitLines(text, statistics.overall);
  text += "\r\n";
  for (std::size_t k = 0; k < statistics.outputs.size(); ++k) {
    text += "Output " + std::to_string(k + 1) + "\r\n";
    fitLines(text, statistics.outputs[k]);
    text += "\r\n";
  }
  return text;
}

}  // namespace yieldex
