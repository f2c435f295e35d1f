#include "map/variable_maps.h"

#include <array>
#include <cmath>
#include <string>

#include "common/errors.h"
#include "common/rounding.h"
#include "map/draw/distance.h"
#include "map/draw/drawhex.h"
#include "map/draw/hexmean.h"
#include "map/draw/lattice.h"
#include "map/outline_map.h"
#include "map/som_files.h"

namespace map {
namespace {

// vmin and vmax start here, as singles: 9e9 rounds to 8999999488.
constexpr float kStartMin = 9000000000.0f;
constexpr float kStartMax = -9000000000.0f;

struct Range {
  float vmin = kStartMin;
  float vmax = kStartMax;
  void take(float v) {
    if (v > vmax) vmax = v;
    if (v < vmin) vmin = v;
  }
  // The place of v in the range, 0 to 1; 0 for every value of an empty range.
  double position(float v) const {
    if (vmax == vmin) return 0.0;
    return (static_cast<double>(v) - vmin) / (static_cast<double>(vmax) - vmin);
  }
};

// A colour component or an index from a number: roundHalfEven, as an integer.
int roundedInt(double v) { return static_cast<int>(common::roundHalfEven(v)); }

// Distance checked: sides as wide as the dissimilarities in the settings'
// measure; otherwise plain sides.
double sideMode(const PassContext& pass) {
  return pass.controls.distance ? pass.settings.distPref : draw::kPlainSides;
}

// The colour of a unit at place f (0 to 1) of the variable's range, by
// the settings' colour modes.
std::array<int, 3> variableColour(const Settings& s, double f) {
  const int pale = 255 - roundedInt(96 * f);
  const int red = s.redMode == 0 ? 255 : pale;
  const int green = s.greenMode == 0 ? 255 - roundedInt(255 * f) : pale;
  const int blue = s.blueMode == 0 ? roundedInt(255 * f) : pale;
  return {red, green, blue};
}

// The grey of a unit at place f (0 to 1) of an external variable's range:
// low values white, the highest mid grey.
int externalGrey(double f) { return 255 - roundedInt(128 * f); }

// The colours of "steps" evenly spaced places from 0 to 1 by "colourAt".
template <typename ColourAt>
std::vector<common::Colour> rampOf(ColourAt colourAt) {
  constexpr int kSteps = 33;
  std::vector<common::Colour> ramp;
  for (int i = 0; i < kSteps; ++i) ramp.push_back(colourAt(static_cast<double>(i) / (kSteps - 1)));
  return ramp;
}

std::string singleVariableMap(PassContext& pass, int var) {
  draw::SomGrid& grid = pass.state.grid;
  Range range;
  for (int col = 1; col <= grid.nCols; ++col) {
    for (int row = 1; row <= grid.nRows; ++row) range.take(grid.weights(col, row, var));
  }
  const Settings& s = pass.settings;
  for (int col = 1; col <= grid.nCols; ++col) {
    for (int row = 1; row <= grid.nRows; ++row) {
      const double f = range.position(grid.weights(col, row, var));
      const std::array<int, 3> c = variableColour(s, f);
      paintUnit(pass, row, col, c[0], c[1], c[2], sideMode(pass));
    }
  }
  pass.state.colourScale =
      ColourScale{"Variable " + std::to_string(var), range.vmin, range.vmax, rampOf([&](double f) {
                    const std::array<int, 3> c = variableColour(s, f);
                    return draw::fillColour(c[0], c[1], c[2]);
                  })};
  return "Favomap [" + pass.state.bmuFile + ", " + pass.state.wgtFile + ", var. #" +
         std::to_string(var) + "]";
}

std::string histograms(PassContext& pass) {
  draw::SomGrid& grid = pass.state.grid;
  const Settings& s = pass.settings;
  Range range;
  for (int col = 1; col <= grid.nCols; ++col) {
    for (int row = 1; row <= grid.nRows; ++row) {
      for (int k = 1; k <= grid.nVars; ++k) range.take(grid.weights(col, row, k));
    }
  }
  for (int col = 1; col <= grid.nCols; ++col) {
    for (int row = 1; row <= grid.nRows; ++row) {
      draw::drawhex(pass.picture, grid, sidesOf(s), row, col, 255, 255, 255, sideMode(pass));
    }
  }
  surface::Surface& picture = pass.picture;
  for (int row = 1; row <= grid.nRows; ++row) {
    for (int col = 1; col <= grid.nCols; ++col) {
      const double left = col + draw::rowOffset(row) - 0.4;
      const double bottom = 0.87 * row + 0.56 + 0.3;
      const double bw = 0.8 / grid.nVars;
      picture.line(left, bottom, left + 0.8, bottom - 0.6, s.boxColor, surface::LineKind::kBox);
      for (int k = 1; k <= grid.nVars; ++k) {
        const double f = range.position(grid.weights(col, row, k));
        const double x0 = left + (k - 1) * bw;
        const double x1 = left + k * bw;
        if (s.boxColor != 0) {
          picture.line(x0, bottom, x1, bottom - 0.6, s.boxColor, surface::LineKind::kBox);
        }
        const common::Colour bar = k % 2 == 0 ? s.barColorEven : s.barColorOdd;
        if (s.histFlip == 0) {
          picture.line(x0, bottom, x1, bottom - 0.6 * f, bar, surface::LineKind::kFilledBox);
        } else {
          picture.line(x0, bottom - 0.6, x1, bottom - 0.6 + 0.6 * f, bar,
                       surface::LineKind::kFilledBox);
        }
      }
    }
  }
  return "Favomap [" + pass.state.bmuFile + ", " + pass.state.wgtFile + ", all vars histogram]";
}

}  // namespace

std::string drawVariableMap(PassContext& pass) {
  if (pass.controls.outline) return drawoutlines(pass);
  draw::SomGrid& grid = pass.state.grid;
  readWeights(pass.state.wgtFile, grid);
  if (grid.nVars < 1) {
    throw common::makeError(common::Fault::kSubscriptOutOfRange, pass.state.wgtFile, "line 2",
                            "the header gives " + std::to_string(grid.nVars) +
                                " values per unit: there is no variable to draw");
  }
  int var = 0;
  if (!pass.controls.histogram) {
    var = roundedInt(common::leadingNumber(pass.controls.colcod));
    if (var > grid.nVars) {
      pass.controls.colcod = std::to_string(grid.nVars);
      var = grid.nVars;
    } else if (var < 1) {
      pass.controls.colcod = "1";
      var = 1;
    }
  }
  grid.maxDist =
      draw::maxdistance(grid, grid.nCols, grid.nRows, grid.nVars, pass.settings.distPref);
  if (pass.controls.histogram) return histograms(pass);
  return singleVariableMap(pass, var);
}

namespace {

// The column of the data file that option (3) shows, from the nvarext box:
// "1" when empty, the last column (written back) above it; below 1 the text
// stays as typed and the first column is shown.
int chosenColumn(MapControls& controls, int nExt) {
  if (controls.nvarext.empty()) controls.nvarext = "1";
  const int col = roundedInt(common::leadingNumber(controls.nvarext));
  if (col > nExt) {
    controls.nvarext = std::to_string(nExt);
    return nExt;
  }
  return col < 1 ? 1 : col;
}

// The range of column "col" over the objects' values.
Range columnRange(const RunState& state, int col) {
  Range range;
  InputFile data(state.dataFile, state.dataHeader);
  for (double object = 1; object <= state.nObjects; ++object) {
    for (int j = 1; j <= state.nExt; ++j) {
      const float v = data.items().readSingle();
      if (j == col) range.take(v);
    }
  }
  return range;
}

// Each unit's mean of column "col" over the objects mapped to it, read
// alongside the .bmu records until either file ends; kMissing for a unit
// with none.
common::Grid2<float> unitMeans(const RunState& state, int col) {
  const common::Bounds cols{state.grid.colLo, state.grid.nCols};
  const common::Bounds rows{state.grid.rowLo, state.grid.nRows};
  common::Grid2<float> values(cols, rows, 0.0f);
  common::Grid2<int> unitCounts(cols, rows, 0);
  BmuReader bmu(state.bmuFile, BmuReader::Header::kSkipThreeLines);
  InputFile data(state.dataFile, state.dataHeader);
  ItemReader& in = data.items();
  do {
    const BmuRecord record = bmu.next();
    float v = 0;
    for (int j = 1; j <= state.nExt; ++j) {
      const float value = in.readSingle();
      if (j == col) v = value;
    }
    const int c = roundedInt(record.col);
    const int r = roundedInt(record.row);
    if (!cols.contains(c) || !rows.contains(r)) {
      throw common::makeError(
          common::Fault::kSubscriptOutOfRange, state.bmuFile,
          "record " + std::to_string(bmu.recordsRead()),
          "unit (" + std::to_string(r) + ", " + std::to_string(c) + ") is outside the map");
    }
    values(c, r) = values(c, r) + v;
    unitCounts(c, r) += 1;
  } while (!bmu.atEnd() && !in.atEnd());
  for (int c = cols.lo; c <= cols.hi; ++c) {
    for (int r = rows.lo; r <= rows.hi; ++r) {
      const int n = unitCounts(c, r);
      values(c, r) = n == 0 ? draw::kMissing : values(c, r) / static_cast<float>(n);
    }
  }
  return values;
}

}  // namespace

std::string drawExternalMap(PassContext& pass) {
  RunState& state = pass.state;
  bool enable = false;
  state.nExt = measureDataFile(state.dataFile, state.nObjects, enable, state.dataHeader);
  if (enable) pass.controls.nvarextEnabled = true;
  const int col = chosenColumn(pass.controls, state.nExt);
  const Range range = columnRange(state, col);
  common::Grid2<float> values = unitMeans(state, col);
  draw::fillMissing(values);
  state.interpGrid = values;

  const draw::SomGrid& grid = state.grid;
  for (int c = grid.colLo; c <= grid.nCols; ++c) {
    for (int r = grid.rowLo; r <= grid.nRows; ++r) {
      const int grey = externalGrey(range.position(values(c, r)));
      paintUnit(pass, r, c, grey, grey, grey, draw::kPlainSides);
    }
  }
  state.colourScale =
      ColourScale{"Column " + std::to_string(col), range.vmin, range.vmax, rampOf([](double f) {
                    const int grey = externalGrey(f);
                    return draw::fillColour(grey, grey, grey);
                  })};
  return "Favomap [" + state.bmuFile + ", " + state.dataFile + "]";
}

}  // namespace map
