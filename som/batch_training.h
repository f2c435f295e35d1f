// Batch training of a self-organizing map on the hexagonal lattice: each
// epoch finds every object's best unit, then sets each unit to the mean of
// all objects weighted by a Gaussian of the lattice distance between the
// unit and the object's best unit, its radius shrinking linearly from epoch
// to epoch.
#ifndef SOM_BATCH_TRAINING_H_
#define SOM_BATCH_TRAINING_H_

#include <functional>
#include <vector>

#include "som/best_units.h"
#include "som/lattice_distance.h"

namespace som {

struct TrainingSettings {
  int epochs = 1;
  double radiusStart = 1;
  double radiusEnd = 1;
  int threads = 1;
};

// How well the codebook after an epoch fits the data.
struct EpochQuality {
  int epoch = 0;
  double radius = 0;
  // The mean Euclidean distance of the objects to their best units.
  double quantizationError = 0;
  // The share of objects whose best and second best units are not
  // neighbours on the lattice (0 on a map of one unit).
  double topographicError = 0;
};

// The radius of epoch "epoch" (1..epochs): radiusStart at the first,
// radiusEnd at the last, linear between.
double epochRadius(const TrainingSettings& settings, int epoch);

// The Gaussian neighbourhood weight exp(-steps^2 / (2 radius^2)).
double neighbourhoodWeight(int steps, double radius);

// One batch update: unit j becomes sum_i h(j, b_i) x_i / sum_i h(j, b_i),
// b_i object i's best unit and h the neighbourhood weight of their lattice
// distance at "radius".  The sums are gathered per best unit in object
// order, then over units in unit order.  A unit whose weights all vanish
// keeps its vector from "codebook".
std::vector<double> batchUpdate(const std::vector<double>& values, int nVars,
                                const std::vector<int>& best, const LatticeDistance& lattice,
                                double radius, const std::vector<double>& codebook);

// The quality of "best" on "lattice".
EpochQuality measureQuality(const BestUnits& best, const LatticeDistance& lattice);

struct TrainedMap {
  std::vector<double> codebook;  // units x nVars
  BestUnits best;                // for the final codebook
  std::vector<EpochQuality> history;
};

// Trains from "codebook" for settings.epochs epochs; "afterEpoch", when
// set, is told each epoch's quality and codebook as soon as they are known.
TrainedMap trainBatch(
    const std::vector<double>& values, int nVars, const LatticeDistance& lattice,
    std::vector<double> codebook, const TrainingSettings& settings,
    const std::function<void(const EpochQuality&, const std::vector<double>&)>& afterEpoch = {});

}  // namespace som

#endif  // SOM_BATCH_TRAINING_H_
