// The forward pass of a trained three-layer network.
//
// For each hidden node j (the bias node nH+1 included) a sum starting at 0
// adds w1[i][j] x[i] for i = 1..nI+1 in order, and h[j] = 1 / (exp(-sum) + 1);
// then h[nH+1] is set to 1.  Each output adds w2[j][k] h[j] for j = 1..nH+1
// the same way.  Every result is bit for bit that arithmetic; a net input
// whose exp overflows is an overflow error.
#ifndef EBP_FORWARD_PASS_H_
#define EBP_FORWARD_PASS_H_

#include <vector>

#include "ebp/network_files.h"

namespace ebp {

// The logistic function 1 / (exp(-a) + 1); throws ToolError(kOverflow) when
// exp(-a) overflows (a below about -709.78).
double logistic(double a);

// One pattern: x holds nI + 1 inputs (the last the bias input 1), hidden
// receives nH + 1 activations and y the nO outputs.  Sizes are the caller's.
void forward_pass(const double* x, const EbpWeights& w, double* hidden, double* y);

// The outputs of every pattern, nP rows of nO values in pattern order,
// computed on up to "threads" threads.  An overflow is reported for the
// first pattern (in pattern order) that has one: "pattern P: overflow: ...".
std::vector<double> forwardAll(const PatternSet& patterns, const EbpWeights& w, int threads = 2);

}  // namespace ebp

#endif  // EBP_FORWARD_PASS_H_
