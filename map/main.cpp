// Favomap5: draws a trained self-organizing map as a picture of hexagons.
//
// Without arguments the options dialog opens; with options the dialog's
// values come from the command line, the picture goes to a file and
// messages to standard error.
#include "common/program_run.h"
#include "map/front_end.h"
#include "ui/front_end.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("Favomap5");
  ui::FrontEnd front(argc, argv, "Favomap5",
                     "Draws a trained self-organizing map with a hexagonal lattice as a picture.\n"
                     "Exit status: 0 picture saved; 1 the run stopped (bad input, a message of\n"
                     "the program, or a bad command line).");
  map::addBatchOptions(front.parser());
  front.addScaleOption();
  if (front.wantsWindow()) return map::runDialog(front.app());
  map::MapControls controls;
  if (const auto wrong = map::readControls(front.parser(), controls)) {
    return front.usageError(*wrong);
  }
  if (!front.scale()) return front.usageError("--scale takes a whole number from 1 to 8");
  controls.pictureScale = *front.scale();
  return common::runReportingFailures("Favomap5",
                                      [&] { return map::runBatch(front.parser(), controls); });
}
