// The network's squared errors with one input column replaced, for every
// pattern at once: the core of Tremora's analyses, which replace each input
// in turn (by noise, or by another pattern's value).
#ifndef EBP_TREMORA_INPUT_EVALUATOR_H_
#define EBP_TREMORA_INPUT_EVALUATOR_H_

#include <exception>
#include <vector>

#include "ebp/forward_pass.h"
#include "ebp/network_files.h"
#include "ebp/parallel.h"

namespace tremora {

// The squared errors (t - y)^2 of every pattern and output for the network
// with one input column replaced, computed on both cores.  For input i the
// hidden sums of every pattern are carried up to the term before i (the
// unperturbed inputs 1..i-1 added in order), so a perturbed pass adds the
// terms from i on: the same additions in the same order as the whole pass.
// A pattern whose perturbed value equals its stored one takes its base terms.
class InputEvaluator {
 public:
  // "set" and "w" must outlive it.  Computes the base terms at once; throws
  // ToolError (an overflow, naming the pattern) as the forward pass does.
  InputEvaluator(const ebp::PatternSet& set, const ebp::EbpWeights& w);

  // The terms of the patterns as stored, pattern-major, output-minor.
  const std::vector<double>& baseTerms() const { return base_; }

  // Starts input i (1-based): the carried sums stop before term i.  Inputs
  // are started in order, 1 to nI, after construction and after each other.
  void startInput(int i);

  // The terms with input i (the one last started) of pattern p set to
  // values[p - 1]; valid until the next call.  Throws ToolError for an
  // overflow, naming the first pattern that overflows.
  const std::vector<double>& perturbedTerms(int i, const std::vector<double>& values);

 private:
  [[noreturn]] static void rethrowFor(std::exception_ptr error, long p);
  void computeBase();
  void storeTerms(std::vector<double>& into, long p, const double* y) const;
  // Adds the unperturbed term of input t (1-based) to every carried sum.
  void addTerm(int t);
  void evaluate(long p, int i, double value, double* hidden, double* y);

  const ebp::PatternSet& set_;
  const ebp::EbpWeights& w_;
  const int hiddenCount_;
  std::vector<double> prefix_;
  std::vector<double> base_;
  std::vector<double> terms_;
  ebp::ParallelFor pool_;
};

}  // namespace tremora

#endif  // EBP_TREMORA_INPUT_EVALUATOR_H_
