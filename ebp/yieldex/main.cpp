// Yieldex: applies a trained back-propagation network to a pattern file,
// writes its outputs and reports their errors.
//
// Without arguments it opens its window and asks for the files; with a
// pattern file on the command line it runs once in batch mode.
#include <optional>

#include "common/program_run.h"
#include "ebp/yieldex/front_end.h"
#include "ui/front_end.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("Yieldex");
  ui::FrontEnd front(argc, argv, "Yieldex", yieldex::kYieldexDescription);
  yieldex::addBatchOptions(front.parser());
  front.addScaleOption();
  if (front.wantsWindow()) return yieldex::runWindowProgram(front.app());
  if (front.parser().isSet("export-onnx")) {
    return common::runReportingFailures("Yieldex",
                                        [&] { return yieldex::runExport(front.parser()); });
  }
  if (front.parser().positionalArguments().size() != 1) {
    return front.usageError("give one pattern file");
  }
  const std::optional<int> scale = front.scale();
  if (!scale) return front.usageError("--scale takes a whole number from 1 to 8");
  return common::runReportingFailures("Yieldex",
                                      [&] { return yieldex::runBatch(front.parser(), *scale); });
}
