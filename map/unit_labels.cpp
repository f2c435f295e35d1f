#include "map/unit_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "common/errors.h"
#include "common/grid.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "common/rounding.h"
#include "common/strings.h"
#include "map/draw/labels.h"
#include "map/draw/lattice.h"
#include "map/som_files.h"

namespace map {
namespace {

// A record's row or column as an index, checked against the map.
int indexOf(double value, common::Bounds bounds, const char* what, const BmuReader& bmu) {
  const double i = common::roundHalfEven(value);
  if (!(i >= bounds.lo && i <= bounds.hi)) {
    throw common::makeError(common::Fault::kSubscriptOutOfRange, bmu.fileName(),
                            "record " + std::to_string(bmu.recordsRead()),
                            std::string(what) + " " + common::generalForm(value, 15) +
                                " is outside " + std::to_string(bounds.lo) + ".." +
                                std::to_string(bounds.hi));
  }
  return static_cast<int>(i);
}

void warnOffMap(const PassContext& pass, long count, long firstLine) {
  const draw::SomGrid& grid = pass.state.grid;
  common::warn(kProgram, pass.state.bmuFile,
               std::to_string(count) + " of " + common::generalForm(pass.state.nObjects, 15) +
                   " objects lie in row or column 0, outside the map's rows 1.." +
                   std::to_string(grid.nRows) + " and columns 1.." + std::to_string(grid.nCols) +
                   " (the first on line " + std::to_string(firstLine) +
                   "): they are left off the picture; rows and columns count from 1");
}

void printCentred(surface::Surface& picture, const std::string& text, double x, double y,
                  double lift) {
  picture.setCurrentPoint(x - picture.textWidth(text) / 2, y - lift * picture.textHeight(text));
  picture.print(text);
}

}  // namespace

std::vector<LabelLine> labelLines(std::string_view unitLabels, bool countPatterns,
                                  bool blankUnits) {
  std::string s(common::trimBlanks(unitLabels));
  int n = draw::countLabels(s);
  std::array<double, 3> lift{};
  if (n == 1) {
    lift = {0.45};
  } else if (n == 2) {
    lift = {0.85, 0.05};
  } else if (n >= 3) {
    lift = {1.1, 0.4, -0.2};
  }
  if (countPatterns) {
    s = std::to_string(n);
    lift[0] = 0.45;
    n = 1;
  }
  if (blankUnits) {  // tested second, so it wins over the count
    s.clear();
    lift[0] = 0.45;
    n = 1;
  }
  std::vector<LabelLine> lines;
  for (int k = 1; k <= n && k <= 3; ++k) {
    std::string t;
    if (k == n) {
      t = common::trimBlanks(s);
    } else if (k <= 2) {
      const std::size_t blank = s.find(' ');
      t = s.substr(0, blank);
      s = blank == std::string::npos ? std::string() : s.substr(blank + 1);
    } else {
      t = "...";
    }
    lines.push_back({t, lift[static_cast<std::size_t>(k - 1)]});
  }
  return lines;
}

void writeLabels(PassContext& pass) {
  const draw::SomGrid& grid = pass.state.grid;
  surface::Surface& picture = pass.picture;
  picture.setFontName("Arial");
  picture.setFontSize(pass.settings.hexSize > 550 ? 7 + pass.settings.hexSize / 550 : 7);

  const common::Bounds rows{0, grid.nRows};
  const common::Bounds cols{0, grid.nCols};
  common::Grid2<std::vector<std::string>>& unitLabels = pass.state.unitLabels;
  unitLabels = common::Grid2<std::vector<std::string>>(rows, cols);
  BmuReader bmu(pass.state.bmuFile);
  long offMap = 0;
  long firstOffLine = 0;
  for (double i = 1; i <= pass.state.nObjects; ++i) {
    const BmuRecord record = bmu.next();
    const int row = indexOf(record.row, rows, "row", bmu);
    const int col = indexOf(record.col, cols, "column", bmu);
    unitLabels(row, col).push_back(record.label);
    // Row and column 0 are kept but never drawn: a file counted from 0 loses
    // its objects in silence.
    if (row == 0 || col == 0) {
      if (offMap++ == 0) firstOffLine = record.line;
    }
  }
  if (offMap > 0) warnOffMap(pass, offMap, firstOffLine);
  if (pass.controls.histogram || pass.controls.outline) return;

  for (int row = 1; row <= grid.nRows; ++row) {
    for (int col = 1; col <= grid.nCols; ++col) {
      picture.setPenColour(common::kBlack);
      const draw::MapPoint centre = draw::hexCentre(row, col);
      std::string labels;  // " label" per object, as the picture counts them
      for (const std::string& label : unitLabels(row, col)) labels += " " + label;
      for (const LabelLine& line :
           labelLines(labels, pass.controls.countPatterns, pass.controls.blankUnits)) {
        printCentred(picture, line.text, centre.x, centre.y, line.lift);
      }
    }
  }
}

}  // namespace map
