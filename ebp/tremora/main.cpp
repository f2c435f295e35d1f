// Tremora: how sensitive a trained back-propagation network is to noise on
// each of its inputs.
//
// Without arguments it opens its window; with a pattern file and a weights
// file on the command line it runs once in batch mode.
#include <optional>

#include "common/program_run.h"
#include "ebp/tremora/front_end.h"
#include "ui/front_end.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("Tremora");
  ui::FrontEnd front(argc, argv, "Tremora", tremora::kTremoraDescription);
  tremora::addBatchOptions(front.parser());
  front.addScaleOption();
  if (front.wantsWindow()) return tremora::runWindowProgram(front.app());
  if (front.parser().positionalArguments().size() != 2) {
    return front.usageError("give a pattern file and a weights file");
  }
  const std::optional<int> scale = front.scale();
  if (!scale) return front.usageError("--scale takes a whole number from 1 to 8");
  return common::runReportingFailures("Tremora",
                                      [&] { return tremora::runBatch(front.parser(), *scale); });
}
