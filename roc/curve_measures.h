// Readings of an ROC polyline (see weighted_scores.h): the sensitivity at a
// given specificity, the specificity at a given sensitivity, and the area
// over a band of false-positive rates.
//
// Between two points of the polyline a rate is read by straight-line
// interpolation; where the polyline runs vertically (several points at one
// false-positive rate) the sensitivity read is the highest, and where it
// runs horizontally the specificity read is the highest: the best operating
// point the curve offers there.
#ifndef ROC_CURVE_MEASURES_H_
#define ROC_CURVE_MEASURES_H_

#include <vector>

#include "roc/weighted_scores.h"

namespace roc {

// The sensitivity of "curve" at the specificity "specificity" (0 to 1);
// NaN for an empty polyline.
double sensitivityAt(const Curve& curve, double specificity);

// sensitivityAt(curve, specificities[k]) into out[k] for every k, in one
// walk along the curve when "specificities" decrease (as a band's do); in
// any order it is still right, only slower.
void sensitivitiesAt(const Curve& curve, const std::vector<double>& specificities, double* out);

// The specificity of "curve" at the sensitivity "sensitivity" (0 to 1);
// NaN for an empty polyline.
double specificityAt(const Curve& curve, double sensitivity);

// The area under "curve" over false-positive rates from "from" to "to"
// (0 <= from < to <= 1); NaN for an empty polyline.
double partialAuc(const Curve& curve, double from, double to);

// McClish's standardization of a partial area over [from, to]: 0.5 for the
// chance diagonal's area there, 1 for the largest area, (1 + (a - min) /
// (max - min)) / 2 between.  NaN for an area below the diagonal's, where
// the standardization means nothing.
double mcClishCorrected(double area, double from, double to);

}  // namespace roc

#endif  // ROC_CURVE_MEASURES_H_
