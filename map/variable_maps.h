// The maps of options (2) and (3): the SOM's own variables, as one colour
// map or as histograms, and an external variable interpolated over the map.
#ifndef MAP_VARIABLE_MAPS_H_
#define MAP_VARIABLE_MAPS_H_

#include <string>

#include "map/drawing_pass.h"

namespace map {

// Option (2); returns the caption.
std::string drawVariableMap(PassContext& pass);

// Option (3); returns the caption.
std::string drawExternalMap(PassContext& pass);

// Option (2) with Outline: every unit's outline from the Fourier
// coefficients in the weights file, over a white map; returns the caption.
std::string drawoutlines(PassContext& pass);

// Reads a weights file of outline coefficients: after the header (rows,
// columns, m) m values per unit, row by row, stored behind the fixed 1, 0, 0
// as weights(col, row, 1..m+3); nVars becomes m + 3.
void readOutlineCoefficients(const std::string& wgtPath, draw::SomGrid& grid);

}  // namespace map

#endif  // MAP_VARIABLE_MAPS_H_
