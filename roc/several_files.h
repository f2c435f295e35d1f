// rocplot with several input files: each classifier's scores read and
// reported as one file's are, DeLong's paired test of every two files that
// hold the same cases, and the curves of the paper figure.
#ifndef ROC_SEVERAL_FILES_H_
#define ROC_SEVERAL_FILES_H_

#include <string>
#include <vector>

#include "roc/command_line.h"
#include "roc/figure_curve.h"

namespace roc {

struct SeveralFilesRun {
  // One curve per input file in command-line order, named as
  // args.curveNames() says; empty unless a figure is asked for.
  std::vector<CurveForFigure> curves;
  // What goes to standard output: for each file the line "file<TAB>NAME",
  // then the lines one file gives for the same options (--report, the
  // bootstrap lines); with --report, then for every two files A, B in
  // command-line order the line "pair<TAB>A<TAB>B", then either DeLong's
  // paired test (first_auc ... p, as --compare prints it) when they hold
  // the same cases, or "skipped<TAB>" and where they part.
  std::string report;
};

// Reads every input file of "args" (each warned about on standard error as
// one file is, by its name) and computes what it asks.  Writes nothing.
// Throws ToolError for a file that cannot be read, a token that is not a
// number, or a --figure path that cannot be written.
SeveralFilesRun runSeveralFiles(const Arguments& args);

}  // namespace roc

#endif  // ROC_SEVERAL_FILES_H_
