// The sensitivity analysis of Tremora: the network's error with each input
// perturbed in turn, at every noise level of noise.cfg, written to test.err.
#ifndef EBP_TREMORA_SENSITIVITY_H_
#define EBP_TREMORA_SENSITIVITY_H_

#include <functional>
#include <string>
#include <vector>

#include "ebp/network_files.h"
#include "ebp/tremora/uniform_random.h"

namespace tremora {

struct SensitivityFiles {
  std::string patterns;
  std::string weights;
  std::string results;  // test.err
  std::string noise;    // noise.cfg
};

// What the analysis learnt about the network, for the Info page.
struct SensitivityRun {
  int nI = 0;
  int nH = 0;
  int nO = 0;
  long nP = 0;
  long perturbations = 0;  // R; 2 after a fixed run
  int levels = 0;
  std::string results;  // the text of test.err
  // With two rounds or more (perturbations, or a fixed run's +L and -L): per
  // level and input, the sample standard deviation across the rounds of the
  // round's error (its sum over the outputs of squared errors, averaged over
  // the patterns); NaN with one round.  Not written to test.err.
  std::vector<std::vector<double>> roundSpread;  // [level][input]
};

struct SensitivityHooks {
  // Read before every input: true for "fixed" perturbations (+L, then -L),
  // false for "random" ones.
  std::function<bool()> fixed;
  // Called before every input with the level (from 1), the input (from 1)
  // and the number of inputs.
  std::function<void(int level, int input, int inputs)> progress;
};

// Runs the analysis and returns, besides what it learnt, the text of the
// results file: three quoted header lines, the base error E0, then one line
// of nI errors per noise level.  Errors are sums over the outputs of squared
// errors, averaged over patterns (and rounds).  Writes nothing: the caller
// puts the results in place once the whole run has succeeded, so that a run
// that stops (a bad noise level, an overflow, an interrupt) leaves the old
// results file whole.  Throws ToolError.
SensitivityRun runSensitivity(const SensitivityFiles& files, const SensitivityHooks& hooks,
                              UniformRandom& random);

// The network as the pattern file's header counts it: of the weights header
// only the number of hidden nodes is kept.
struct TremoraNetwork {
  ebp::PatternHeader ph;
  ebp::WeightsHeader wh;
  ebp::PatternSet set;
  ebp::EbpWeights w;
};

// Reads both headers, every pattern and the weights as the analysis does,
// with the same warning when the headers' counts differ and the same refusal
// of what memory cannot hold.  Throws ToolError.
TremoraNetwork readTremoraNetwork(const std::string& patterns, const std::string& weights);

}  // namespace tremora

#endif  // EBP_TREMORA_SENSITIVITY_H_
