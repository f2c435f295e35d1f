#include "map/map_table.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "common/rounding.h"
#include "map/draw/distance.h"
#include "map/draw/lattice.h"

namespace map {
namespace {

std::vector<float> unitWeights(const draw::SomGrid& grid, int row, int col) {
  std::vector<float> v;
  for (int k = 1; k <= grid.nVars; ++k) v.push_back(grid.weights(col, row, k));
  return v;
}

}  // namespace

common::DataTable mapTable(const RunState& state, const MapControls& controls,
                           const Settings& settings) {
  const draw::SomGrid& grid = state.grid;
  const bool variables = state.mapOption == MapOption::kVariables;
  const bool allVariables = variables && (controls.histogram || controls.outline);
  const int shown = static_cast<int>(common::roundHalfEven(common::leadingNumber(controls.colcod)));
  const bool distances = variables && controls.distance && grid.nVars > 0;
  std::vector<std::string> columns = {"row", "column", "x", "y", "labels", "objects"};
  if (allVariables) {
    for (int k = 1; k <= grid.nVars; ++k) columns.push_back("variable_" + std::to_string(k));
  } else if (variables) {
    columns.push_back("variable_" + std::to_string(shown));
  }
  if (distances) {
    for (int side = 1; side <= 6; ++side) columns.push_back("distance_" + std::to_string(side));
  }
  if (state.mapOption == MapOption::kExternal) columns.push_back("external");
  if (state.mapOption == MapOption::kClasses) columns.push_back("class");

  common::DataTable table(columns);
  for (int row = 1; row <= grid.nRows; ++row) {
    for (int col = 1; col <= grid.nCols; ++col) {
      const draw::MapPoint centre = draw::hexCentre(row, col);
      const std::vector<std::string>& labels = state.unitLabels(row, col);
      table.add(row).add(col).add(centre.x).add(centre.y).addList(labels);
      table.add(static_cast<std::int64_t>(labels.size()));
      if (allVariables) {
        for (int k = 1; k <= grid.nVars; ++k) table.add(grid.weights(col, row, k));
      } else if (variables) {
        table.add(grid.weights(col, row, shown));
      }
      if (distances) {
        const std::vector<float> own = unitWeights(grid, row, col);
        for (int side = 1; side <= 6; ++side) {
          const draw::RowCol across = draw::neighbourAcross(side, row, col);
          if (!grid.hasUnit(across.row, across.col)) {
            table.add(std::nanf(""));
            continue;
          }
          const std::vector<float> other = unitWeights(grid, across.row, across.col);
          table.add(draw::distance(own.data(), other.data(), grid.nVars, settings.distPref));
        }
      }
      if (state.mapOption == MapOption::kExternal) table.add(state.interpGrid(col, row));
      if (state.mapOption == MapOption::kClasses) table.add(state.unitClasses(row, col));
      table.endRow();
    }
  }
  return table;
}

}  // namespace map
