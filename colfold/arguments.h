// Colfold's command line: its help, and the five texts it gives (input
// file, output file, number of input nodes, number of output nodes, number
// of patterns).
#ifndef COLFOLD_ARGUMENTS_H_
#define COLFOLD_ARGUMENTS_H_

#include <array>
#include <string>
#include <vector>

namespace colfold {

using Fields = std::array<std::string, 5>;

// What --help prints.
inline constexpr const char* kHelp =
    "usage: Colfold <file input> <file output> <n inputs> <n outputs> <n patterns>\n"
    "       Colfold   (then answer its questions, or pipe the answers in)\n"
    "\n"
    "Writes every number of the input table (separated by blanks, tabs, commas or line\n"
    "ends; an empty field is 0) on a line of its own, after three lines holding the\n"
    "three counts as given: the layout of a pattern file.  The output replaces an old\n"
    "file only when complete.  A warning on standard error says when a count is not a\n"
    "whole number or the table holds other than (inputs + outputs) x patterns numbers.\n"
    "Exit status: 0 done; 1 an input that cannot be read, a field that is not a number,\n"
    "an output that cannot be written, an option, or more than five fields (the\n"
    "arguments cut at blanks).\n";

// The command line's fields: the arguments are joined with single blanks and
// trimmed; four fields are cut from the front, each at the first blank (a
// field is empty, and the text left alone, when no blank is left); the fifth
// is everything after the first blank still in the text (all of it when there
// is none), leading blanks removed.  So four arguments leave the fourth field
// empty and give the fourth argument as the fifth; a sixth argument and any
// after it become the fifth field, the fifth argument being lost.
Fields splitCommandLine(const std::vector<std::string>& arguments);

// What is wrong with the command line "arguments", or "" when nothing is:
// an option (an argument that starts with "--", or with "-" and a letter;
// --help and --version come alone and are answered before), or more than
// the five fields (counted after the arguments are cut at blanks, as
// splitCommandLine cuts them), whose surplus would shift the header.
std::string commandLineFault(const std::vector<std::string>& arguments);

}  // namespace colfold

#endif  // COLFOLD_ARGUMENTS_H_
