#include "kappa/kappa_dialogue.h"

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "common/console_questions.h"
#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "common/rounding.h"
#include "common/tokens.h"
#include "kappa/kappa_details.h"
#include "kappa/kappa_statistics.h"

namespace kappa {
namespace {

// A rank this large makes a matrix of a hundred million cells; no agreement
// study has one.
constexpr long kLargestRank = 10000;

const std::string kStars(47, '*');

// The count of numbers (non-empty fields) in "text".
std::int64_t numbersIn(std::string_view text) {
  common::TokenReader reader(text, "");
  std::int64_t n = 0;
  while (!reader.atEnd()) n += reader.next().empty() ? 0 : 1;
  return n;
}

std::vector<std::int64_t> readMatrix(const std::string& name, long k, std::ostream& err) {
  common::MappedFile file(name);
  common::TokenReader reader(file.text(), name);
  std::vector<std::int64_t> m(static_cast<std::size_t>(k * k));
  for (std::int64_t& v : m) {
    const double x = common::CInt(reader.readDouble());
    v = std::isfinite(x) ? static_cast<std::int64_t>(std::fmax(-9e18, std::fmin(9e18, x))) : 0;
  }
  const std::int64_t cells = static_cast<std::int64_t>(k) * k;
  const std::int64_t numbers = numbersIn(file.text());
  if (numbers != cells) {
    err << common::warningLine(
        "kappatest", name,
        "the file holds " + std::to_string(numbers) + " numbers where a matrix of rank " +
            std::to_string(k) + " takes " + std::to_string(cells) +
            (numbers < cells ? ": they fill it row by row and the missing cells read as 0, so "
                               "the table is not the one meant"
                             : ": the first fill it row by row and the rest are left out, so "
                               "the table is not the one meant"));
  }
  return m;
}

std::vector<double> readWeightsFile(const std::string& lowerCased, const std::string& typed,
                                    long k) {
  // Looked up under the lower-cased name first, then as typed.
  const std::string name =
      std::filesystem::exists(lowerCased) || !std::filesystem::exists(typed) ? lowerCased : typed;
  common::MappedFile file(name);
  common::TokenReader reader(file.text(), name);
  std::vector<double> w(static_cast<std::size_t>(k * k));
  for (double& v : w) v = reader.readDouble();
  return w;
}

// The questions, the files and the report of a run; throws ToolError.
void answerAndReport(std::istream& in, std::ostream& out, std::ostream& err, bool showQuestions,
                     bool details) {
  common::ConsoleQuestions questions(in, out, showQuestions);
  const std::string matrixName = questions.askText("- confusion matrix file name");
  const long k = questions.askWhole("- confusion matrix rank");
  double level = questions.askNumber("- p level for confidence interval (enter=0.95)");
  if (level == 0) level = 0.95;
  std::string weights;
  if (questions.askWhole("- weighted test (0=no, 1=yes)") != 0) {
    const long choice = questions.askWhole("- weights: linear (1), quadratic (2), from file (3)");
    if (choice == 1) {
      weights = "linear";
    } else if (choice == 2) {
      weights = "quadratic";
    } else {
      weights = questions.askText("- weights file name");
    }
  }
  if (k > kLargestRank) {
    throw common::makeError(common::Fault::kTooLarge, "",
                            "confusion matrix rank " + std::to_string(k),
                            "at most " + std::to_string(kLargestRank));
  }
  const long rank = k > 0 ? k : 0;
  const std::vector<std::int64_t> m = readMatrix(matrixName, rank, err);
  const std::string typed = weights;
  const KappaResult r = kappaStatistics(
      static_cast<int>(rank), m, weights, level,
      [&](const std::string& lowered) { return readWeightsFile(lowered, typed, rank); });
  common::throwIfInputChanged();
  out << "\n"
      << "  kappa  =" << common::consoleDouble(r.kappa) << "\n"
      << "p(kappa) =" << common::consoleDouble(r.pValue) << "\n"
      << "agreement: " << agreementWord(r.kappa) << "\n"
      << "\n"
      << "confidence interval, p =" << common::consoleDouble(level) << ":\n"
      << common::consoleDouble(r.low) << " (low)\n"
      << common::consoleDouble(r.high) << " (high)\n"
      << "\n";
  if (details) {
    const KappaDetails d =
        kappaDetails(static_cast<int>(rank), m, r, level, weightMode(weights) != WeightMode::kNone);
    out << detailsText(d, r, static_cast<int>(rank)) << "\n";
  }
  out << "*** Press any key to exit ***\n" << std::flush;
}

}  // namespace

int runKappatest(std::istream& in, std::ostream& out, std::ostream& err, bool showQuestions,
                 bool details) {
  out << kStars << "\n"
      << "Kappa test for two classifiers and n categories\n"
      << kStars << "\n\n";
  try {
    // A file that changed while it was read explains the error it led to.
    try {
      answerAndReport(in, out, err, showQuestions, details);
    } catch (const common::ToolError&) {
      common::throwIfInputChanged();
      throw;
    }
  } catch (const common::ToolError& error) {
    out << std::flush;
    err << "kappatest: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace kappa
