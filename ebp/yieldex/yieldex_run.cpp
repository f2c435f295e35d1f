#include "ebp/yieldex/yieldex_run.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_forms.h"
#include "common/text_writer.h"
#include "ebp/forward_pass.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"
#include "ebp/yieldex/names.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/report.h"

namespace ebp {

std::optional<YieldexFiles> chooseFiles(surface::Toolkit& toolkit) {
  using Kind = surface::FileChoice::Kind;
  YieldexFiles files;
  auto patterns = toolkit.chooseFile(
      {Kind::kOpen, "", "All Files (*.*)|*.*|Patterns Files(*.pat)|*.pat", 2, "", true, false, ""});
  if (!patterns) return std::nullopt;
  files.patterns = withExtension(*patterns, ".pat");
  auto weights =
      toolkit.chooseFile({Kind::kOpen, "", "All Files (*.*)|*.*|Weights Files(*.wgt)|*.wgt", 2,
                          proposedName(files.patterns, ".wgt"), true, false, ""});
  if (!weights) return std::nullopt;
  files.weights = withExtension(*weights, ".wgt");
  auto output =
      toolkit.chooseFile({Kind::kSave, "", "All Files (*.*)|*.*|Output Files(*.out)|*.out", 2,
                          proposedName(files.weights, ".out"), false, true, ""});
  if (!output) return std::nullopt;
  files.output = *output;
  return files;
}

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

// One line per pattern: each output in the file form (sign position, 15
// digits, a trailing blank), then CR LF.
void writeOutputLines(common::TextFileWriter& output, const std::vector<double>& y, long nP,
                      int nO) {
  constexpr std::size_t kFlushAt = 1 << 20;
  std::string lines;
  lines.reserve(kFlushAt + 4096);
  for (long p = 0; p < nP; ++p) {
    const double* row = &y[static_cast<std::size_t>(p) * nO];
    for (int k = 0; k < nO; ++k) common::appendFileNumber(lines, row[k]);
    lines += "\r\n";
    if (lines.size() > kFlushAt) {
      output.write(lines);
      lines.clear();
    }
  }
  output.write(lines);
}

}  // namespace

YieldexResult runYieldex(const YieldexFiles& files, surface::Surface& plot,
                         const YieldexHooks& hooks) {
  call(hooks.refresh);
  graphini(plot);
  call(hooks.refresh);

  common::MappedFile patternFile(files.patterns);
  common::MappedFile weightsFile(files.weights);
  common::TextFileWriter output(files.output);
  NumberStream patternStream(patternFile.text(), files.patterns);
  NumberStream weightsStream(weightsFile.text(), files.weights);
  const PatternHeader ph = readPatternHeader(patternStream);
  const WeightsHeader wh = readWeightsHeader(weightsStream);
  // The weights header's counts of inputs and outputs win over the pattern
  // header's; the pattern header gives the number of patterns.
  const PatternSet patterns = read_patterns(patternStream, wh.nI, wh.nO, ph.nP);
  const EbpWeights weights = read_weights(weightsStream, wh.nI, wh.nH, wh.nO);

  graphini(plot);
  call(hooks.wait);
  if (hooks.legend) hooks.legend(wh.nO);

  std::vector<double> y;
  try {
    y = forwardAll(patterns, weights);
  } catch (const common::ToolError& e) {
    throw common::ToolError(e.fault(), files.patterns + ": " + e.what());
  }
  const int nO = wh.nO;
  // The output file is formatted and written on a second thread while this
  // one plots the points and adds up the sums, both in pattern order.
  std::exception_ptr writeError;
  std::thread writer([&] {
    try {
      writeOutputLines(output, y, patterns.nP, nO);
      output.commit();
    } catch (...) {
      writeError = std::current_exception();
    }
  });
  std::vector<Accumulator> perOutput(static_cast<std::size_t>(std::max(nO, 0)));
  Accumulator pooled;
  for (long p = 1; p <= patterns.nP; ++p) {
    const double* row = &y[static_cast<std::size_t>(p - 1) * nO];
    for (int k = 1; k <= nO; ++k) {
      const double out = row[k - 1];
      const double target = patterns.target(p, k);
      plotPoint(plot, k, out, target);
      perOutput[static_cast<std::size_t>(k - 1)].add(out, target);
      pooled.add(out, target);
    }
  }
  writer.join();
  if (writeError) std::rethrow_exception(writeError);

  YieldexResult result;
  result.patterns = patterns.nP;
  result.outputs = nO;
  try {
    result.statistics = computeStatistics(perOutput, pooled, patterns.nP);
  } catch (const common::ToolError& e) {
    throw common::ToolError(e.fault(), files.patterns + ": " + e.what());
  }
  result.report = reportText(files.patterns, files.weights, result.statistics);
  call(hooks.refresh);
  return result;
}

}  // namespace ebp
