// rocplot's command line: FILE [roc] [--picture FILE].
#ifndef ROC_COMMAND_LINE_H_
#define ROC_COMMAND_LINE_H_

#include <string>
#include <vector>

namespace roc {

// The usage line and the rest of --help.
constexpr const char* kUsage = "usage: rocplot FILE [roc] [--picture FILE.bmp|FILE.png]\n";

constexpr const char* kHelp =
    "Evaluates a binary classifier from a file of (score, observed class) records.\n"
    "\n"
    "  FILE             records of a score (0 to 1) and a class (1 positive, 0 negative),\n"
    "                   separated by commas, blanks, tabs or line ends\n"
    "  roc              also write the curve's points to roc.prn in the current folder\n"
    "  --picture FILE   save the picture as a bitmap (or PNG when FILE ends in .png)\n"
    "\n"
    "The picture shows the ROC curve, the best operating point with its rates,\n"
    "Matthews coefficient and distance from the diagonal, the AUC and the confusion\n"
    "matrix.  With a display it opens in a window that a key press closes; without\n"
    "one the program waits for a key on the terminal (not when input is redirected).\n"
    "Exit status: 0 done, 1 bad command line or unreadable input file.\n";

struct Arguments {
  std::vector<std::string> positional;  // the input file, then "roc" or anything else
  std::string picture;                  // --picture FILE; empty when not given
};

// Parses argv[1 .. argc-1]; false when there is no input file, or --picture
// comes without a file or before the input file.
bool parseArguments(int argc, const char* const* argv, Arguments& args);

}  // namespace roc

#endif  // ROC_COMMAND_LINE_H_
