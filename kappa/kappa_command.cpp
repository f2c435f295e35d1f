#include "kappa/kappa_command.h"

#include <iostream>
#include <string>
#include <vector>

#include "common/mapped_file.h"
#include "common/program_run.h"
#include "kappa/kappa_details.h"
#include "kappa/kappa_dialogue.h"
#include "kappa/kappa_files.h"
#include "kappa/kappa_report.h"
#include "kappa/kappa_statistics.h"

namespace kappa {
namespace {

// Cohen's kappa of the k x k matrix m as the options ask for it: the
// report, then an empty line and the details when asked for.
std::string twoRaterReport(long k, const std::vector<std::int64_t>& m, const Arguments& args,
                           std::ostream& err) {
  const std::string levelWord = levelWarning(args.level);
  if (!levelWord.empty()) err << common::warningLine("kappatest", "--level", levelWord);
  std::string weights = args.weights;
  const KappaResult r =
      kappaStatistics(static_cast<int>(k), m, weights, args.level, [&](const std::string& lowered) {
        return readWeightsAsTyped(lowered, args.weights, k, err);
      });
  std::string text = reportText(r, args.level);
  if (args.details) {
    const bool weighted = weightMode(weights) != WeightMode::kNone;
    const KappaDetails d = kappaDetails(static_cast<int>(k), m, r, args.level, weighted);
    text += "\n" + detailsText(d, r, static_cast<int>(k));
  }
  return text;
}

}  // namespace

void runKappaCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  long k = 0;
  const std::vector<std::int64_t> m = readSquareMatrix(args.matrix, k, err);
  const std::string text = twoRaterReport(k, m, args, err);
  common::throwIfInputChanged();
  out << text << std::flush;
}

int runKappaCommandProgram(const Arguments& args) {
  return common::runReportingFailures("kappatest", [&] {
    runKappaCommand(args, std::cout, std::cerr);
    return 0;
  });
}

}  // namespace kappa
