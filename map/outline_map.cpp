#include <string>
#include <vector>

#include "common/errors.h"
#include "map/draw/distance.h"
#include "map/draw/drawhex.h"
#include "map/draw/outlines.h"
#include "map/som_files.h"
#include "map/variable_maps.h"

namespace map {

void readOutlineCoefficients(const std::string& wgtPath, draw::SomGrid& grid) {
  InputFile file(wgtPath);
  ItemReader& in = file.items();
  in.readLine();
  grid.nRows = in.readInteger();
  grid.nCols = in.readInteger();
  const int m = in.readInteger();
  checkMapSize(grid.nRows, grid.nCols, wgtPath, "line 2");
  const double announced =
      static_cast<double>(std::max(grid.nRows, 0)) * std::max(grid.nCols, 0) * std::max(m, 0);
  if (announced > static_cast<double>(in.remaining()) + 1) {
    throw common::makeError(common::Fault::kPastEndOfFile, wgtPath, in.place(),
                            "the header announces more coefficients than the file holds");
  }
  grid.nVars = m + 3;
  grid.weights = common::Grid3<float>({grid.colLo, grid.nCols}, {grid.rowLo, grid.nRows},
                                      {1, std::max(grid.nVars, 3)});
  for (int row = grid.rowLo; row <= grid.nRows; ++row) {
    for (int col = grid.colLo; col <= grid.nCols; ++col) {
      grid.weights(col, row, 1) = 1;
      grid.weights(col, row, 2) = 0;
      grid.weights(col, row, 3) = 0;
      for (int k = 4; k <= grid.nVars; ++k) grid.weights(col, row, k) = in.readSingle();
    }
  }
}

std::string drawoutlines(PassContext& pass) {
  draw::SomGrid& grid = pass.state.grid;
  readOutlineCoefficients(pass.state.wgtFile, grid);
  const Settings& s = pass.settings;
  if (pass.controls.distance) {
    grid.maxDist = draw::maxdistance(grid, grid.nCols, grid.nRows, grid.nVars, s.distPref);
  }
  const double w = pass.controls.distance ? s.distPref : -1;
  for (int col = grid.colLo; col <= grid.nCols; ++col) {
    for (int row = grid.rowLo; row <= grid.nRows; ++row) {
      draw::drawhex(pass.picture, grid, {s.distPref, s.distWidth}, row, col, 255, 255, 255, w);
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
