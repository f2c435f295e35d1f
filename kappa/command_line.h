// kappatest's command line: no argument (or --details alone) for the
// dialogue, whose files are answers to its questions; or one input, a
// confusion matrix, a file of two raters' ratings or a table of several
// raters' ratings, with its options.
#ifndef KAPPA_COMMAND_LINE_H_
#define KAPPA_COMMAND_LINE_H_

#include <string>

namespace kappa {

// What --help prints.
inline constexpr const char* kHelp =
    "usage: kappatest [--details]   (then answer its questions, or pipe the answers in)\n"
    "       kappatest MATRIX [--weights none|linear|quadratic|FILE] [--level P] [--details]\n"
    "       kappatest --ratings FILE [--header] [--weights ...] [--level P] [--details]\n"
    "       kappatest --fleiss FILE [--counts] [--header]\n"
    "       printf 'm.txt\\n3\\n\\n0\\n' | kappatest\n"
    "\n"
    "The answers, one a line, in this order:\n"
    "  1  the confusion matrix file: k x k counts in row order (rows one classifier,\n"
    "     columns the other), separated by blanks, commas or line ends\n"
    "  2  its rank k\n"
    "  3  the confidence level (0.95 when empty or 0)\n"
    "  4  weighted test: 0 no (the last answer then), 1 yes\n"
    "  5  weights: 1 linear, 2 quadratic, 3 from a file\n"
    "  6  after 3 only: the weights file (k x k numbers)\n"
    "\n"
    "The report, after the 3 banner lines and 2 empty ones: line 6 kappa, line 7 its\n"
    "two-sided p-value, line 8 the agreement word, line 10 the confidence level, lines\n"
    "11 and 12 the interval's low and high ends; then the key prompt, which does not\n"
    "wait when input is piped.  A warning on standard error says when the matrix file\n"
    "holds other than k x k numbers or proportions (all within 0..1), when weights lie\n"
    "outside 0..1, and when the level is outside 0..1 (95 for 0.95) or below 0.5 (0.05).\n"
    "Exit status: 0 done; 1 a file that cannot be read, a rank that is not a whole\n"
    "number from 1 to 10000, answers that end before the last one needed, a count below\n"
    "0 or above 2^53, or a bad command line.\n"
    "\n"
    "kappatest --details  adds, after the report: po, pe, the largest kappa the marginals\n"
    "allow, PABAK, for 2 x 2 the prevalence and bias indices, SE, SE0, z, its two-sided\n"
    "p-value from the normal tail in full (where p(kappa) prints 0), the standard error\n"
    "of Fleiss, Cohen and Everitt (1969) that textbooks and other tools use, with its\n"
    "interval, and each category's kappa against all others, one name<TAB>value a line.\n"
    "\n"
    "Without questions and without waiting for a key:\n"
    "  MATRIX          the confusion matrix file, its rank k from its count of numbers\n"
    "                  (k x k); prints the report from its kappa line to its high end\n"
    "  --weights W     none (the default), linear, quadratic, or a file of k x k weights\n"
    "  --level P       the interval's confidence level, strictly between 0 and 1 (0.95)\n"
    "  --details       the name<TAB>value lines above, after the report\n"
    "  --ratings FILE  two raters' labels of each case, a line a case: rater A, rater B\n"
    "                  (words or numbers, separated by blanks or a comma); prints the\n"
    "                  confusion matrix over the sorted labels (rows A, columns B), then\n"
    "                  the report.  Linear and quadratic weights take numbers as labels\n"
    "                  and weigh by their order\n"
    "  --header        the first line of the --ratings or --fleiss file holds names\n"
    "  --fleiss FILE   several raters: a line a subject, a label from each rater; prints\n"
    "                  Fleiss' kappa, its standard error under the null hypothesis\n"
    "                  (Fleiss, Nee and Landis 1979), z, the two-sided p-value and each\n"
    "                  category's kappa, one name<TAB>value a line\n"
    "  --counts        the --fleiss file holds, a line a subject, how many raters chose\n"
    "                  each category (a column a category), every line the same total\n"
    "Undefined values print as nan.  A file that cannot be read, a count of numbers in\n"
    "MATRIX that is no square, labels that are not numbers with linear or quadratic\n"
    "weights, and subjects rated by different numbers of raters stop the run with exit\n"
    "status 1, the file and the line named.\n";

// What the command line asks for.  With no input (matrix, ratings and
// fleiss all empty) the dialogue runs.
struct Arguments {
  std::string matrix;   // MATRIX: a confusion matrix file
  std::string ratings;  // --ratings FILE: two raters' labels of each case
  std::string fleiss;   // --fleiss FILE: several raters' labels (or counts) of each subject
  std::string weights;  // --weights W: "" when not given
  double level = 0.95;  // --level P
  bool levelGiven = false;
  bool details = false;  // --details
  bool header = false;   // --header: the first line of the file holds names
  bool counts = false;   // --counts: the --fleiss file holds counts per category
};

// Parses argv[1 .. argc-1] into "args".  Returns what is wrong with it, or
// "" when nothing is: an unknown option, an option without its value, a
// second input, options for another input (--weights or --level without
// MATRIX or --ratings, --header without --ratings or --fleiss, --counts
// without --fleiss, --weights, --level or --details with --fleiss), or a
// level not strictly between 0 and 1.
std::string parseArguments(int argc, const char* const* argv, Arguments& args);

}  // namespace kappa

#endif  // KAPPA_COMMAND_LINE_H_
