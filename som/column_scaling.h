// The optional scaling of each variable before training, so that no
// variable outweighs the others by its units alone.
#ifndef SOM_COLUMN_SCALING_H_
#define SOM_COLUMN_SCALING_H_

#include <string>
#include <vector>

namespace som {

enum class Scaling { kNone, kRange, kZscore };

// "none", "range" or "zscore"; false for another word.
bool parseScaling(const std::string& word, Scaling& scaling);

// The word of "scaling" as parseScaling reads it.
std::string scalingName(Scaling scaling);

// Scales "values" (objects x nVars, an object's values together) column by
// column: kRange to (x - min) / (max - min), kZscore to (x - mean) / sd with
// the sample standard deviation (n - 1).  A column of one value (a range or
// sd of 0) is only shifted.  Sums run in object order.
void scaleColumns(std::vector<double>& values, int nVars, Scaling scaling);

}  // namespace som

#endif  // SOM_COLUMN_SCALING_H_
