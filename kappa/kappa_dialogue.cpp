#include "kappa/kappa_dialogue.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "common/console.h"
#include "common/console_questions.h"
#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "common/rounding.h"
#include "kappa/kappa_details.h"
#include "kappa/kappa_files.h"
#include "kappa/kappa_report.h"
#include "kappa/kappa_statistics.h"

namespace kappa {
namespace {

const std::string kStars(47, '*');

std::string shortForm(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.12g", value);
  return text;
}

// The questions, numbered as the answers come, each answer required: input
// that ends before the last question needed is an error naming the answer
// missing, not a run on answers of 0.
class Answers {
 public:
  Answers(std::istream& in, std::ostream& out, bool showQuestions)
      : in_(in), questions_(in, out, showQuestions) {}

  // The text answer to "question" (see common::ConsoleQuestions); "what"
  // names it in the error for a missing answer.
  std::string text(std::string_view question, std::string_view what) {
    ++asked_;
    std::string answer = questions_.askText(question);
    if (answer.empty() && in_.eof()) {
      throw common::makeError(common::Fault::kPastEndOfFile, "standard input",
                              "answer " + std::to_string(asked_),
                              "the answers end before " + std::string(what));
    }
    return answer;
  }

  // The number answer: the first number of the text answer, 0 for none.
  double number(std::string_view question, std::string_view what) {
    return common::numberAnswer(text(question, what));
  }

  // The number answer rounded to a whole number, halves to even.
  double whole(std::string_view question, std::string_view what) {
    return common::roundHalfEven(number(question, what));
  }

  int asked() const { return asked_; }

 private:
  std::istream& in_;
  common::ConsoleQuestions questions_;
  int asked_ = 0;
};

// The rank answered, from 1 to kLargestRank; throws for any other answer.
long askRank(Answers& answers) {
  const std::string text = answers.text("- confusion matrix rank", "the confusion matrix rank");
  const double k = common::roundHalfEven(common::numberAnswer(text));
  if (k > kLargestRank) {
    throw common::makeError(common::Fault::kTooLarge, "", "confusion matrix rank " + shortForm(k),
                            "at most " + std::to_string(kLargestRank));
  }
  if (!(k >= 1)) {
    throw common::makeError(common::Fault::kTypeMismatch, "standard input",
                            "answer " + std::to_string(answers.asked()),
                            "expected the confusion matrix rank, a whole number from 1 to " +
                                std::to_string(kLargestRank) + ", got " + common::quoteInput(text));
  }
  return static_cast<long>(k);
}

// The questions, the files and the report of a run; throws ToolError.
void answerAndReport(std::istream& in, std::ostream& out, std::ostream& err, bool showQuestions,
                     bool details) {
  Answers answers(in, out, showQuestions);
  const std::string matrixName =
      answers.text("- confusion matrix file name", "the confusion matrix file name");
  const long rank = askRank(answers);
  double level = answers.number("- p level for confidence interval (enter=0.95)",
                                "the confidence level (an empty line for 0.95)");
  if (level == 0) level = 0.95;
  const std::string levelWord = levelWarning(level);
  if (!levelWord.empty()) err << common::warningLine("kappatest", "standard input", levelWord);
  std::string weights;
  if (answers.whole("- weighted test (0=no, 1=yes)", "the weighted test choice (0 for no)") != 0) {
    const double choice =
        answers.whole("- weights: linear (1), quadratic (2), from file (3)", "the weights choice");
    if (choice == 1) {
      weights = "linear";
    } else if (choice == 2) {
      weights = "quadratic";
    } else {
      weights = answers.text("- weights file name", "the weights file name");
    }
  }
  const std::vector<std::int64_t> m = readMatrix(matrixName, rank, err);
  const std::string typed = weights;
  const KappaResult r = kappaStatistics(
      static_cast<int>(rank), m, weights, level,
      [&](const std::string& lowered) { return readWeightsAsTyped(lowered, typed, rank, err); });
  common::throwIfInputChanged();
  out << "\n" << reportText(r, level) << "\n";
  if (details) {
    const KappaDetails d =
        kappaDetails(static_cast<int>(rank), m, r, level, weightMode(weights) != WeightMode::kNone);
    out << detailsText(d, r, static_cast<int>(rank)) << "\n";
  }
  out << "*** Press any key to exit ***\n" << std::flush;
}

}  // namespace

std::string levelWarning(double level) {
  const std::string typed = "the confidence level " + shortForm(level);
  const std::string meaningless = ", which no interval has, so its ends are meaningless: ";
  const std::string fraction =
      "a level is a fraction between 0 and 1, such as 0.95 for a 95% "
      "interval";
  if (level > 1 && level <= 100) {
    return typed + " is 1 or more" + meaningless + "a level is a fraction, not a percentage; " +
           "for a " + shortForm(level) + "% interval answer " + shortForm(level / 100);
  }
  if (level >= 1) return typed + " is 1 or more" + meaningless + fraction;
  if (level < 0) return typed + " is below 0" + meaningless + fraction;
  if (level < 0.5) {
    return typed + " asks for a " + shortForm(level * 100) + "% interval: a level is the " +
           "interval's coverage, 1 minus the significance level, so a " +
           shortForm((1 - level) * 100) + "% interval is " + shortForm(1 - level);
  }
  return "";
}

void runKappatest(std::istream& in, std::ostream& out, std::ostream& err, bool showQuestions,
                  bool details) {
  out << kStars << "\n"
      << "Kappa test for two classifiers and n categories\n"
      << kStars << "\n\n";
  answerAndReport(in, out, err, showQuestions, details);
}

int runKappatestProgram(bool details) {
  common::clearConsole();
  const int status = common::runReportingFailures(
      "kappatest",
      [&] {
        runKappatest(std::cin, std::cout, std::cerr, isatty(STDIN_FILENO), details);
        return 0;
      },
      [](const std::string& text) {
        // What the dialogue printed comes first where both go to one file.
        std::cout << std::flush;
        std::cerr << "kappatest: " << text << "\n";
      });
  if (status == 0) common::waitForKey();
  return status;
}

}  // namespace kappa
