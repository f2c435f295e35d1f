// The codebook a training starts from: one weight vector a unit, units row
// by row (unit (row, col) at (row - 1) * cols + col - 1), nVars values each.
#ifndef SOM_INITIAL_CODEBOOK_H_
#define SOM_INITIAL_CODEBOOK_H_

#include <cstdint>
#include <vector>

namespace som {

// The units spread evenly over the plane of the data's first two principal
// components, centred on the mean: the map's longer side (in the drawn
// hexagons' centres) along the first component, each side spanning two
// standard deviations of its component on both sides of the mean.  The
// components come from the covariance matrix (sums in object order) by
// power iteration from a fixed start, so the result depends on the data
// alone; beyond 512 variables the matrix is not formed, its products being
// taken from the data (at most 100 steps).  A component the data lacks (one variable, or all
// objects on a line) adds nothing.
std::vector<double> principalPlaneCodebook(const std::vector<double>& values, int nVars, int rows,
                                           int cols);

// Each unit a copy of an object drawn at random (with replacement) by the
// 64-bit Mersenne Twister seeded with "seed": unit k takes object r mod n,
// r the generator's k-th output, the same on every system.
std::vector<double> randomObjectCodebook(const std::vector<double>& values, int nVars, int rows,
                                         int cols, std::uint64_t seed);

}  // namespace som

#endif  // SOM_INITIAL_CODEBOOK_H_
