#include "ebp/tremora/sensitivity_pages.h"

#include "common/format_mask.h"
#include "common/rounding.h"

namespace tremora {
namespace {

using common::formatMask;

std::string rule(int nI) {
  std::string line = " -----";
  for (int i = 0; i < nI; ++i) line += "-----------";
  return line;
}

std::string padLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

}  // namespace

std::string dataPage(const SensitivityTable& t) {
  const int nI = t.change.empty() ? 0 : static_cast<int>(t.change[0].size());
  std::string page = " NN Mean Square Error = " + formatMask(t.e0, "0.#######") + "\r\n\r\n";
  page += rule(nI) + "\r\n";
  const int indent = static_cast<int>(common::roundHalfEven((11.0 * nI - 28) / 2 + 8));
  page += std::string(static_cast<std::size_t>(std::max(indent, 0)), ' ') +
          "Changes in Mean Square Error\r\n";
  page += " Noise  ";
  for (int i = 1; i <= nI; ++i) page += formatMask(i, "I\\nput \\#00  ");
  page += "\r\n" + rule(nI) + "\r\n";
  for (std::size_t l = 0; l < t.change.size(); ++l) {
    page += formatMask(t.levels[l], " ###.0%  ");
    for (float d : t.change[l]) page += padLeft(formatMask(d, "#####.00%  "), 11);
    page += "\r\n";
  }
  page += rule(nI) + "\r\n";
  return page;
}

std::string infoPage(const SensitivityFiles& files, const SensitivityRun& run) {
  std::string page = " patterns: " + files.patterns + "\r\n\r\n";
  page += "    number of patterns = " + formatMask(static_cast<double>(run.nP), "#####") +
          "\r\n\r\n\r\n";
  page += " weights: " + files.weights + "\r\n\r\n";
  page += "    number of input nodes = " + formatMask(run.nI, "###") + "\r\n";
  page += "    number of hidden nodes = " + formatMask(run.nH, "###") + "\r\n";
  page += "    number of output nodes = " + formatMask(run.nO, "###") + "\r\n\r\n\r\n";
  page += " noise levels: " + files.noise + "\r\n\r\n";
  page += "    perturbations per pattern: " +
          formatMask(static_cast<double>(run.perturbations), "###") + "\r\n\r\n\r\n";
  page += " output saved to: " + files.results;
  return page;
}

}  // namespace tremora
