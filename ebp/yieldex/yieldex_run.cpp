#include "ebp/yieldex/yieldex_run.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "common/background_job.h"
#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "ebp/forward_pass.h"
#include "ebp/network_files.h"
#include "ebp/network_source.h"
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

  // Waits for the block before, then writes "count" rows of "y", which must
  // stay as they are until the next start() or finish().
  void start(const double* y, long count) {
    job_.start([this, y, count] {
      lines_.clear();
      appendOutputLines(lines_, y, count, nO_);
      output_.write(lines_);
    });
  }

  // Waits for the block being written; throws what writing it threw.
  void finish() { job_.finish(); }

 private:
  common::OutputFile& output_;
  int nO_;
  std::string lines_;
  common::BackgroundJob job_;  // last: it stops before the rest goes
};

// One run's files and what has been read of them, a step at a time: the
// headers (on construction), the weights, every block of records through the
// network, the plot and the output file, and then the statistics.
class YieldexPass {
 public:
  // Opens the three files and reads both headers, warning when their counts
  // of inputs and outputs differ.
  YieldexPass(const YieldexFiles& files, surface::Surface& plot, const YieldexHooks& hooks)
      : files_(files),
        plot_(plot),
        hooks_(hooks),
        patternFile_(files.patterns),
        network_(files.weights),
        output_(files.output),
        patternStream_(patternFile_.text(), files.patterns),
        ph_(ebp::readPatternHeader(patternStream_)),
        wh_(network_.readHeader()) {
    network_.requireCountsOf(ph_, files.patterns);
    // The weights header's counts of inputs and outputs win over the pattern
    // header's; the pattern header gives the number of patterns.
    const std::string differ = ebp::countsDiffer(ph_, wh_);
    if (!differ.empty()) {
      common::warn(
          "Yieldex", files.patterns,
          differ + " (" + files.weights + "): the patterns are read by the network's counts");
    }
    // Records are read, computed, plotted and written a block at a time, so
    // that memory does not grow with the file.
    blocks_.emplace(ebp::explainShortFile(ph_, wh_, true, [&] {
      return ebp::PatternBlocks(patternStream_, wh_.nI, wh_.nO, ph_.nP);
    }));
  }

  long patterns() const { return ph_.nP; }
  int outputs() const { return wh_.nO; }

  // The weights; an error in them gives way to one in the records after
  // them.
  ebp::EbpWeights readWeights() {
    try {
      return network_.readWeights(wh_.nI, wh_.nH, wh_.nO);
    } catch (const common::ToolError& e) {
      throw recordsFirst(e);
    }
  }

  // Every block of records through the network with "weights": its points
  // plotted, its sums added up, its lines written; then the output file
  // committed.
  void computeAll(const ebp::EbpWeights& weights) {
    const int nO = wh_.nO;
    perOutput_.resize(static_cast<std::size_t>(std::max(nO, 0)));
    // A block's values take some 16 MB, whatever the width of a pattern.
    const long blockPatterns = std::clamp<long>(
        (2L << 20) / (static_cast<long>(wh_.nI) + 1 + 2L * std::max(nO, 0)), 256, kBlockPatterns);
    // Two blocks of outputs: one being written while the next is computed.
    std::vector<double> ys[2];
    for (std::vector<double>& y : ys) {
      const std::size_t n = static_cast<std::size_t>(std::min(ph_.nP, blockPatterns)) *
                            static_cast<std::size_t>(std::max(nO, 0));
      ebp::reserveLarge(y, n);
      y.resize(n);
    }
    BlockWriter writer(output_, nO);
    int current = 0;
    ebp::PatternSet block;
    while (readingRecords([&] { return blocks_->next(block, blockPatterns); })) {
      patternFile_.releaseBefore(patternFile_.text().size() - patternStream_.rest().size());
      const long first = block.first;
      const long last = first + block.nP - 1;
      double* y = ys[current].data();
      const std::optional<ebp::ForwardFailure> failure =
          ebp::forwardBlock(block, weights, first, last, y);
      const long done = failure ? failure->pattern : last + 1;
      addBlock(block, y, done);
      if (failure) {
        writer.finish();
        throw recordsFirst(common::withContext(files_.patterns, failure->error));
      }
      writer.start(y, done - first);
      current ^= 1;
      if (hooks_.progress) hooks_.progress(last, ph_.nP);
    }
    writer.finish();
    output_.commit();
  }

  // The statistics of every pair added up, and the report.
  YieldexResult result() const {
    YieldexResult result;
    result.patterns = ph_.nP;
    result.outputs = wh_.nO;
    try {
      result.statistics = computeStatistics(perOutput_, pooled_, ph_.nP);
    } catch (const common::ToolError& e) {
      throw common::withContext(files_.patterns, e);
    }
    result.report = reportText(files_.patterns, files_.weights, result.statistics);
    return result;
  }

 private:
  // The files are read in the order pattern records, weights, and only then
  // is anything computed: a bad record is the run's error even where it lies
  // past a bad weight or a pattern that overflows, and the plot then shows
  // no points, as if none had been computed.
  template <typename Read>
  auto readingRecords(Read&& read) -> decltype(read()) {
    try {
      return ebp::explainShortFile(ph_, wh_, true, read);
    } catch (const common::ToolError&) {
      if (plotted_) initPlot(plot_);
      throw;
    }
  }

  // "error", unless reading the records left unread meets one first.
  common::ToolError recordsFirst(const common::ToolError& error) {
    readingRecords([&] { blocks_->checkRest(); });
    return error;
  }

  // The outputs "y" of the block's patterns before "done": the points are
  // plotted and the sums added up in pattern order, while the block before
  // is still being written.
  void addBlock(const ebp::PatternSet& block, const double* y, long done) {
    const int nO = wh_.nO;
    plotted_ = plotted_ || (done > block.first && hooks_.drawPlot);
    for (long p = block.first; p < done; ++p) {
      const double* row = y + static_cast<std::size_t>(p - block.first) * nO;
      for (int k = 1; k <= nO; ++k) {
        const double out = row[k - 1];
        const double target = block.target(p, k);
        if (hooks_.drawPlot) plotPoint(plot_, k, out, target);
        if (hooks_.point) hooks_.point(p, k, out, target);
        perOutput_[static_cast<std::size_t>(k - 1)].add(out, target);
        pooled_.add(out, target);
      }
    }
  }

  const YieldexFiles& files_;
  surface::Surface& plot_;
  const YieldexHooks& hooks_;
  common::MappedFile patternFile_;
  ebp::NetworkSource network_;
  common::OutputFile output_;
  ebp::NumberStream patternStream_;
  const ebp::PatternHeader ph_;
  const ebp::WeightsHeader wh_;
  std::optional<ebp::PatternBlocks> blocks_;
  bool plotted_ = false;  // points drawn since the plot was last cleared
  std::vector<Accumulator> perOutput_;
  Accumulator pooled_;
};

}  // namespace

YieldexResult runYieldex(const YieldexFiles& files, surface::Surface& plot,
                         const YieldexHooks& hooks) {
  call(hooks.refresh);
  initPlot(plot);
  call(hooks.refresh);
  // The output written over an input would destroy it.
  common::checkNoneIsAnInput({files.patterns, files.weights}, {files.output});
  YieldexPass pass(files, plot, hooks);
  const ebp::EbpWeights weights = pass.readWeights();
  if (hooks.sizes) hooks.sizes(pass.patterns(), pass.outputs());
  initPlot(plot);
  call(hooks.wait);
  if (hooks.legend) hooks.legend(pass.outputs());
  pass.computeAll(weights);
  YieldexResult result = pass.result();
  call(hooks.refresh);
  return result;
}

}  // namespace yieldex
