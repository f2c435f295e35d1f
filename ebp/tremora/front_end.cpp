#include "ebp/tremora/front_end.h"

#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <string>

#include "common/errors.h"
#include "common/program_run.h"
#include "ebp/tremora/program_files.h"
#include "ebp/tremora/sensitivity_plot.h"
#include "ebp/tremora/tremora_run.h"
#include "ebp/tremora/tremora_window.h"
#include "ui/app.h"
#include "ui/qt_toolkit.h"

namespace ebp {

void addBatchOptions(QCommandLineParser& parser) {
  parser.addOption(
      QCommandLineOption("fixed", "Perturb by +level and -level instead of at random."));
  parser.addOption(QCommandLineOption("noise", "Noise configuration file.", "FILE"));
  parser.addOption(QCommandLineOption("results", "Results file (test.err).", "FILE"));
  parser.addOption(
      QCommandLineOption("plot", "Save the plot as a picture (.bmp, .png, .svg or .pdf).", "FILE"));
  parser.addOption(QCommandLineOption(
      "table", "The numbers behind the plot, tab-separated: level, input, error, change.", "FILE"));
  parser.addPositionalArgument("PATTERNS", "Pattern file.");
  parser.addPositionalArgument("WEIGHTS", "Weights file.");
}

int runBatch(const QCommandLineParser& parser, int scale) {
  const QStringList args = parser.positionalArguments();
  const ProgramFiles own = programFiles(QCoreApplication::applicationDirPath().toStdString());
  const SensitivityFiles files{
      args[0].toStdString(), args[1].toStdString(),
      parser.isSet("results") ? parser.value("results").toStdString() : own.results,
      parser.isSet("noise") ? parser.value("noise").toStdString() : own.noise};
  const bool fixed = parser.isSet("fixed");
  const bool terminal = isatty(STDERR_FILENO);
  SensitivityHooks hooks;
  hooks.fixed = [fixed] { return fixed; };
  hooks.progress = [terminal](int level, int input) {
    if (terminal) std::fprintf(stderr, "\rlevel %d, input %d   ", level, input);
  };
  UniformRandom random;
  surface::Surface plot(kPlotWidthPx, kPlotHeightPx);
  const std::string plotFile = parser.value("plot").toStdString();
  if (!plotFile.empty() && surface::Surface::needsShapes(plotFile, scale)) plot.keepShapes();
  TremoraOutcome outcome;
  try {
    outcome = runTremora(files, hooks, random, plot);
  } catch (const common::ToolError&) {
    if (terminal) std::fputs("\n", stderr);  // the message below the progress line
    throw;
  }
  if (terminal) std::fputs("\r                              \r", stderr);
  std::fputs(common::consoleLineEnds(outcome.data).c_str(), stdout);
  std::fputs("\n", stdout);
  std::fputs(common::consoleLineEnds(outcome.info).c_str(), stdout);
  std::fputs("\n", stdout);
  if (parser.isSet("table")) {
    sensitivityTable(outcome.table).save(parser.value("table").toStdString());
  }
  if (outcome.plot != PlotOutcome::kDrawn) {
    std::fprintf(stderr, "Tremora: %s\n", std::string(whyNoPlot(outcome.plot)).c_str());
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

}  // namespace ebp
