// somtrain's command line: its help and the options it takes.
#ifndef SOM_COMMAND_LINE_H_
#define SOM_COMMAND_LINE_H_

#include <cstdint>
#include <string>

#include "som/column_scaling.h"
#include "som/training_table.h"

namespace som {

// What --help prints.
inline constexpr const char* kHelp =
    "usage: somtrain DATA --rows R --cols C --out PREFIX [--header] [--columns LIST]\n"
    "                [--labels K] [--classes K] [--epochs N] [--radius START:END]\n"
    "                [--init pca|random] [--seed S] [--scale-columns none|range|zscore]\n"
    "                [--history FILE] [--threads N]\n"
    "\n"
    "Trains a self-organizing map of R rows and C columns of hexagonal units, the\n"
    "lattice Favomap5 draws, on the table DATA (a line an object, its fields separated\n"
    "by blanks, tabs or commas; an empty variable field, a missing value, is refused),\n"
    "and writes PREFIX.wgt (the codebook) and PREFIX.bmu (each object's best-matching\n"
    "unit), the two files Favomap5 draws the map from (its option 2).\n"
    "\n"
    "  --rows R, --cols C  the map's size (each at least 1)\n"
    "  --out PREFIX        the outputs' names, without their endings\n"
    "  --header            the first line of DATA holds column names\n"
    "  --columns LIST      the variables, as column numbers such as 1,3-5 (every\n"
    "                      column but those of --labels and --classes by default)\n"
    "  --labels K          column K holds the objects' labels, written into the .bmu\n"
    "                      (the objects are numbered 1, 2, ... otherwise)\n"
    "  --classes K         column K holds the objects' classes: PREFIX.cls gives each\n"
    "                      unit the most frequent class of its objects (the lowest\n"
    "                      number of a tie; 0 for a unit without objects), the\n"
    "                      class file of Favomap5's option 4.  Classes that are\n"
    "                      all whole numbers 1 to 15 keep their numbers; other classes\n"
    "                      are numbered 1, 2, ... in sorted order (at most 15)\n"
    "  --epochs N          the batch epochs (50)\n"
    "  --radius START:END  the Gaussian neighbourhood's radius in lattice steps,\n"
    "                      shrinking linearly from START at the first epoch to END at\n"
    "                      the last (two thirds of the map's diameter, at least 1, to 1)\n"
    "  --init pca|random   the starting codebook: the units spread over the plane of\n"
    "                      the first two principal components (pca, the default), or\n"
    "                      copies of objects drawn at random\n"
    "  --seed S            the random draw's seed, a whole number (1)\n"
    "  --scale-columns W   none (the default); range: each variable to 0..1; zscore:\n"
    "                      each to mean 0 and standard deviation 1.  The codebook is in\n"
    "                      these units, as line 1 of PREFIX.wgt says\n"
    "  --history FILE      a tab-separated table of each epoch's radius and errors\n"
    "  --threads N         threads for the best-unit search (the processors' count);\n"
    "                      the outputs are the same whatever N\n"
    "\n"
    "Each epoch finds every object's best unit, then sets each unit to the mean of the\n"
    "objects weighted by a Gaussian of the lattice distance to their best units.  On a\n"
    "terminal each epoch's radius and errors are shown on standard error.  At the end\n"
    "two name<TAB>value lines: quantization_error (the mean Euclidean distance of the\n"
    "objects to their best units) and topographic_error (the share of objects whose\n"
    "best and second best units are not neighbours).  The same input and options give\n"
    "the same files, byte for byte.\n"
    "Exit status: 0 done; 1 a table that cannot be read (a line of another count of\n"
    "fields, a value that is not a number, named by file and line), an output that\n"
    "cannot be written, more than 15 classes, or a bad command line.  Nothing is\n"
    "written then.\n";

// What the command line asks for.
struct Arguments {
  std::string data;
  std::string prefix;
  TableColumns columns;
  int rows = 0;
  int cols = 0;
  int epochs = 50;
  bool radiusGiven = false;
  double radiusStart = 0;
  double radiusEnd = 1;
  bool randomInit = false;
  std::uint64_t seed = 1;
  Scaling scaling = Scaling::kNone;
  std::string history;
  int threads = 0;  // 0: the processors' count
};

// Parses argv[1 .. argc-1] into "args".  Returns what is wrong, or "" when
// nothing is: an unknown option, an option without its value or with a
// value out of its range, no DATA or a second one, no --rows, --cols or
// --out, and a map of more units than the renderer can show.
std::string parseArguments(int argc, const char* const* argv, Arguments& args);

}  // namespace som

#endif  // SOM_COMMAND_LINE_H_
