#include "ebp/yieldex/front_end.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>

#include "common/data_table.h"
#include "common/errors.h"
#include "common/program_run.h"
#include "common/progress.h"
#include "common/text_writer.h"
#include "ebp/yieldex/confusion.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"
#include "ebp/yieldex/yieldex_window.h"
#include "ui/app.h"
#include "ui/qt_toolkit.h"

namespace ebp {

namespace {

// One record of rocplot's score file: the output in 17 digits, the class.
void appendScore(std::string& scores, double y, double t) {
  char line[48];
  std::snprintf(line, sizeof line, "%.17g,%d", y, t >= 0.5 ? 1 : 0);
  scores += line;
  scores += '\n';
}

void saveScores(const std::string& path, const std::string& scores, int output) {
  if (scores.empty()) {
    throw common::makeError(common::Fault::kSubscriptOutOfRange, "", "--score-output",
                            "the network has no output " + std::to_string(output));
  }
  common::TextFileWriter file(path);
  std::size_t start = 0;
  for (std::size_t end; (end = scores.find('\n', start)) != std::string::npos; start = end + 1) {
    file.writeLine(std::string_view(scores).substr(start, end - start));
  }
  file.commit();
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
  const YieldexFiles files =
      completeFiles(parser.positionalArguments().first().toStdString(),
                    parser.value("weights").toStdString(), parser.value("output").toStdString());
  const std::string plotFile = parser.value("plot").toStdString();
  surface::Surface plot(kPlotSizePx, kPlotSizePx);
  if (!plotFile.empty() && surface::Surface::needsShapes(plotFile, scale)) plot.keepShapes();
  const std::string tableFile = parser.value("table").toStdString();
  common::DataTable table({"pattern", "output", "network_output", "target"});
  const std::string scoresFile = parser.value("scores").toStdString();
  bool ok = false;
  const int scoreOutput = parser.value("score-output").toInt(&ok);
  if (!scoresFile.empty() && (!ok || scoreOutput < 1)) {
    throw common::makeError(common::Fault::kSubscriptOutOfRange, "", "--score-output",
                            "a whole number from 1 to the number of outputs");
  }
  std::string scores;
  const std::string confusionFile = parser.value("confusion").toStdString();
  std::optional<ConfusionMatrix> confusion;
  YieldexHooks hooks;
  hooks.drawPlot = !plotFile.empty();  // no picture asked for: no points to draw
  hooks.legend = [&](int outputs) {
    if (confusionFile.empty()) return;
    // kappatest's largest rank.
    if (outputs > 10000) {
      throw common::makeError(common::Fault::kTooLarge, "", "--confusion",
                              "a network of " + std::to_string(outputs) +
                                  " outputs makes more classes than kappatest reads (10000)");
    }
    confusion.emplace(outputs);
  };
  if (!tableFile.empty() || !scoresFile.empty() || !confusionFile.empty()) {
    hooks.point = [&](long p, int k, double y, double t) {
      if (!tableFile.empty()) table.add(static_cast<std::int64_t>(p)).add(k).add(y).add(t).endRow();
      if (!scoresFile.empty() && k == scoreOutput) appendScore(scores, y, t);
      if (confusion) confusion->add(k, y, t);
    };
  }
  // Only on a terminal, and only once the run has taken a second.
  common::ProgressLine progress("Yieldex", 1.0);
  hooks.progress = [&progress](long done, long total) {
    progress.show(static_cast<double>(done), static_cast<double>(total),
                  std::to_string(done) + " of " + std::to_string(total) + " patterns");
  };
  try {
    const YieldexResult result = runYieldex(files, plot, hooks);
    progress.finish();
    std::fputs(common::consoleLineEnds(result.report).c_str(), stdout);
    // After a blank line, in words no report line uses: the path is not part
    // of the report.
    std::printf("\noutput saved to: %s\n", files.output.c_str());
  } catch (const common::ToolError& error) {
    // The statistics come after the last point: the plot is whole.
    if (error.fault() == common::Fault::kDivisionByZero) {
      if (!plotFile.empty()) plot.save(plotFile, scale);
      if (!tableFile.empty()) table.save(tableFile);
    }
    throw;
  }
  if (!plotFile.empty()) plot.save(plotFile, scale);
  if (!tableFile.empty()) table.save(tableFile);
  if (!scoresFile.empty()) saveScores(scoresFile, scores, scoreOutput);
  if (confusion) {
    common::TextFileWriter file(confusionFile);
    file.write(confusion->text());
    file.commit();
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

}  // namespace ebp
