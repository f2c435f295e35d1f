#include "ebp/tremora/sensitivity.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "ebp/forward_pass.h"
#include "ebp/network_files.h"
#include "ebp/network_source.h"
#include "ebp/number_stream.h"
#include "ebp/tremora/input_evaluator.h"

namespace tremora {
namespace {

// The lines of test.err, each ended as every file the toolkit writes.
class ResultsText {
 public:
  void line(const std::string& text) { (text_ += text) += "\r\n"; }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

std::string quoted(const std::string& word, const std::string& path) {
  return "\"" + word + "\",\"" + path + "\"";
}

double sumOf(const std::vector<double>& terms, double e) {
  for (double t : terms) e = e + t;
  return e;
}

// The sample standard deviation of two or more values.
double sampleDeviation(const std::vector<double>& values) {
  const double n = static_cast<double>(values.size());
  const double mean = sumOf(values, 0.0) / n;
  double squares = 0;
  for (double v : values) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / (n - 1));
}

// Error "e" as test.err holds it.  The file is read back in single
// precision, so an error that would not read back as a finite single
// (squared errors of targets far outside 0..1) stops the run as an overflow
// at "place" of the pattern file, before anything is written.
std::string errorText(double e, const std::string& patterns, const std::string& place) {
  std::string text = common::fileNumber(e);
  std::string_view number = text;
  while (!number.empty() && number.front() == ' ') number.remove_prefix(1);
  while (!number.empty() && number.back() == ' ') number.remove_suffix(1);
  float back = 0;
  if (!ebp::parseNetworkNumber(number, back) || !std::isfinite(back)) {
    throw common::makeError(common::Fault::kOverflow, patterns, place,
                            "the mean square error (" + common::generalForm(e, 15) +
                                ") lies beyond single precision, in which the results are read "
                                "back");
  }
  return text;
}

std::string gigabytes(double bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", bytes / 1e9);
  return text;
}

// Every pattern is used at every level and input, so all are kept: the
// patterns, the carried sums of the hidden nodes, the base and perturbed
// error terms and the perturbed values, nP times each.  Refuses, before
// reading a record, what this machine's memory cannot hold, saying how much
// is needed and what for.
void checkMemoryNeed(const std::string& file, const ebp::PatternHeader& h, int nH) {
  const double nP = static_cast<double>(h.nP);
  const double patterns = nP * (static_cast<double>(h.nI) + 1 + h.nO) * 8;
  const double sums = nP * (static_cast<double>(nH) + 1) * 8;
  const double terms = nP * (2.0 * h.nO + 1) * 8;
  const double need = patterns + sums + terms;
  const double memory =
      static_cast<double>(::sysconf(_SC_PHYS_PAGES)) * static_cast<double>(::sysconf(_SC_PAGESIZE));
  if (memory > 0 && need > memory) {
    throw common::makeError(common::Fault::kTooLarge, file, "",
                            std::to_string(h.nP) + " patterns of " + std::to_string(h.nI) +
                                " inputs and " + std::to_string(h.nO) + " outputs through " +
                                std::to_string(nH) + " hidden nodes need " + gigabytes(need) +
                                " of memory (the patterns " + gigabytes(patterns) +
                                ", the hidden nodes' carried sums " + gigabytes(sums) +
                                ", the error terms " + gigabytes(terms) +
                                "), more than this machine's " + gigabytes(memory));
  }
}

// All the patterns of the file, read a block at a time into one set, the
// text read given back as it goes: at its peak the reading holds the
// patterns and one block of text, not the whole file besides.
ebp::PatternSet readAllPatterns(common::MappedFile& file, ebp::NumberStream& in,
                                const ebp::PatternHeader& h, int nH) {
  ebp::PatternBlocks blocks(in, h.nI, h.nO, h.nP);
  checkMemoryNeed(in.fileName(), h, nH);
  ebp::PatternSet set;
  set.nI = h.nI;
  set.nO = h.nO;
  set.nP = h.nP;
  set.inputs.reserve(static_cast<std::size_t>(h.nP) * (static_cast<std::size_t>(h.nI) + 1));
  set.targets.reserve(static_cast<std::size_t>(h.nP) * static_cast<std::size_t>(h.nO));
  ebp::PatternSet block;
  while (blocks.next(block, 1 << 15)) {
    set.inputs.insert(set.inputs.end(), block.inputs.begin(), block.inputs.end());
    set.targets.insert(set.targets.end(), block.targets.begin(), block.targets.end());
    file.releaseBefore(file.text().size() - in.rest().size());
  }
  return set;
}

}  // namespace

namespace {
SensitivityRun analyse(const SensitivityFiles& files, const SensitivityHooks& hooks,
                       UniformRandom& random);
}  // namespace

SensitivityRun runSensitivity(const SensitivityFiles& files, const SensitivityHooks& hooks,
                              UniformRandom& random) {
  try {
    return analyse(files, hooks, random);
  } catch (const common::ToolError& e) {
    // An overflow of the network names its pattern; say in which file.
    if (e.fault() != common::Fault::kOverflow || std::string(e.what()).rfind("pattern ", 0) != 0) {
      throw;
    }
    throw common::withContext(files.patterns, e);
  }
}

namespace {

// Levels of 5, 10 and 20 meant as percent run as 500% to 2000% noise.
void warnOfPercentLevels(const std::vector<float>& levels, const std::string& noisePath) {
  const auto above = [](float level) { return level > 1; };
  const auto first = std::find_if(levels.begin(), levels.end(), above);
  if (first == levels.end()) return;
  common::warn("Tremora", noisePath,
               std::to_string(std::count_if(levels.begin(), levels.end(), above)) + " of " +
                   std::to_string(levels.size()) + " noise levels lie above 1 (the first is " +
                   common::generalForm(*first, 7) +
                   "): a level is a fraction of the input range, 0.05 for 5% noise");
}

// noise.cfg's count of perturbations per pattern, read from "noise", which
// is left at the first level.  Every level is read once before the work, so
// that a bad or a 32768th level stops the run before minutes of it are
// spent; levels that look like percentages draw a warning.
long readNoiseHeader(ebp::NumberStream& noise, const std::string& noisePath) {
  const long perturbations = ebp::readPerturbations(noise);
  ebp::NumberStream levelsAhead = noise;
  warnOfPercentLevels(ebp::readNoiseLevels(levelsAhead), noisePath);
  return perturbations;
}

// Reads both headers, every pattern and the weights, warning when the
// headers' counts of inputs and outputs differ.
TremoraNetwork readNetwork(common::MappedFile& patternFile, ebp::NetworkSource& network,
                           const SensitivityFiles& files) {
  ebp::NumberStream ps(patternFile.text(), files.patterns);
  TremoraNetwork net;
  net.ph = ebp::readPatternHeader(ps);
  net.wh = network.readHeader();
  network.requireCountsOf(net.ph, files.patterns);
  const std::string differ = ebp::countsDiffer(net.ph, net.wh);
  if (!differ.empty()) {
    common::warn("Tremora", files.patterns,
                 differ + " (" + files.weights +
                     "): the network's weights are read by the pattern file's counts");
  }
  net.set = readAllPatterns(patternFile, ps, net.ph, net.wh.nH);
  net.w = ebp::explainShortFile(
      net.ph, net.wh, false, [&] { return network.readWeights(net.ph.nI, net.wh.nH, net.ph.nO); });
  return net;
}

// The errors of the network with each input perturbed in turn: the base
// error, then a line per noise level.
class InputErrors {
 public:
  // "set" and "w" must outlive it.  Throws a zero denominator when there are
  // no patterns.
  InputErrors(const ebp::PatternSet& set, const ebp::EbpWeights& w, const SensitivityFiles& files,
              const SensitivityHooks& hooks, UniformRandom& random)
      : set_(set), files_(files), hooks_(hooks), random_(random), evaluator_(set, w) {
    // Every error is a mean over the patterns (and the rounds): none to
    // average over is a zero denominator, not a "nan" in the file.
    if (set.nP == 0) {
      throw common::makeError(common::Fault::kDivisionByZero, files.patterns, "",
                              "no patterns to average the error over");
    }
  }

  // The base error E0 as the file writes it.
  std::string baseLine() {
    return errorText(sumOf(evaluator_.baseTerms(), 0.0) / patterns(), files_.patterns,
                     "base error");
  }

  // The line of errors of every input at "level", the run's run.levels-th;
  // a fixed input sets run.perturbations to 2 from then on.
  std::string levelLine(float level, SensitivityRun& run) {
    values_.resize(static_cast<std::size_t>(set_.nP));
    std::string line;
    for (int i = 1; i <= set_.nI; ++i) {
      if (hooks_.progress) hooks_.progress(run.levels, i, set_.nI);
      evaluator_.startInput(i);
      const bool fixed = hooks_.fixed && hooks_.fixed();
      if (fixed) run.perturbations = 2;
      double e = 0;
      std::vector<double> roundErrors;
      for (long r = 1; r <= run.perturbations; ++r) {
        perturb(i, level, fixed, r);
        const std::vector<double>& terms = evaluator_.perturbedTerms(i, values_);
        e = sumOf(terms, e);
        roundErrors.push_back(sumOf(terms, 0.0) / patterns());
      }
      if (i == 1) run.roundSpread.emplace_back();
      run.roundSpread.back().push_back(roundErrors.size() >= 2 ? sampleDeviation(roundErrors)
                                                               : std::nan(""));
      if (run.perturbations == 0) {
        throw common::makeError(common::Fault::kDivisionByZero, files_.noise, "item 1",
                                "0 perturbations per pattern to average the error over");
      }
      line +=
          errorText(e / patterns() / static_cast<double>(run.perturbations), files_.patterns,
                    "noise level " + std::to_string(run.levels) + ", input " + std::to_string(i));
      if (i < set_.nI) line += ',';
    }
    return line;
  }

 private:
  double patterns() const { return static_cast<double>(set_.nP); }

  // Input "i" of every pattern in round "r" into values_: fixed rounds add
  // the level, then subtract it; random ones add uniform noise within plus or
  // minus the level; the results clipped to 0..1.
  void perturb(int i, float level, bool fixed, long r) {
    for (long p = 1; p <= set_.nP; ++p) {
      const double v = set_.inputRow(p)[i - 1];
      double x;
      if (fixed) {
        x = r == 1 ? v + static_cast<double>(level) : v - static_cast<double>(level);
      } else {
        const float u = random_.next();
        x = v + (static_cast<double>(u) - 0.5) * 2 * static_cast<double>(level);
      }
      if (x < 0) x = 0;
      if (x > 1) x = 1;
      values_[static_cast<std::size_t>(p - 1)] = x;
    }
  }

  const ebp::PatternSet& set_;
  const SensitivityFiles& files_;
  const SensitivityHooks& hooks_;
  UniformRandom& random_;
  InputEvaluator evaluator_;
  std::vector<double> values_;
};

SensitivityRun analyse(const SensitivityFiles& files, const SensitivityHooks& hooks,
                       UniformRandom& random) {
  common::MappedFile patternFile(files.patterns);
  ebp::NetworkSource network(files.weights);
  ResultsText results;
  results.line(quoted("patterns", files.patterns));
  results.line(quoted("weights", files.weights));
  results.line(quoted("noise levels", files.noise));

  common::MappedFile noiseFile(files.noise);
  ebp::NumberStream noise(noiseFile.text(), files.noise);
  SensitivityRun run;
  run.perturbations = readNoiseHeader(noise, files.noise);
  const TremoraNetwork net = readNetwork(patternFile, network, files);
  run.nI = net.ph.nI;
  run.nO = net.ph.nO;
  run.nP = net.ph.nP;
  run.nH = net.wh.nH;

  InputErrors errors(net.set, net.w, files, hooks, random);
  results.line(errors.baseLine());
  do {
    if (run.levels == 32767) {
      throw common::makeError(common::Fault::kOverflow, files.noise,
                              "item " + std::to_string(noise.itemsRead() + 1),
                              "more than 32767 noise levels");
    }
    const float level = noise.nextSingle();
    ++run.levels;
    results.line(errors.levelLine(level, run));
  } while (!noise.atEnd());
  run.results = std::move(results.text());
  return run;
}

}  // namespace

TremoraNetwork readTremoraNetwork(const std::string& patterns, const std::string& weights) {
  common::MappedFile patternFile(patterns);
  ebp::NetworkSource network(weights);
  return readNetwork(patternFile, network, SensitivityFiles{patterns, weights, "", ""});
}

}  // namespace tremora
