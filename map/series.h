// The ordered series of objects traced over the map.
#ifndef MAP_SERIES_H_
#define MAP_SERIES_H_

#include "map/pass_context.h"

namespace map {

// With the "first" box set, reads the best-matching units of objects
// first .. first + num - 1 and joins each to the next with hex2hex, shading
// from blue to red; a record past the end of the .bmu file stops with
// input past end of file.
void traceSeries(PassContext& pass);

}  // namespace map

#endif  // MAP_SERIES_H_
