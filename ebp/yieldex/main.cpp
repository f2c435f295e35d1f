// Yieldex: applies a trained back-propagation network to a pattern file,
// writes its outputs and reports their errors.
//
// Without arguments it opens its window and asks for the files; with a
// pattern file on the command line it runs once in batch mode.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <new>
#include <string>

#include "common/errors.h"
#include "ebp/yieldex/plot.h"
#include "ebp/yieldex/yieldex_run.h"
#include "ebp/yieldex/yieldex_window.h"
#include "surface/gui_application.h"
#include "ui/app.h"
#include "ui/qt_toolkit.h"

namespace {

int runWindow(QApplication& app) {
  ui::QtToolkit toolkit("Yieldex", nullptr);
  ebp::YieldexWindow::Environment env;
  env.toolkit = &toolkit;
  env.endProgram = ui::programEnder(app);
  ebp::YieldexWindow window(env);
  window.show();
  QTimer::singleShot(0, &window, [&window] { window.run(); });
  return app.exec();
}

int runBatch(const QCommandLineParser& parser) {
  const ebp::YieldexFiles files = ebp::completeFiles(
      parser.positionalArguments().first().toStdString(), parser.value("weights").toStdString(),
      parser.value("output").toStdString());
  surface::Surface plot(ebp::kPlotSizePx, ebp::kPlotSizePx);
  try {
    const ebp::YieldexResult result = ebp::runYieldex(files, plot, {});
    std::string report = result.report;
    for (std::size_t at; (at = report.find("\r\n")) != std::string::npos;) report.erase(at, 1);
    std::fputs(report.c_str(), stdout);
    // After a blank line, in words no report line uses: the path is not part
    // of the report.
    std::printf("\noutput saved to: %s\n", files.output.c_str());
    if (parser.isSet("plot")) plot.save(parser.value("plot").toStdString());
  } catch (const common::ToolError& error) {
    std::fprintf(stderr, "Yieldex: %s\n", error.what());
    if (parser.isSet("plot") && error.fault() == common::Fault::kDivisionByZero) {
      plot.save(parser.value("plot").toStdString());
    }
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("Yieldex: out of memory\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto app = ui::startApplication(argc, argv);
  QCoreApplication::setApplicationName("Yieldex");
  QCoreApplication::setApplicationVersion(TOOLKIT_VERSION);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Applies a trained back-propagation network to a pattern file, writes the network's\n"
      "outputs and reports the mean square error and R^2 per output and overall.\n"
      "PATTERNS gets .pat when its name has no period; the weights default to the pattern\n"
      "file's path up to its first period plus .wgt, the output to the weights file's path\n"
      "up to its first period plus .out.  Without arguments the window opens.\n"
      "Exit status: 0 done; 1 a bad file, an overflow or a zero denominator in the\n"
      "statistics (the output file is then complete), or a bad command line.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(QCommandLineOption("weights", "Weights file.", "FILE"));
  parser.addOption(QCommandLineOption("output", "Output file of the network's outputs.", "FILE"));
  parser.addOption(
      QCommandLineOption("plot", "Save the plot as a picture (.bmp or .png).", "FILE"));
  parser.addPositionalArgument("PATTERNS", "Pattern file.");
  parser.process(*app);
  if (argc == 1) {
    if (surface::hasDisplay()) return runWindow(*app);
    std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (parser.positionalArguments().size() != 1) {
    std::fputs("Yieldex: give one pattern file (see --help)\n", stderr);
    return 1;
  }
  return runBatch(parser);
}
