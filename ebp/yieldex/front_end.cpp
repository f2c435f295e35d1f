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

#include "common/data_table.h"
#include "common/errors.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/progress.h"
#include "ebp/yieldex/confusion.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"
#include "ebp/yieldex/yieldex_window.h"
#include "surface/picture_formats.h"
#include "ui/app.h"
#include "ui/argument_bytes.h"
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

}  // namespace

void addBatchOptions(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption("weights", "Weights file.", "FILE"));
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
  parser.addPositionalArgument("PATTERNS", "Pattern file.");
}

int runBatch(const QCommandLineParser& parser, int scale) {
  const YieldexFiles files = completeFiles(ui::argumentBytes(parser.positionalArguments().first()),
                                           ui::argumentBytes(parser.value("weights")),
                                           ui::argumentBytes(parser.value("output")));
  const std::string plotFile = ui::argumentBytes(parser.value("plot"));
  const std::string tableFile = ui::argumentBytes(parser.value("table"));
  const std::string scoresFile = ui::argumentBytes(parser.value("scores"));
  const std::string confusionFile = ui::argumentBytes(parser.value("confusion"));
  bool ok = false;
  const int scoreOutput = parser.value("score-output").toInt(&ok);
  if (!scoresFile.empty() && (!ok || scoreOutput < 1)) {
    refuseOption("--score-output", "a whole number from 1 to the number of outputs");
  }
  if (parser.value("output").isEmpty()) checkProposedOutput(files);
  common::checkOutputs({files.patterns, files.weights},
                       {files.output, plotFile, tableFile, scoresFile, confusionFile});
  if (const auto why = surface::unknownPictureFormat(plotFile)) {
    std::fprintf(stderr, "Yieldex: --plot: %s (see --help)\n", why->c_str());
    return 1;
  }
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  if (!plotFile.empty() && surface::Surface::needsShapes(plotFile, scale)) plot.keepShapes();
  StreamedOutputs streamed;
  if (!tableFile.empty()) streamed.table.emplace(tableFile);
  if (!scoresFile.empty()) streamed.scores.emplace(scoresFile);
  std::optional<ConfusionMatrix> confusion;
  YieldexHooks hooks;
  hooks.drawPlot = !plotFile.empty();  // no picture asked for: no points to draw
  hooks.sizes = [&](long patterns, int outputs) {
    if (!scoresFile.empty() && scoreOutput > outputs) {
      refuseOption("--score-output", "the network has no output " + std::to_string(scoreOutput));
    }
    // kappatest's largest rank.
    if (!confusionFile.empty() && outputs > 10000) {
      throw common::makeError(common::Fault::kTooLarge, "", "--confusion",
                              "a network of " + std::to_string(outputs) +
                                  " outputs makes more classes than kappatest reads (10000)");
    }
    if (!plotFile.empty()) {
      plot.requireRoomForShapes(plotFile, static_cast<std::size_t>(std::max(patterns, 0L)) *
                                              static_cast<std::size_t>(std::max(outputs, 0)));
    }
  };
  hooks.legend = [&](int outputs) {
    if (!confusionFile.empty()) confusion.emplace(outputs);
  };
  if (streamed.table || streamed.scores || !confusionFile.empty()) {
    hooks.point = [&](long p, int k, double y, double t) {
      streamed.add(p, k, y, t, scoreOutput);
      if (confusion) confusion->add(k, y, t);
    };
  }
  // Only on a terminal, and only once the run has taken a second.
  common::ProgressLine progress("Yieldex", 1.0);
  hooks.progress = [&progress](long done, long total) {
    progress.show(static_cast<double>(done), static_cast<double>(total),
                  std::to_string(done) + " of " + std::to_string(total) + " patterns");
  };
  auto saveTheRest = [&] {
    if (!plotFile.empty()) plot.save(plotFile, scale);
    streamed.commit();
    if (confusion) {
      common::OutputFile file(confusionFile);
      file.write(confusion->text());
      file.commit();
    }
  };
  try {
    const YieldexResult result = runYieldex(files, plot, hooks);
    progress.finish();
    saveTheRest();
    std::fputs(common::consoleLineEnds(result.report).c_str(), stdout);
    // After a blank line, in words no report line uses: the path is not part
    // of the report.
    std::printf("\noutput saved to: %s\n", files.output.c_str());
  } catch (const common::ToolError& error) {
    // A zero denominator in the statistics comes after the last point: every
    // output is complete and kept, and the run then fails on the report.
    if (error.fault() == common::Fault::kDivisionByZero) {
      saveTheRest();
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
