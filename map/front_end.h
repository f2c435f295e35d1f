// Favomap5's two front ends over the drawing pass: the options dialog, and
// a batch run whose dialog values come from the command line.
#ifndef MAP_FRONT_END_H_
#define MAP_FRONT_END_H_

#include <QCommandLineParser>
#include <optional>
#include <string>
#include <vector>

#include "map/controls.h"

class QApplication;

namespace map {

// Adds the batch options (--bmu, --option, ..., --config) to "parser".
void addBatchOptions(QCommandLineParser& parser);

// Fills the dialog's values from the processed command line.  Returns what
// is wrong with it, if anything: --bmu missing, an --option other than 1 to
// 4, or an option's file missing (--wgt for option 2, --data for option 3,
// --classes for option 4).
std::optional<std::string> readControls(const QCommandLineParser& parser, MapControls& controls);

// One pass with "controls": prints the caption and the picture's path, and
// the boxes the pass corrected as the dialog would show them.  Returns 0, or
// 1 after a usage error for an --output name that names no picture format
// (told once the outputs are checked against the inputs); throws what the
// pass throws.
int runBatch(const QCommandLineParser& parser, MapControls controls);

// The window program: the options dialog until Exit or a pass that ends it.
int runDialog(QApplication& app);

}  // namespace map

#endif  // MAP_FRONT_END_H_
