#include "map/outline_map.h"

#include <string>
#include <vector>

#include "common/errors.h"
#include "map/draw/distance.h"
#include "map/draw/drawhex.h"
#include "map/draw/outlines.h"
#include "map/som_files.h"

namespace map {

std::string drawoutlines(PassContext& pass) {
  draw::SomGrid& grid = pass.state.grid;
  readOutlineCoefficients(pass.state.wgtFile, grid);
  const Settings& s = pass.settings;
  if (pass.controls.distance) {
    grid.maxDist = draw::maxdistance(grid, grid.nCols, grid.nRows, grid.nVars, s.distPref);
  }
  const double w = pass.controls.distance ? s.distPref : draw::kPlainSides;
  for (int col = grid.colLo; col <= grid.nCols; ++col) {
    for (int row = grid.rowLo; row <= grid.nRows; ++row) {
      draw::drawhex(pass.picture, grid, sidesOf(s), row, col, 255, 255, 255, w);
    }
  }
  std::vector<float> coefficients(static_cast<std::size_t>(std::max(grid.nVars, 0)));
  for (int row = grid.rowLo; row <= grid.nRows; ++row) {
    for (int col = grid.colLo; col <= grid.nCols; ++col) {
      for (int k = 1; k <= grid.nVars; ++k) {
        coefficients[static_cast<std::size_t>(k - 1)] = grid.weights(col, row, k);
      }
      draw::drawOutline(pass.picture, row, col, coefficients);
    }
  }
  return "Favomap [" + pass.state.bmuFile + ", " + pass.state.wgtFile + ", outlines]";
}

}  // namespace map
