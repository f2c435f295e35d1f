// The options dialog's controls as the drawing pass sees them, and the run
// state the pass shares with the dialog and the drawing routines.
//
// The pass reads the controls while it runs and may write some back (the
// variable and column boxes); the dialog, or batch mode, fills them.
#ifndef MAP_CONTROLS_H_
#define MAP_CONTROLS_H_

#include <optional>
#include <string>
#include <vector>

#include "common/colour.h"
#include "common/figure_options.h"
#include "common/grid.h"
#include "map/draw/som_grid.h"

namespace map {

inline constexpr const char* kDefaultPicture = "Favomap_output.bmp";

// The program's name in its warnings.
inline constexpr const char* kProgram = "Favomap5";

// The dialog's four output options, (1) to (4).
enum class MapOption {
  kPlain = 0,      // (1) object labels on white units
  kVariables = 1,  // (2) the SOM's own variables
  kExternal = 2,   // (3) an external variable
  kClasses = 3,    // (4) class colours
};

struct MapControls {
  std::string visfile;    // .bmu file name
  std::string codfile;    // .wgt file name, option (2)
  std::string datfile;    // data file name, option (3)
  std::string classfile;  // class file name, option (4)
  MapOption option = MapOption::kPlain;
  bool outline = false;        // Check1
  bool distance = false;       // Check2
  bool countPatterns = false;  // Check3, "n. of BM patterns"
  bool blankUnits = false;     // Check4, "SOM units: blank"
  bool histogram = false;      // hist_on
  bool connect = false;        // Connect, read by the series
  std::string colcod;          // variable number, option (2)
  std::string nvarext = "1";   // data column, option (3)
  bool nvarextEnabled = false;
  std::string first;  // first pattern of the series
  std::string num;    // patterns in the series
  std::string bmpout = kDefaultPicture;
  int pictureScale = 1;     // not a control: batch mode's --scale for the saved bitmap
  bool keepShapes = false;  // not a control: the window keeps the drawing for its menu
  bool dataHeader = false;  // not a control: batch mode's --data-header
  // Not a control: batch mode's --style, --size and --title for the saved picture.
  common::FigureSettings figure;
  std::string classNamesFile;  // not a control: --class-names, a class's name a line
};

// How a variable map of options (2) and (3) colours its units: the
// variable's name, its smallest and largest value, and the colours of
// evenly spaced places from the smallest (first) to the largest (last).
struct ColourScale {
  std::string name;
  float minimum = 0;
  float maximum = 0;
  std::vector<common::Colour> ramp;
};

struct RunState {
  std::string bmuFile;
  std::string wgtFile;
  std::string dataFile;
  bool dataHeader = false;  // the data file's first line holds column names
  std::string clsFile;
  MapOption mapOption = MapOption::kPlain;
  double nObjects = 0;
  draw::SomGrid grid;  // nRows, nCols, rowLo, colLo, nVars, weights, maxDist
  common::Grid2<float> interpGrid;
  int nExt = 0;
  // (row, col) from 0: the labels of the unit's objects, in the file's order.
  common::Grid2<std::vector<std::string>> unitLabels;
  common::Grid2<int> unitClasses;  // (row, col): option (4)'s class per unit
  // (row, col) from 1: the colour each unit was filled with.
  common::Grid2<common::Colour> unitColours;
  std::optional<ColourScale> colourScale;  // options (2) and (3) as one colour map
};

}  // namespace map

#endif  // MAP_CONTROLS_H_
