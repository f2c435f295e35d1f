#include "ebp/yieldex/yieldex_run.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <utility>
#include <vector>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/program_run.h"
#include "common/output_file.h"
#include "ebp/forward_pass.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"
#include "ebp/yieldex/names.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/report.h"

namespace yieldex {

YieldexFiles completeFiles(const std::string& patterns, const std::string& weights,
                           const std::string& output) {
  YieldexFiles files;
  files.patterns = withExtension(patterns, ".pat");
  files.weights =
      weights.empty() ? proposedName(files.patterns, ".wgt") : withExtension(weights, ".wgt");
  files.output = output.empty() ? proposedName(files.weights, ".out") : output;
  return files;
}

namespace {

void call(const std::function<void()>& hook) {
  if (hook) hook();
}

// Each pattern's line: each output in the file form (sign position, 15
// digits, a trailing blank), then CR LF.
void appendOutputLines(std::string& lines, const double* y, long count, int nO) {
  for (long p = 0; p < count; ++p) {
    const double* row = y + static_cast<std::size_t>(p) * nO;
    for (int k = 0; k < nO; ++k) common::appendFileNumber(lines, row[k]);
    lines += "\r\n";
  }
}

// Patterns are computed, plotted and written a block at a time, so that the
// plot holds every pattern before one that fails.
constexpr long kBlockPatterns = 1 << 15;

// Formats and writes the output lines of one block at a time on a thread of
// its own, while the next block is read and computed.
class BlockWriter {
 public:
  BlockWriter(common::OutputFile& output, int nO) : output_(output), nO_(nO) {}
  ~BlockWriter() {
    if (thread_.joinable()) thread_.join();
  }
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Waits for the block before, then writes "count" rows of "y", which must
  // stay as they are until the next start() or finish().
  void start(const double* y, long count) {
    finish();
    thread_ = std::thread([this, y, count] {
      try {
        lines_.clear();
        appendOutputLines(lines_, y, count, nO_);
        output_.write(lines_);
      } catch (...) {
        error_ = std::current_exception();
      }
    });
  }

  // Waits for the block being written; throws what writing it threw.
  void finish() {
    if (thread_.joinable()) thread_.join();
    if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
  }

 private:
  common::OutputFile& output_;
  int nO_;
  std::thread thread_;
  std::string lines_;
  std::exception_ptr error_;
};

}  // namespace

YieldexResult runYieldex(const YieldexFiles& files, surface::Surface& plot,
                         const YieldexHooks& hooks) {
  call(hooks.refresh);
  graphini(plot);
  call(hooks.refresh);

  // The output written over an input would destroy it.
  common::checkNoneIsAnInput({files.patterns, files.weights}, {files.output});
  common::MappedFile patternFile(files.patterns);
  common::MappedFile weightsFile(files.weights);
  common::OutputFile output(files.output);
  ebp::NumberStream patternStream(patternFile.text(), files.patterns);
  ebp::NumberStream weightsStream(weightsFile.text(), files.weights);
  const ebp::PatternHeader ph = ebp::readPatternHeader(patternStream);
  const ebp::WeightsHeader wh = ebp::readWeightsHeader(weightsStream);
  // The weights header's counts of inputs and outputs win over the pattern
  // header's; the pattern header gives the number of patterns.
  const std::string differ = ebp::countsDiffer(ph, wh);
  if (!differ.empty()) {
    common::warn("Yieldex", files.patterns,
                 differ + " (" + files.weights + "): the patterns are read by the network's counts");
  }
  // Records are read, computed, plotted and written a block at a time, so
  // that memory does not grow with the file.
  ebp::PatternBlocks blocks = ebp::explainShortFile(
      ph, wh, true, [&] { return ebp::PatternBlocks(patternStream, wh.nI, wh.nO, ph.nP); });
  // The files are read in the order pattern records, weights, and only then
  // is anything computed: a bad record is the run's error even where it lies
  // past a bad weight or a pattern that overflows, and the plot then shows
  // no points, as if none had been computed.
  bool plotted = false;
  auto readingRecords = [&](auto&& read) {
    try {
      return ebp::explainShortFile(ph, wh, true, read);
    } catch (const common::ToolError&) {
      if (plotted) graphini(plot);
      throw;
    }
  };
  auto recordsFirst = [&](const common::ToolError& error) {
    readingRecords([&] { blocks.checkRest(); });
    return error;
  };
  const ebp::EbpWeights weights = [&] {
    try {
      return ebp::read_weights(weightsStream, wh.nI, wh.nH, wh.nO);
    } catch (const common::ToolError& e) {
      throw recordsFirst(e);
    }
  }();

  if (hooks.sizes) hooks.sizes(ph.nP, wh.nO);
  graphini(plot);
  call(hooks.wait);
  if (hooks.legend) hooks.legend(wh.nO);

  const int nO = wh.nO;
  const long nP = ph.nP;
  std::vector<Accumulator> perOutput(static_cast<std::size_t>(std::max(nO, 0)));
  Accumulator pooled;
  // A block's values take some 16 MB, whatever the width of a pattern.
  const long blockPatterns =
      std::clamp<long>((2L << 20) / (static_cast<long>(wh.nI) + 1 + 2L * std::max(nO, 0)), 256,
                       kBlockPatterns);
  // Two blocks of outputs: one being written while the next is computed.
  std::vector<double> ys[2];
  for (std::vector<double>& y : ys) {
    const std::size_t n = static_cast<std::size_t>(std::min(nP, blockPatterns)) *
                          static_cast<std::size_t>(std::max(nO, 0));
    ebp::reserveLarge(y, n);
    y.resize(n);
  }
  BlockWriter writer(output, nO);
  int current = 0;
  ebp::PatternSet patterns;
  while (readingRecords([&] { return blocks.next(patterns, blockPatterns); })) {
    patternFile.releaseBefore(patternFile.text().size() - patternStream.rest().size());
    const long first = patterns.first;
    const long last = first + patterns.nP - 1;
    double* y = ys[current].data();
    const std::optional<ebp::ForwardFailure> failure =
        ebp::forwardBlock(patterns, weights, first, last, y);
    const long done = failure ? failure->pattern : last + 1;
    plotted = plotted || (done > first && hooks.drawPlot);
    // The points are plotted and the sums added up in pattern order, while
    // the block before is still being written.
    for (long p = first; p < done; ++p) {
      const double* row = y + static_cast<std::size_t>(p - first) * nO;
      for (int k = 1; k <= nO; ++k) {
        const double out = row[k - 1];
        const double target = patterns.target(p, k);
        if (hooks.drawPlot) plotPoint(plot, k, out, target);
        if (hooks.point) hooks.point(p, k, out, target);
        perOutput[static_cast<std::size_t>(k - 1)].add(out, target);
        pooled.add(out, target);
      }
    }
    if (failure) {
      writer.finish();
      throw recordsFirst(common::withContext(files.patterns, failure->error));
    }
    writer.start(y, done - first);
    current ^= 1;
    if (hooks.progress) hooks.progress(last, nP);
  }
  writer.finish();
  output.commit();

  YieldexResult result;
  result.patterns = nP;
  result.outputs = nO;
  try {
    result.statistics = computeStatistics(perOutput, pooled, nP);
  } catch (const common::ToolError& e) {
    throw common::withContext(files.patterns, e);
  }
  result.report = reportText(files.patterns, files.weights, result.statistics);
  call(hooks.refresh);
  return result;
}

}  // namespace yieldex
