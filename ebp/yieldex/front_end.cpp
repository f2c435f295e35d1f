#include "ebp/yieldex/front_end.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>

#include "common/data_table.h"
#include "common/errors.h"
#include "common/program_run.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"
#include "ebp/yieldex/yieldex_window.h"
#include "ui/app.h"
#include "ui/qt_toolkit.h"

namespace ebp {

void addBatchOptions(QCommandLineParser& parser) {
  parser.addOption(QCommandLineOption("weights", "Weights file.", "FILE"));
  parser.addOption(QCommandLineOption("output", "Output file of the network's outputs.", "FILE"));
  parser.addOption(
      QCommandLineOption("plot", "Save the plot as a picture (.bmp, .png, .svg or .pdf).", "FILE"));
  parser.addOption(QCommandLineOption(
      "table",
      "The numbers behind the plot, tab-separated: pattern, output, network output, target.",
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
  YieldexHooks hooks;
  if (!tableFile.empty()) {
    hooks.point = [&table](long p, int k, double y, double t) {
      table.add(static_cast<std::int64_t>(p)).add(k).add(y).add(t).endRow();
    };
  }
  try {
    const YieldexResult result = runYieldex(files, plot, hooks);
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
