// Tremora's two front ends over one analysis: the window, and a batch run
// from the command line.
#ifndef EBP_TREMORA_FRONT_END_H_
#define EBP_TREMORA_FRONT_END_H_

#include <QCommandLineParser>

class QApplication;

namespace tremora {

inline constexpr const char* kTremoraDescription =
    "Measures how the error of a trained back-propagation network grows when noise is\n"
    "added to each input in turn, at every noise level of noise.cfg (the number of\n"
    "perturbations per pattern, then the levels).  Writes the errors to test.err and\n"
    "shows the relative changes as a table (Data), a run description (Info) and a plot.\n"
    "noise.cfg and test.err default to the program's own folder; for an installed\n"
    "program (or a folder it cannot write), to ~/.config/neural-toolkit/noise.cfg (made\n"
    "from the installed default the first time) and ~/.local/share/neural-toolkit/test.err\n"
    "($XDG_CONFIG_HOME and $XDG_DATA_HOME when set).\n"
    "Exit status: 0 done; 1 a bad file (named with the item where it went wrong), an\n"
    "overflow, a base error of 0 (test.err is complete then), or a bad command line.";

// Adds --fixed, --noise, --results, --plot, PATTERNS and WEIGHTS to "parser".
void addBatchOptions(QCommandLineParser& parser);

// One analysis from the processed command line (a pattern file and a
// weights file): progress on a terminal's standard error, the Data and Info
// pages on standard output, the plot saved when asked for and there is one
// ("scale" times as large for a bitmap).
// Returns 0, or 1 after a usage error for a --plot name that names no
// picture format; throws what the analysis throws.
int runBatch(const QCommandLineParser& parser, int scale);

// The window program: idle until Start, Exit ends it.
int runWindowProgram(QApplication& app);

}  // namespace tremora

#endif  // EBP_TREMORA_FRONT_END_H_
