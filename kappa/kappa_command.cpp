#include "kappa/kappa_command.h"

#include <cctype>
#include <iostream>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "kappa/fleiss_kappa.h"
#include "kappa/fleiss_table.h"
#include "kappa/kappa_details.h"
#include "kappa/kappa_dialogue.h"
#include "kappa/kappa_files.h"
#include "kappa/kappa_report.h"
#include "kappa/kappa_statistics.h"
#include "kappa/ratings_table.h"

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

// Fleiss' kappa of the --fleiss file, as name<TAB>value lines.
std::string fleissReport(const Arguments& args) {
  const FleissTable t = args.counts ? readFleissCounts(args.fleiss, args.header)
                                    : readFleissLabels(args.fleiss, args.header);
  const FleissResult r = fleissKappa(t.counts, t.subjects, t.categories.size());
  std::string out;
  auto line = [&out](const std::string& name, double value) {
    out += name + "\t" + common::consoleDouble(value) + "\n";
  };
  line("subjects", static_cast<double>(t.subjects));
  line("raters", static_cast<double>(t.raters));
  line("categories", static_cast<double>(t.categories.size()));
  line("kappa", r.kappa);
  line("se0", r.se0);
  line("z", r.z);
  line("p_value", r.pValue);
  for (std::size_t j = 0; j < t.categories.size(); ++j) {
    line("kappa_category_" + t.categories[j], r.categoryKappa[j]);
  }
  return out;
}

// The --ratings file's matrix with its labels, an empty line, and Cohen's
// kappa of it.
std::string ratingsReport(const Arguments& args, std::ostream& err) {
  const RatingsTable t = readRatings(args.ratings, args.header);
  std::string weights = args.weights;
  for (char& c : weights) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const WeightMode mode = weightMode(weights);
  if ((mode == WeightMode::kLinear || mode == WeightMode::kQuadratic) && t.firstWordLine != 0) {
    throw common::makeError(
        common::Fault::kTypeMismatch, args.ratings, "line " + std::to_string(t.firstWordLine),
        "the label " + common::quoteInput(t.firstWord) + " is no number: " + weights +
            " weights weigh the labels by their order as numbers");
  }
  const long k = static_cast<long>(t.labels.size());
  return matrixText(t) + "\n" + twoRaterReport(k, t.matrix, args, err);
}

}  // namespace

void runKappaCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string text;
  if (!args.fleiss.empty()) {
    text = fleissReport(args);
  } else if (!args.ratings.empty()) {
    text = ratingsReport(args, err);
  } else {
    long k = 0;
    const std::vector<std::int64_t> m = readSquareMatrix(args.matrix, k, err);
    text = twoRaterReport(k, m, args, err);
  }
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
