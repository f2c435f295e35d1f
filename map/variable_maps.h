// The maps of options (2) and (3): the SOM's own variables, as one colour
// map or as histograms, and an external variable interpolated over the map.
#ifndef MAP_VARIABLE_MAPS_H_
#define MAP_VARIABLE_MAPS_H_

#include <string>

#include "map/pass_context.h"

namespace map {

// Option (2); returns the caption.
std::string drawVariableMap(PassContext& pass);

// Option (3); returns the caption.
std::string drawExternalMap(PassContext& pass);

}  // namespace map

#endif  // MAP_VARIABLE_MAPS_H_
