#include "roc/several_files.h"

#include <memory>
#include <string_view>

#include "common/mapped_file.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "roc/report.h"
#include "roc/rocplot.h"
#include "roc/score_file.h"

namespace roc {
namespace {

// One input file, its text kept for the pairs.
struct InputFile {
  std::string path, name;
  std::unique_ptr<common::MappedFile> file;
  std::string_view text;
  bool header = false;
};

// The block of two files' paired test, or the note that they hold other
// cases.
std::string pairLines(const InputFile& a, const InputFile& b, double level) {
  std::string out = "pair\t" + a.name + "\t" + b.name + "\n";
  const PairedRecords paired = sameCaseScores(a.text, a.path, b.text, b.path, a.header, b.header);
  if (!paired.mismatch.empty()) return out + "skipped\t" + paired.mismatch + "\n";
  return out + comparisonReport(compareAucs(paired.scores.first, paired.scores.second, level),
                                level, false);
}

}  // namespace

SeveralFilesRun runSeveralFiles(const Arguments& args) {
  std::vector<InputFile> inputs;
  const std::vector<std::string> names = args.curveNames();
  for (const std::string& file : args.inputFiles()) {
    InputFile input;
    input.path = std::string(common::trimBlanks(file));
    input.name = names[inputs.size()];
    inputs.push_back(std::move(input));
  }
  std::vector<std::string> paths;
  for (const InputFile& input : inputs) paths.push_back(input.path);
  common::checkOutputs(paths, {args.figure.path});
  SeveralFilesRun out;
  const bool figure = !args.figure.path.empty();
  BootstrapPlan band;
  band.resamples = static_cast<std::size_t>(args.resamples());
  band.seed = args.seed;
  for (InputFile& input : inputs) {
    input.file = std::make_unique<common::MappedFile>(input.path);
    input.text = withoutByteOrderMark(input.file->text());
    input.header = checkHeader(input.text, input.path, args.header);
    ClassScores scores;
    const RocRun run = runRoc(input.text, input.path, "", false, &scores, input.header);
    for (const std::string& warning : scoreWarnings(run.findings)) {
      common::warn("rocplot", input.path, warning);
    }
    const std::string lines = scoreReport(args, run, scores);
    if (!lines.empty()) out.report += "file\t" + input.name + "\n" + lines;
    if (figure) {
      out.curves.push_back(curveForFigure(input.name, scores, run.result, args.level,
                                          args.figure.ciBand ? &band : nullptr));
    }
  }
  for (std::size_t i = 0; args.report && i < inputs.size(); ++i) {
    for (std::size_t k = i + 1; k < inputs.size(); ++k) {
      out.report += pairLines(inputs[i], inputs[k], args.level);
    }
  }
  return out;
}

}  // namespace roc
