// The forward pass of a trained three-layer network.
//
// For each hidden node j (the bias node nH+1 included) a sum starting at 0
// adds w1[i][j] x[i] for i = 1..nI+1 in order, and h[j] = 1 / (exp(-sum) + 1);
// then h[nH+1] is set to 1.  Each output adds w2[j][k] h[j] for j = 1..nH+1
// the same way.  Every result is bit for bit that arithmetic; a net input
// that is not finite (a weighted sum beyond the doubles) or whose exp
// overflows is an overflow error.
#ifndef EBP_FORWARD_PASS_H_
#define EBP_FORWARD_PASS_H_

#include <cmath>
#include <optional>
#include <vector>

#include "common/errors.h"
#include "ebp/network_files.h"

namespace ebp {

// Throws the overflow error of a net input "a" that is not finite or whose
// exp(-a) is infinite.
[[noreturn]] void throwActivationOverflow(double a);

// The logistic function 1 / (exp(-a) + 1); throws ToolError(kOverflow) when
// "a" is not finite (its weighted sum overflowed) or exp(-a) overflows (a
// below about -709.78).
inline double logistic(double a) {
  const double e = std::exp(-a);
  if (!std::isfinite(a) || std::isinf(e)) throwActivationOverflow(a);
  return 1.0 / (e + 1.0);
}

// v[j] = logistic(v[j]) for j = 0 .. n-1: the exps one after another (the
// first overflow, or net input that is not finite, is reported), then the
// divisions, which the processor may take several at a time.
void applyLogistic(double* v, int n);

// sums[j] += rows[t][j] * x[t] for t = 0 .. rowCount-1 in order, j = 0 ..
// width-1; rows are "width" apart.  Each sum is added to in increasing t, so
// the results do not depend on how many j the processor takes at once (the
// function is built for several vector widths and picks one at run time).
void addWeightedRows(double* sums, const double* rows, const double* x, int rowCount, int width);

// One pattern: x holds nI + 1 inputs (the last the bias input 1), hidden
// receives nH + 1 activations and y the nO outputs.  Sizes are the caller's.
void forwardPass(const double* x, const EbpWeights& w, double* hidden, double* y);

// What forwardBlock left undone: the first pattern (in pattern order) whose
// net input overflowed, and that error as "pattern P: overflow: ...".
struct ForwardFailure {
  long pattern = 0;
  common::ToolError error;
};

// The outputs of patterns first .. last (1-based, inclusive) into "out", one
// row of nO values per pattern (pattern p at row p - first), computed on up
// to "threads" threads.  On a failure every row before the failing pattern
// holds its outputs; the rows from it on are undefined.
std::optional<ForwardFailure> forwardBlock(const PatternSet& patterns, const EbpWeights& w,
                                           long first, long last, double* out, int threads = 2);

// The outputs of every pattern, nP rows of nO values in pattern order,
// computed on up to "threads" threads.  An overflow is reported for the
// first pattern (in pattern order) that has one: "pattern P: overflow: ...".
std::vector<double> forwardAll(const PatternSet& patterns, const EbpWeights& w, int threads = 2);

}  // namespace ebp

#endif  // EBP_FORWARD_PASS_H_
