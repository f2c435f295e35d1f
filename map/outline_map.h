// Option (2) with Outline: each unit drawn as the closed outline that its
// Fourier coefficients describe.
#ifndef MAP_OUTLINE_MAP_H_
#define MAP_OUTLINE_MAP_H_

#include <string>

#include "map/pass_context.h"

namespace map {

// Reads the coefficients from the weights file into the run state's grid,
// draws every unit white (with distance-scaled sides when Distance is
// checked) and its outline over it; returns the caption.
std::string drawoutlines(PassContext& pass);

}  // namespace map

#endif  // MAP_OUTLINE_MAP_H_
