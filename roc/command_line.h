// rocplot's command line: FILE [roc] [--picture FILE] [--scale N] [--table FILE]
// [--report] [--compare OTHER] [--level P] [--header], or several files with
// --figure or --report, as kUsage shows it.
#ifndef ROC_COMMAND_LINE_H_
#define ROC_COMMAND_LINE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace roc {

// The usage line and the rest of --help.
constexpr const char* kUsage =
    "usage: rocplot FILE [roc] [--picture FILE.bmp|.png|.svg|.pdf] [--scale N] [--table FILE]\n"
    "               [--report] [--compare OTHER] [--level P] [--header]\n"
    "       rocplot FILE FILE... [--figure FILE.png|.svg|.pdf] [--names LIST] [--report]\n";

constexpr const char* kHelp =
    "Evaluates a binary classifier from a file of (score, observed class) records.\n"
    "\n"
    "  FILE             records of a score (0 to 1) and a class (1 positive, 0 negative),\n"
    "                   separated by commas, blanks, tabs or line ends\n"
    "  roc              also write the curve's points to roc.prn in the current folder\n"
    "  --picture FILE   save the picture as a bitmap (or PNG when FILE ends in .png), or as\n"
    "                   a drawing with real text when FILE ends in .svg or .pdf\n"
    "  --scale N        a bitmap N times as wide and tall, drawn smooth (1 to 8; 1 is the\n"
    "                   exact picture)\n"
    "  --table FILE     the numbers behind the picture, tab-separated, a row per threshold:\n"
    "                   threshold, TP, FN, FP, TN, TPR, FPR, distance, MCC\n"
    "  --report         print name<TAB>value lines: records, positives, negatives, the\n"
    "                   picture's AUC and best point (and thresholds tied with it), the\n"
    "                   exact AUC (Mann-Whitney) with its DeLong SE and interval, and the\n"
    "                   threshold with the largest Youden J\n"
    "  --compare OTHER  compare with OTHER, another classifier's scores of the same cases\n"
    "                   (same records, same classes): both exact AUCs, the difference, its\n"
    "                   DeLong paired SE, z, two-sided p and interval\n"
    "  --unpaired       with --compare: OTHER holds other cases (its own records and\n"
    "                   classes); DeLong's unpaired test, the variances summed\n"
    "  --method M       with --compare: delong (the default) or bootstrap, which adds\n"
    "                   the bootstrap test of the difference beside DeLong's (resamples\n"
    "                   as --bootstrap and --seed say): boot_difference_se,\n"
    "                   boot_difference_low/high, boot_z, boot_p\n"
    "  --level P        the intervals' confidence level, strictly between 0 and 1 (0.95)\n"
    "  --bootstrap N    N stratified bootstrap resamples (positives and negatives drawn\n"
    "                   apart; 2000 when only --se-at, --sp-at or --partial-fpr asks for\n"
    "                   them): prints the percentile intervals of the exact AUC and of\n"
    "                   the Youden threshold, exact_auc_boot_low/high and\n"
    "                   youden_threshold_boot_low/high\n"
    "  --seed S         the resamples' seed, a whole number (1): the same seed gives the\n"
    "                   same intervals on any number of cores\n"
    "  --se-at LIST     the sensitivity at each of these specificities (0.9,0.95), each\n"
    "                   with its bootstrap interval\n"
    "  --sp-at LIST     the specificity at each of these sensitivities, likewise\n"
    "  --partial-fpr A:B  the area under the curve over false-positive rates A to B\n"
    "                   (0 <= A < B <= 1), raw and McClish-standardized (0.5 for chance, 1\n"
    "                   for a perfect curve), each with its bootstrap interval\n"
    "  --header         the first line of FILE (and OTHER) holds column names: left out\n"
    "                   without the warning a first line of text draws\n"
    "  --multiclass     FILE holds a classifier of K classes, a record a line: its class\n"
    "                   (0 to K-1), then its K scores (one per class, such as predicted\n"
    "                   probabilities); prints records per class, Hand and Till's M (also\n"
    "                   the one-vs-one macro AUC: hand_till_m, ovo_macro_auc), the\n"
    "                   one-vs-rest AUC of each class (ovr_auc_K) and their macro and\n"
    "                   prevalence-weighted means; --table writes each class's\n"
    "                   one-vs-rest curve (class, threshold, fpr, tpr).  Takes --table and\n"
    "                   --header only; no picture, no window\n"
    "  --figure FILE    write the paper figure to FILE (.png at --scale, .svg or .pdf):\n"
    "                   axes with ticks and titles, the exact empirical curve of each input\n"
    "                   file (a step per distinct score, tied scores a slanted segment),\n"
    "                   its best point with its threshold, and a legend row each with the\n"
    "                   exact AUC and its DeLong interval at --level\n"
    "  --style S        exact (the default: the picture above) or paper, which makes\n"
    "                   --picture FILE the paper figure, as --figure FILE does\n"
    "  --names LIST     the curves' names, one per input file, separated by commas (the\n"
    "                   file names without their folder)\n"
    "  --title TEXT     a title over the paper figure\n"
    "  --size WxH       the paper figure's size in centimetres, each above 0 and at most\n"
    "                   100 (12x12)\n"
    "  --ci-band        shade on the paper figure the stratified bootstrap interval of the\n"
    "                   sensitivity at 100 specificities evenly spaced from 0 to 1, at\n"
    "                   --level, resamples as --bootstrap and --seed say\n"
    "\n"
    "Several input files (three or more, or two with --figure or --names) are\n"
    "classifiers to compare, each read as FILE is; they need --figure or --report,\n"
    "and take neither roc, --picture, --table, --compare nor --multiclass.  No\n"
    "window opens and no key is awaited.  --report prints for each file the line\n"
    "file<TAB>NAME, then the lines it prints for one file; then for every two files\n"
    "the line pair<TAB>A<TAB>B, then DeLong's paired test as --compare prints it\n"
    "(first_auc ... p) when the two hold the same records (as many, the same classes\n"
    "in the same order), else skipped<TAB>where they part.\n"
    "\n"
    "The picture shows the ROC curve, the best operating point with its rates,\n"
    "Matthews coefficient and distance from the diagonal, the AUC and the confusion\n"
    "matrix.  With a display it opens in a window that a key press closes; without\n"
    "one the program waits for a key on the terminal (not when input is redirected).\n"
    "Warnings on standard error name what in FILE the results may not survive: scores\n"
    "outside 0..1, classes other than 0 and 1, scores that are not numbers, a line\n"
    "holding an odd count of numbers (pairs are read across lines).\n"
    "Exit status: 0 done, 1 bad command line (an unknown option, a\n"
    "--scale, --level, --bootstrap, --seed, --se-at, --sp-at, --partial-fpr,\n"
    "--method, --style, --names or --size out of range, --unpaired or --method\n"
    "without --compare, --multiclass with another option than --table and --header,\n"
    "several input files with an option they do not take or without --figure and\n"
    "--report, --names of another count than the input files, --ci-band, --title or\n"
    "--size without the paper style), an input file\n"
    "that cannot be read, a token that is not a number, a --compare file that does not\n"
    "match (unless --unpaired), or an output that cannot be written (the picture,\n"
    "--table, roc.prn or the figure; none is replaced then).\n";

// The paper figure the command line asks for, as the drawing takes it.
struct FigureRequest {
  bool paper = false;                  // --style paper, or --figure: axes, legend, exact curves
  std::string path;                    // --figure FILE, or --picture FILE with --style paper
  std::vector<std::string> names;      // --names: one per input file; empty: the file names
  std::string title;                   // --title TEXT; empty: none
  double widthCm = 12, heightCm = 12;  // --size WxH, each above 0 and at most 100
  bool ciBand = false;                 // --ci-band: the bootstrap band of the sensitivity
};

struct Arguments {
  // The input file, then "roc" or anything else; or, with several files
  // ("several"), each input file.
  std::vector<std::string> positional;
  std::string picture;                    // --picture FILE in the exact style; empty when not given
  int scale = 1;                          // --scale N, 1 to 8
  std::string table;                      // --table FILE; empty when not given
  bool report = false;                    // --report
  std::string compare;                    // --compare OTHER; empty when not given
  double level = 0.95;                    // --level P, between 0 and 1
  bool header = false;                    // --header: the first line holds column names
  long bootstrap = 0;                     // --bootstrap N; 0 when not given
  std::uint64_t seed = 1;                 // --seed S
  std::vector<double> seAt;               // --se-at: specificities, 0 to 1
  std::vector<double> spAt;               // --sp-at: sensitivities, 0 to 1
  bool unpaired = false;                  // --unpaired
  bool bootstrapMethod = false;           // --method bootstrap
  bool partial = false;                   // --partial-fpr given
  bool multiclass = false;                // --multiclass: records of a class and K scores
  double partialFrom = 0, partialTo = 1;  // its band of false-positive rates
  FigureRequest figure;                   // --figure, --style, --names, --title, --size, --ci-band
  // The positional arguments are several input files: three or more, or two
  // with --figure or --names, the second not "roc" (two alone keep their old
  // meaning: the file, then "roc" or anything else).
  bool several = false;
  std::string problem;  // what parseArguments found wrong, when it can say

  // The input files: every positional argument with several files, else the first.
  std::vector<std::string> inputFiles() const;
  // The curves' names, one per input file: --names, else each file's name
  // without its folder.
  std::vector<std::string> curveNames() const;
  // Whether a bootstrap quantity is asked for.
  bool wantsBootstrap() const { return bootstrap > 0 || !seAt.empty() || !spAt.empty() || partial; }
  // The resamples to draw: --bootstrap N, else 2000.
  long resamples() const { return bootstrap > 0 ? bootstrap : 2000; }
};

// Parses argv[1 .. argc-1]; false when there is no input file, an unknown
// option (an argument starting with "-"), a --scale that is not a whole number from 1 to 8, a
// --level not strictly between 0 and 1 (or too close to 1 for an interval), or
// --picture, --table, --report or --compare before the input file, a
// --bootstrap that is not a whole number from 1 to 1000000, a --seed that is
// not a whole number from 0 to 2^64 - 1, or a --se-at or --sp-at list that
// holds anything but numbers from 0 to 1 separated by commas, or a
// --partial-fpr that is not A:B with 0 <= A < B <= 1, a --method other than
// delong and bootstrap, --unpaired or --method without --compare, or
// --multiclass with any option but --table and --header, several input
// files with roc, --picture, --table, --compare or --multiclass or with
// neither --figure nor --report, a --style other than exact and paper,
// --figure with --style exact, --style paper with no file to draw into, a
// --names list of empty names or of another count than the input files, a
// --size other than WxH in (0, 100], or --ci-band, --title or --size
// without the paper style.  For an
// unknown option, a bad value of the options after --level, and every
// conflict of the figure options and of several input files, "args.problem"
// says which.  With --style paper, --picture FILE becomes the figure's path
// (args.picture is left empty: no exact picture is drawn).
bool parseArguments(int argc, const char* const* argv, Arguments& args);

}  // namespace roc

#endif  // ROC_COMMAND_LINE_H_
