// Yieldex's two front ends over one run: the window, and a batch run from
// the command line.
#ifndef EBP_YIELDEX_FRONT_END_H_
#define EBP_YIELDEX_FRONT_END_H_

#include <QCommandLineParser>

class QApplication;

namespace yieldex {

inline constexpr const char* kYieldexDescription =
    "Applies a trained back-propagation network to a pattern file, writes the network's\n"
    "outputs and reports the mean square error and R^2 per output and overall.\n"
    "PATTERNS gets .pat when its name has no period; the weights default to the pattern\n"
    "file's path up to its first period plus .wgt, the output to the weights file's path\n"
    "up to its first period plus .out.  The network may also be an ONNX model (a name\n"
    "ending in .onnx) of the same form: one hidden layer, Sigmoid hidden and output units,\n"
    "biases; any other graph is refused, naming the node that differs.  --export-onnx writes\n"
    "the network of --weights as such a model.  Without arguments the window opens.\n"
    "Exit status: 0 done; 1 a bad file, an overflow or a zero denominator in the\n"
    "statistics (the output file is then complete), or a bad command line.";

// Adds --weights, --output, --plot and PATTERNS to "parser".
void addBatchOptions(QCommandLineParser& parser);

// One run from the processed command line (one pattern file): the report and
// then the output file's path on standard output, the plot saved when asked
// for (also after a zero denominator in the statistics, when it is
// complete), "scale" times as large for a bitmap; the --table and --scores
// files.  Returns 0; throws what the run throws.
int runBatch(const QCommandLineParser& parser, int scale);

// --export-onnx NET.onnx: the network of --weights written as an ONNX model
// (no pattern file, no other output), and its path on standard output.
// Returns 0; throws what reading the network or writing the model throws.
int runExport(const QCommandLineParser& parser);

// The window program: a first run at once, then Reload and Exit.
int runWindowProgram(QApplication& app);

}  // namespace yieldex

#endif  // EBP_YIELDEX_FRONT_END_H_
