// The network files in memory: PatternSet (a .pat file) and EbpWeights (a
// .wgt file), and the noise levels of noise.cfg.
//
// Headers are read separately from the records, because the two network
// programs take their counts from different headers.  All indices in the
// accessors are 1-based, as in the files: input 1..nI with the bias input
// nI+1, hidden 1..nH with the hidden bias nH+1, output 1..nO, pattern 1..nP.
#ifndef EBP_NETWORK_FILES_H_
#define EBP_NETWORK_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "common/errors.h"
#include "ebp/number_stream.h"

namespace ebp {

struct PatternHeader {
  int nI = 0;
  int nO = 0;
  long nP = 0;
};

struct WeightsHeader {
  int nI = 0;
  int nH = 0;
  int nO = 0;
};

// nP patterns numbered first .. first + nP - 1 (a whole file's from 1, or a
// block of one).
struct PatternSet {
  int nI = 0;
  int nO = 0;
  long nP = 0;
  long first = 1;
  std::vector<double> inputs;   // nP rows of nI + 1 values; the last is the bias input, 1
  std::vector<double> targets;  // nP rows of nO values

  const double* inputRow(long p) const {
    return &inputs[static_cast<std::size_t>(p - first) * (nI + 1)];
  }
  double* inputRow(long p) { return &inputs[static_cast<std::size_t>(p - first) * (nI + 1)]; }
  double target(long p, int k) const {
    return targets[static_cast<std::size_t>(p - first) * nO + (k - 1)];
  }
};

struct EbpWeights {
  int nI = 0;
  int nH = 0;
  int nO = 0;
  std::vector<double> w1;  // (nI+1) x (nH+1), source-major: w1[(i-1)(nH+1) + (j-1)]
  std::vector<double> w2;  // (nH+1) x nO, source-major: w2[(j-1) nO + (k-1)]

  double& inputToHidden(int i, int j) {
    return w1[static_cast<std::size_t>(i - 1) * (nH + 1) + (j - 1)];
  }
  double& hiddenToOutput(int j, int k) {
    return w2[static_cast<std::size_t>(j - 1) * nO + (k - 1)];
  }
};

// The three header numbers of a pattern file: nI, nO, nP.
PatternHeader readPatternHeader(NumberStream& in);

// The three header numbers of a weights file: nI, nH, nO.
WeightsHeader readWeightsHeader(NumberStream& in);

// How a pattern header's counts of inputs and outputs differ from a
// network's, for a warning ("the header announces 4 inputs and 3 outputs
// where the network holds 30 and 1"); empty when they agree.
std::string countsDiffer(const PatternHeader& patterns, const WeightsHeader& network);

// Runs "read"; when the file it reads runs short and the two headers
// differ, the error says why, after the reading's own message: "...; the
// network takes 31 numbers a pattern, where the header announced 4 + 3 = 7"
// ("byNetwork": the patterns are read by the network's counts), or "...; the
// weights are read by the pattern file's counts, ...".
template <typename Read>
auto explainShortFile(const PatternHeader& patterns, const WeightsHeader& network, bool byNetwork,
                      Read&& read) -> decltype(read());

// Reads nP records of nI inputs and nO targets, setting the bias input of
// every pattern to 1.  Refuses, before allocating, counts that are negative
// or announce more numbers than the rest of the file can hold.
PatternSet readPatterns(NumberStream& in, int nI, int nO, long nP);

// The records of a pattern file a block at a time, in pattern order, so that
// a file of any length takes the memory of one block.  The numbers, and the
// first error met, are those of readPatterns.
class PatternBlocks {
 public:
  // Refuses, before reading a record, the counts readPatterns refuses.
  PatternBlocks(NumberStream& in, int nI, int nO, long nP);

  // The next block of at most "most" patterns into "block" (its storage
  // reused); false when every pattern has been read.
  bool next(PatternSet& block, long most);

  // Reads the records next() has not read yet, keeping none of them (the
  // memory taken does not grow with the file), and throws the first error
  // next() would have met; next() then returns false.  For a run that fails
  // elsewhere (on the weights, in the network) while the files' reading
  // order puts the records before that failure.
  void checkRest();

 private:
  NumberStream& in_;
  int nI_, nO_;
  long nP_;
  long read_ = 0;
  std::vector<double> values_;  // a block's numbers in file order
};

// Reads the input-to-hidden block ((nI+1) groups of nH+1 weights) and the
// hidden-to-output block ((nH+1) groups of nO weights).
EbpWeights readWeights(NumberStream& in, int nI, int nH, int nO);

// noise.cfg: the number of perturbations per pattern, then noise levels as
// singles to the end of the file; at most 32767 levels, the 32768th is an
// overflow error, as is a level beyond the range of singles.
long readPerturbations(NumberStream& in);
std::vector<float> readNoiseLevels(NumberStream& in);

// The explanation added to a short file's error when the headers differ.
std::string shortFileReason(const PatternHeader& patterns, const WeightsHeader& network,
                            bool byNetwork);

template <typename Read>
auto explainShortFile(const PatternHeader& patterns, const WeightsHeader& network, bool byNetwork,
                      Read&& read) -> decltype(read()) {
  try {
    return read();
  } catch (const common::ToolError& error) {
    const std::string reason = shortFileReason(patterns, network, byNetwork);
    if (error.fault() != common::Fault::kPastEndOfFile || reason.empty()) throw;
    throw common::ToolError(error.fault(), std::string(error.what()) + "; " + reason);
  }
}

}  // namespace ebp

#endif  // EBP_NETWORK_FILES_H_
