// rocplot's run as its command line asks for it: the files read, the
// picture drawn, and every output it names written.
#ifndef ROC_ROCPLOT_RUN_H_
#define ROC_ROCPLOT_RUN_H_

#include "roc/command_line.h"
#include "roc/rocplot.h"

namespace roc {

// Checks the outputs "args" names against its inputs, reads the score file
// (its byte-order mark and, when there is one, its header line left out),
// warns on standard error of what in it the results may not survive, and
// writes roc.prn when asked for, the picture (--picture, --scale), the
// --table file and the --report and --compare reports on standard output.
// With "keepShapes" the returned picture can also be saved as SVG, PDF or a
// larger bitmap.  With a paper figure asked for, the returned run also
// holds the file's curve for it (RocRun::figure); the figure itself is
// drawn by the caller.  The input is let go before it returns.  Throws ToolError
// for a file that cannot be read or written, or a --compare file that does
// not match.
RocRun runRocFiles(const Arguments& args, bool keepShapes);

// --multiclass: reads the records of a classifier of K classes, prints their
// report on standard output and writes the --table file of the curves.
// Throws ToolError like runRocFiles.
void runMulticlassFiles(const Arguments& args);

}  // namespace roc

#endif  // ROC_ROCPLOT_RUN_H_
