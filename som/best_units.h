// The search for each object's best-matching unit (the unit nearest in
// Euclidean distance) and its second best: the dominant cost of training.
//
// Distances are first estimated in single precision by a blocked kernel
// (||x||^2 - 2 x.w + ||w||^2, data and weights shifted by the data's mean);
// every unit that the estimate's error bound cannot rule out is then
// measured again in double precision by the direct sum of squared
// differences, in variable order.  So the units found are those of the
// direct formula, ties going to the lowest unit number, whatever the
// kernel, the processor or the number of threads.
#ifndef SOM_BEST_UNITS_H_
#define SOM_BEST_UNITS_H_

#include <vector>

namespace som {

struct BestUnits {
  std::vector<int> first;     // per object, its best unit
  std::vector<int> second;    // per object, its second best (-1 on a map of one unit)
  std::vector<double> error;  // per object, its squared distance to the best unit
};

// The squared Euclidean distance of x and w, summed in variable order.
double squaredDistance(const double* x, const double* w, int nVars);

class BestUnitSearch {
 public:
  // Searches for the objects of "values" (objects x nVars, kept by
  // reference) on "threads" threads (at least 1), each taking a fixed part
  // of the objects.
  BestUnitSearch(const std::vector<double>& values, int nVars, int threads);

  // The best units of every object for "codebook" (units x nVars).
  BestUnits search(const std::vector<double>& codebook) const;

 private:
  void searchObjects(std::size_t begin, std::size_t end, const std::vector<float>& packed,
                     const std::vector<float>& unitNorms, const std::vector<double>& codebook,
                     BestUnits& out) const;

  const std::vector<double>& values_;
  int nVars_;
  int threads_;
  std::vector<double> shift_;       // the data's mean
  std::vector<float> shifted_;      // the data less the mean, in single precision
  std::vector<float> objectNorms_;  // their squared norms
};

}  // namespace som

#endif  // SOM_BEST_UNITS_H_
