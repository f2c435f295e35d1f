#include "ebp/tremora/front_end.h"

#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/progress.h"
#include "ebp/network_files.h"
#include "ebp/number_stream.h"
#include "ebp/tremora/paper_figure.h"
#include "ebp/tremora/permutation_importance.h"
#include "ebp/tremora/program_files.h"
#include "ebp/tremora/sensitivity_plot.h"
#include "ebp/tremora/tremora_run.h"
#include "ebp/tremora/tremora_window.h"
#include "surface/picture_formats.h"
#include "ui/app.h"
#include "ui/argument_bytes.h"
#include "ui/figure_arguments.h"
#include "ui/qt_toolkit.h"

namespace tremora {
namespace {

// The noise levels of "path", for the progress line's percentage; 0 when
// the file cannot be read (the run then says why).
int countLevels(const std::string& path) {
  try {
    common::MappedFile file(path);
    ebp::NumberStream in(file.text(), path);
    ebp::readPerturbations(in);
    return static_cast<int>(ebp::readNoiseLevels(in).size());
  } catch (const std::exception&) {
    return 0;
  }
}

[[noreturn]] void refuseOption(const char* option, const std::string& why) {
  throw common::makeError(common::Fault::kSubscriptOutOfRange, "", option, why);
}

// --repeats and --seed, checked.
std::pair<long, std::uint64_t> permutationSettings(const QCommandLineParser& parser) {
  for (const char* noiseOption : {"fixed", "noise", "results", "plot"}) {
    if (parser.isSet(noiseOption)) {
      refuseOption("--permutation", std::string("--") + noiseOption +
                                        " belongs to the noise analysis, which --permutation "
                                        "replaces");
    }
  }
  bool ok = false;
  const long repeats = parser.value("repeats").toLong(&ok);
  if (!ok || repeats < 1 || repeats > 1000000) {
    refuseOption("--repeats", "a whole number from 1 to 1000000");
  }
  const std::uint64_t seed = parser.value("seed").toULongLong(&ok);
  if (!ok) refuseOption("--seed", "a whole number from 0 to 18446744073709551615");
  return {repeats, seed};
}

// The permutation importance of every input instead of the noise analysis:
// the lines on standard output, the table when asked for.
int runPermutationBatch(const QCommandLineParser& parser) {
  const auto [repeats, seed] = permutationSettings(parser);
  const QStringList args = parser.positionalArguments();
  const std::string patterns = ui::argumentBytes(args[0]);
  const std::string weights = ui::argumentBytes(args[1]);
  const std::string tableFile = ui::argumentBytes(parser.value("table"));
  common::checkOutputs({patterns, weights}, {tableFile});
  common::ProgressLine progress("Tremora");
  PermutationImportance result;
  try {
    const TremoraNetwork net = readTremoraNetwork(patterns, weights);
    result = permutationImportance(net.set, net.w, repeats, seed, [&](int input, int inputs) {
      progress.show(input - 1.0, inputs,
                    "input " + std::to_string(input) + " of " + std::to_string(inputs));
    });
  } catch (const common::ToolError& e) {
    // The network's overflow and a file of no patterns name no file yet.
    if (e.fault() != common::Fault::kOverflow && e.fault() != common::Fault::kDivisionByZero) {
      throw;
    }
    throw common::withContext(patterns, e);
  }
  progress.finish();
  std::fputs(permutationText(result).c_str(), stdout);
  if (!tableFile.empty()) permutationTable(result).save(tableFile);
  return 0;
}

}  // namespace

void addBatchOptions(QCommandLineParser& parser) {
  parser.addOption(
      QCommandLineOption("fixed", "Perturb by +level and -level instead of at random."));
  parser.addOption(QCommandLineOption("noise", "Noise configuration file.", "FILE"));
  parser.addOption(QCommandLineOption("results", "Results file (test.err).", "FILE"));
  parser.addOption(
      QCommandLineOption("plot", "Save the plot as a picture (.bmp, .png, .svg or .pdf).", "FILE"));
  parser.addOption(QCommandLineOption(
      "table", "The numbers behind the plot, tab-separated: level, input, error, change.", "FILE"));
  parser.addOption(QCommandLineOption(
      "permutation",
      "Instead of the noise analysis, each input's permutation importance: the mean, standard "
      "deviation and 95% interval of the increase of the mean squared error when the input is "
      "shuffled over the patterns, as 'name<TAB>value' lines (and a row per input in --table)."));
  parser.addOption(
      QCommandLineOption("repeats", "The shuffles of each input for --permutation (5).", "N", "5"));
  parser.addOption(QCommandLineOption(
      "seed", "The seed of the shuffles for --permutation (0): the same seed, the same result.",
      "S", "0"));
  ui::addFigureOptions(
      parser,
      "The picture --plot saves: exact (the window's plot, the default) or paper (a figure "
      "with axes, tick labels, a legend of the inputs and, after several rounds, error bars "
      "of +-1 standard deviation across them).",
      "The paper figure's size in centimetres (12x12).");
  parser.addPositionalArgument("PATTERNS", "Pattern file.");
  parser.addPositionalArgument(
      "WEIGHTS", "Weights file (.wgt), or an ONNX model of the same network (.onnx).");
}

int runBatch(const QCommandLineParser& parser, int scale) {
  if (parser.isSet("permutation")) return runPermutationBatch(parser);
  const QStringList args = parser.positionalArguments();
  // The program's own files only where the command line names none: finding
  // them may make the user's folders.
  const std::optional<ProgramFiles> own =
      parser.isSet("results") && parser.isSet("noise")
          ? std::nullopt
          : std::optional(programFiles(QCoreApplication::applicationDirPath().toStdString()));
  const SensitivityFiles files{
      ui::argumentBytes(args[0]), ui::argumentBytes(args[1]),
      parser.isSet("results") ? ui::argumentBytes(parser.value("results")) : own->results,
      parser.isSet("noise") ? ui::argumentBytes(parser.value("noise")) : own->noise};
  const std::string plotFile = ui::argumentBytes(parser.value("plot"));
  const std::string tableFile = ui::argumentBytes(parser.value("table"));
  const common::FigureSettings figure = ui::figureSettings(parser);
  common::checkOutputs({files.patterns, files.weights, files.noise},
                       {files.results, plotFile, tableFile});
  if (const auto why = surface::unknownPictureFormat(plotFile)) {
    std::fprintf(stderr, "Tremora: --plot: %s (see --help)\n", why->c_str());
    return 1;
  }
  const bool fixed = parser.isSet("fixed");
  SensitivityHooks hooks;
  hooks.fixed = [fixed] { return fixed; };
  // On a terminal only; erased when the run ends or stops, before any message.
  common::ProgressLine progress("Tremora");
  const int levels = countLevels(files.noise);
  hooks.progress = [&](int level, int input, int inputs) {
    const std::string where =
        (levels > 0 ? "level " + std::to_string(level) + " of " + std::to_string(levels)
                    : "level " + std::to_string(level)) +
        ", input " + std::to_string(input) + " of " + std::to_string(inputs);
    progress.show((level - 1.0) * inputs + (input - 1), static_cast<double>(levels) * inputs,
                  where);
  };
  UniformRandom random;
  surface::Surface plot(kPlotWidthPx, kPlotHeightPx);
  if (!plotFile.empty() && !figure.paper() && surface::Surface::needsShapes(plotFile, scale)) {
    plot.keepShapes();
  }
  TremoraOutcome outcome;
  try {
    outcome = runTremora(files, hooks, random, plot);
  } catch (const common::ToolError& error) {
    // A base error of 0 is found in the reread of a complete results file,
    // which is kept.
    if (error.fault() == common::Fault::kDivisionByZero) common::OutputBatch::publishOpen();
    throw;
  }
  progress.finish();
  std::fputs(common::consoleLineEnds(outcome.data).c_str(), stdout);
  std::fputs("\n", stdout);
  std::fputs(common::consoleLineEnds(outcome.info).c_str(), stdout);
  std::fputs("\n", stdout);
  if (!tableFile.empty()) sensitivityTable(outcome.table).save(tableFile);
  if (outcome.plot != PlotOutcome::kDrawn) {
    std::fprintf(stderr, "Tremora: %s\n", std::string(whyNoPlot(outcome.plot)).c_str());
  } else if (!plotFile.empty() && figure.paper()) {
    paperFigure(outcome.table, outcome.run.roundSpread, figure).save(plotFile, scale);
  } else if (!plotFile.empty()) {
    plot.save(plotFile, scale);
  }
  return 0;
}

int runWindowProgram(QApplication& app) {
  ui::QtToolkit toolkit("Tremora", nullptr);
  TremoraWindow::Environment env;
  env.toolkit = &toolkit;
  env.programDir = QCoreApplication::applicationDirPath().toStdString();
  env.endProgram = ui::programEnder(app);
  TremoraWindow window(env);
  window.show();
  return app.exec();
}

}  // namespace tremora
