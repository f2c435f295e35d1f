// The numbers behind a map: one row per unit.
#ifndef MAP_MAP_TABLE_H_
#define MAP_MAP_TABLE_H_

#include "common/data_table.h"
#include "map/controls.h"
#include "map/settings.h"

namespace map {

// After a pass: for every unit, row by row, its row, column, centre (x, y in
// the picture's user units), its objects' labels as one list cell (joined
// by ";", see DataTable::addList) and their count; then what the option
// drew there: option (2) the variable shown (every variable for histograms
// and outlines) and, with Distance, the dissimilarity to the neighbour
// across each side 1..6 (NaN where there is none); option (3) the
// interpolated external value; option (4) the class.
common::DataTable mapTable(const RunState& state, const MapControls& controls,
                           const Settings& settings);

}  // namespace map

#endif  // MAP_MAP_TABLE_H_
