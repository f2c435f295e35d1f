#include "ebp/yieldex/front_end.h"

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "common/data_table.h"
#include "common/errors.h"
#include "common/figure_options.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/progress.h"
#include "ebp/network_source.h"
#include "ebp/onnx_network.h"
#include "ebp/yieldex/confusion.h"
#include "ebp/yieldex/metrics.h"
#include "ebp/yieldex/names.h"
#include "ebp/yieldex/paper_figure.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"
#include "ebp/yieldex/yieldex_window.h"
#include "surface/figure.h"
#include "surface/picture_formats.h"
#include "ui/app.h"
#include "ui/argument_bytes.h"
#include "ui/figure_arguments.h"
#include "ui/qt_toolkit.h"

namespace yieldex {

namespace {

// Blocks of about this size go to --table and --scores as they fill, so that
// memory does not grow with the pattern file.
constexpr std::size_t kStreamBytes = 1 << 20;

// One record of rocplot's score file: the output in 17 digits, the class.
void appendScore(std::string& scores, double y, double t) {
  char line[48];
  std::snprintf(line, sizeof line, "%.17g,%d\r\n", y, t >= 0.5 ? 1 : 0);
  scores += line;
}

// The outputs a batch run may write besides the output file, each opened
// (as a temporary) before the work and written as the points come.
struct StreamedOutputs {
  std::optional<common::OutputFile> table;
  common::DataTable tableRows{{"pattern", "output", "network_output", "target"}};
  std::optional<common::OutputFile> scores;
  std::string scoreText;

  void add(long p, int k, double y, double t, int scoreOutput) {
    if (table) {
      tableRows.add(static_cast<std::int64_t>(p)).add(k).add(y).add(t).endRow();
      if (tableRows.text().size() >= kStreamBytes) tableRows.moveRowsTo(*table);
    }
    if (scores && k == scoreOutput) {
      appendScore(scoreText, y, t);
      if (scoreText.size() >= kStreamBytes) scores->write(std::exchange(scoreText, {}));
    }
  }
  void commit() {
    if (table) {
      tableRows.moveRowsTo(*table);
      table->commit();
    }
    if (scores) {
      scores->write(scoreText);
      scores->commit();
    }
  }
};

[[noreturn]] void refuseOption(const char* option, const std::string& why) {
  throw common::makeError(common::Fault::kSubscriptOutOfRange, "", option, why);
}

// The output file proposed beside the weights file may lie in a folder the
// user cannot write (the installed examples): say so, and how to name
// another.  A folder that is not there is left to the usual checks, which
// name the missing input first.
void checkProposedOutput(const YieldexFiles& files) {
  const std::filesystem::path folder = std::filesystem::path(files.output).parent_path();
  const std::string name = folder.empty() ? "." : folder.string();
  std::error_code ignored;
  if (!std::filesystem::is_directory(name, ignored) || ::access(name.c_str(), W_OK) == 0) return;
  throw common::cannotWrite(files.output,
                            "the output file proposed beside the weights file "
                            "lies in a folder you cannot write; name one with "
                            "--output FILE");
}

// What a batch run's command line names, its options checked.
struct BatchFiles {
  YieldexFiles files;
  std::string plot, table, scores, confusion;
  int scoreOutput = 1;  // the output --scores writes
  bool metrics = false;
  common::FigureSettings figure;  // --style, --size, --title
  bool calibration = false;
};

// --calibration, checked against the style.
void checkCalibration(const QCommandLineParser& parser, const common::FigureSettings& figure) {
  if (parser.isSet("calibration") && !figure.paper()) {
    refuseOption("--calibration", "the reliability diagram belongs to --style paper");
  }
}

// The files of the processed command line (one pattern file).  Throws
// ToolError for a --score-output that is not a whole number from 1, or an
// output that cannot be written.
BatchFiles batchFiles(const QCommandLineParser& parser) {
  BatchFiles names;
  names.files = completeFiles(ui::argumentBytes(parser.positionalArguments().first()),
                              ui::argumentBytes(parser.value("weights")),
                              ui::argumentBytes(parser.value("output")));
  names.plot = ui::argumentBytes(parser.value("plot"));
  names.table = ui::argumentBytes(parser.value("table"));
  names.scores = ui::argumentBytes(parser.value("scores"));
  names.confusion = ui::argumentBytes(parser.value("confusion"));
  names.metrics = parser.isSet("metrics");
  names.figure = ui::figureSettings(parser);
  checkCalibration(parser, names.figure);
  names.calibration = parser.isSet("calibration");
  bool ok = false;
  names.scoreOutput = parser.value("score-output").toInt(&ok);
  if (!names.scores.empty() && (!ok || names.scoreOutput < 1)) {
    refuseOption("--score-output", "a whole number from 1 to the number of outputs");
  }
  if (parser.value("output").isEmpty()) checkProposedOutput(names.files);
  common::checkOutputs(
      {names.files.patterns, names.files.weights},
      {names.files.output, names.plot, names.table, names.scores, names.confusion});
  return names;
}

// The outputs of a batch run besides the output file: the plot, the --table
// and --scores files (opened at once, written as the points come) and the
// --confusion matrix.
class BatchOutputs {
 public:
  BatchOutputs(const BatchFiles& names, int scale)
      : names_(names), scale_(scale), plot_(kPlotSizePx, kPlotSizePx) {
    if (!names.plot.empty() && surface::Surface::needsShapes(names.plot, scale)) {
      plot_.keepShapes();
    }
    if (!names.table.empty()) streamed_.table.emplace(names.table);
    if (!names.scores.empty()) streamed_.scores.emplace(names.scores);
  }

  surface::Surface& plot() { return plot_; }

  // The run's hooks that feed these outputs, and "progress".
  YieldexHooks hooks(common::ProgressLine& progress) {
    YieldexHooks hooks;
    // no picture asked for, or the paper figure: no points to draw
    hooks.drawPlot = !names_.plot.empty() && !paper();
    hooks.sizes = [this](long patterns, int outputs) { checkSizes(patterns, outputs); };
    hooks.legend = [this](int outputs) {
      outputs_ = outputs;
      if (!names_.confusion.empty()) confusion_.emplace(outputs);
      if (names_.metrics) metrics_.emplace(outputs);
    };
    if (streamed_.table || streamed_.scores || !names_.confusion.empty() || names_.metrics ||
        paper()) {
      hooks.point = [this](long p, int k, double y, double t) {
        if (paper()) pairs_.push_back({k, y, t});
        streamed_.add(p, k, y, t, names_.scoreOutput);
        if (confusion_) confusion_->add(k, y, t);
        if (metrics_) metrics_->add(k, y, t);
      };
    }
    hooks.progress = [&progress](long done, long total) {
      progress.show(static_cast<double>(done), static_cast<double>(total),
                    std::to_string(done) + " of " + std::to_string(total) + " patterns");
    };
    return hooks;
  }

  // The --metrics lines, or nothing when not asked for.
  std::string metricsText() const { return metrics_ ? metrics_->text() : std::string(); }

  // Saves the plot and commits the other files.
  void save() {
    if (paper()) {
      savePaperFigure();
    } else if (!names_.plot.empty()) {
      plot_.save(names_.plot, scale_);
    }
    streamed_.commit();
    if (confusion_) {
      common::OutputFile file(names_.confusion);
      file.write(confusion_->text());
      file.commit();
    }
  }

 private:
  bool paper() const { return !names_.plot.empty() && names_.figure.paper(); }

  // The figure for a paper in place of the plot; without targets all 0 or 1
  // a warning and no reliability diagram.
  void savePaperFigure() {
    bool calibration = names_.calibration;
    if (calibration && !targetsAreZeroOrOne(pairs_)) {
      common::warn("Yieldex", names_.files.patterns,
                   "--calibration needs targets all 0 or 1; the figure has no "
                   "reliability diagram");
      calibration = false;
    }
    paperFigure(pairs_, outputs_, names_.figure, calibration).save(names_.plot, scale_);
  }

  // Refuses, before any pattern is computed, what the network's counts make
  // impossible.
  void checkSizes(long patterns, int outputs) {
    if (!names_.scores.empty() && names_.scoreOutput > outputs) {
      refuseOption("--score-output",
                   "the network has no output " + std::to_string(names_.scoreOutput));
    }
    // kappatest's largest rank.
    if (!names_.confusion.empty() && outputs > 10000) {
      throw common::makeError(common::Fault::kTooLarge, "", "--confusion",
                              "a network of " + std::to_string(outputs) +
                                  " outputs makes more classes than kappatest reads (10000)");
    }
    const std::size_t points = static_cast<std::size_t>(std::max(patterns, 0L)) *
                               static_cast<std::size_t>(std::max(outputs, 0));
    // The figure keeps every point until the end, so a streamed run of
    // more than it draws stops here, not when its memory runs out.
    if (paper()) {
      surface::Figure::requireRoom(names_.plot, points);
    } else if (!names_.plot.empty()) {
      plot_.requireRoomForShapes(names_.plot, points);
    }
  }

  const BatchFiles& names_;
  int scale_;
  surface::Surface plot_;
  StreamedOutputs streamed_;
  std::optional<ConfusionMatrix> confusion_;
  std::optional<Metrics> metrics_;
  std::vector<PlottedPair> pairs_;  // the paper figure's points
  int outputs_ = 0;
};

}  // namespace

void addBatchOptions(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption(
      "weights", "Weights file (.wgt), or an ONNX model of the same network (.onnx).", "FILE"));
  parser.addOption(QCommandLineOption("output", "Output file of the network's outputs.", "FILE"));
  parser.addOption(
      QCommandLineOption("plot", "Save the plot as a picture (.bmp, .png, .svg or .pdf).", "FILE"));
  parser.addOption(QCommandLineOption(
      "table",
      "The numbers behind the plot, tab-separated: pattern, output, network output, target.",
      "FILE"));
  parser.addOption(QCommandLineOption(
      "scores",
      "For rocplot: a record 'network output,class' per pattern of output K (--score-output), "
      "the class 1 where the target is at least 0.5, else 0.",
      "FILE"));
  parser.addOption(QCommandLineOption("score-output", "The output --scores writes (1).", "K", "1"));
  parser.addOption(QCommandLineOption(
      "confusion",
      "For kappatest: the confusion matrix, a row per class the network gives (its largest "
      "output), a column per class the targets give; a network of one output has classes 0 "
      "and 1 (at least 0.5).",
      "FILE"));
  parser.addOption(QCommandLineOption(
      "metrics",
      "After the report, per output K a 'name<TAB>value' line each: r2_score_output_K "
      "(1 - SSres/SStot), mean_absolute_error_output_K and, for targets all 0 or 1, "
      "log_loss_output_K, brier_score_output_K and accuracy_output_K (class 1 from 0.5); "
      "nan where undefined."));
  ui::addFigureOptions(
      parser,
      "The picture --plot saves: exact (the window's plot, the default) or paper (a figure "
      "with axes, tick labels and a legend of the outputs).",
      "The paper figure's size in centimetres (12x12; 24x12 with --calibration).");
  parser.addOption(QCommandLineOption(
      "calibration",
      "With --style paper and targets all 0 or 1: a reliability diagram beside the plot (mean "
      "output against the share of targets 1 in 10 bins of the output); other targets get a "
      "warning and no diagram."));
  parser.addOption(QCommandLineOption(
      "export-onnx",
      "Write the network of --weights as an ONNX model (opset 13, float64, input 'patterns' "
      "[N, inputs], output 'outputs' [N, outputs]) and stop; no pattern file.",
      "NET.onnx"));
  parser.addPositionalArgument("PATTERNS", "Pattern file.");
}

int runExport(const QCommandLineParser& parser) {
  for (const char* option : {"output", "plot", "table", "scores", "confusion", "metrics"}) {
    if (parser.isSet(option)) {
      refuseOption("--export-onnx", std::string("converts the network only; --") + option +
                                        " belongs to a run on a pattern file");
    }
  }
  if (!parser.positionalArguments().isEmpty()) {
    refuseOption("--export-onnx", "converts the network only; give no pattern file");
  }
  if (!parser.isSet("weights")) refuseOption("--export-onnx", "needs the network: --weights FILE");
  const std::string weights = withExtension(ui::argumentBytes(parser.value("weights")), ".wgt");
  const std::string model = ui::argumentBytes(parser.value("export-onnx"));
  common::checkOutputs({weights}, {model});
  ebp::NetworkSource network(weights);
  const ebp::WeightsHeader header = network.readHeader();
  const ebp::EbpWeights w = network.readWeights(header.nI, header.nH, header.nO);
  common::OutputFile file(model);
  file.write(ebp::onnxModelOf(w, weights));
  file.commit();
  std::printf("network saved to: %s\n", model.c_str());
  return 0;
}

int runBatch(const QCommandLineParser& parser, int scale) {
  const BatchFiles names = batchFiles(parser);
  if (const auto why = surface::unknownPictureFormat(names.plot)) {
    std::fprintf(stderr, "Yieldex: --plot: %s (see --help)\n", why->c_str());
    return 1;
  }
  BatchOutputs outputs(names, scale);
  // Only on a terminal, and only once the run has taken a second.
  common::ProgressLine progress("Yieldex", 1.0);
  try {
    const YieldexResult result = runYieldex(names.files, outputs.plot(), outputs.hooks(progress));
    progress.finish();
    outputs.save();
    std::fputs(common::consoleLineEnds(result.report).c_str(), stdout);
    std::fputs(outputs.metricsText().c_str(), stdout);
    // After a blank line, in words no report line uses: the path is not part
    // of the report.
    std::printf("\noutput saved to: %s\n", names.files.output.c_str());
  } catch (const common::ToolError& error) {
    // A zero denominator in the statistics comes after the last point: every
    // output is complete and kept, and the run then fails on the report.
    if (error.fault() == common::Fault::kDivisionByZero) {
      outputs.save();
      common::OutputBatch::publishOpen();
    }
    throw;
  }
  return 0;
}

int runWindowProgram(QApplication& app) {
  ui::QtToolkit toolkit("Yieldex", nullptr);
  YieldexWindow::Environment env;
  env.toolkit = &toolkit;
  env.endProgram = ui::programEnder(app);
  YieldexWindow window(env);
  window.show();
  QTimer::singleShot(0, &window, [&window] { window.run(); });
  return app.exec();
}

}  // namespace yieldex
