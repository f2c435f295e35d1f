// Tremora: how sensitive a trained back-propagation network is to noise on
// each of its inputs.
//
// Without arguments it opens its window; with a pattern file and a weights
// file on the command line it runs once in batch mode.
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <new>
#include <string>

#include "common/errors.h"
#include "ebp/tremora/program_files.h"
#include "ebp/tremora/tremora_run.h"
#include "ebp/tremora/tremora_window.h"
#include "surface/gui_application.h"
#include "ui/app.h"
#include "ui/qt_toolkit.h"

namespace {

int runWindow(QApplication& app) {
  ui::QtToolkit toolkit("Tremora", nullptr);
  ebp::TremoraWindow::Environment env;
  env.toolkit = &toolkit;
  env.programDir = QCoreApplication::applicationDirPath().toStdString();
  env.endProgram = ui::programEnder(app);
  ebp::TremoraWindow window(env);
  window.show();
  return app.exec();
}

std::string crlfToLf(std::string text) {
  for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

int runBatch(const QCommandLineParser& parser) {
  const QStringList args = parser.positionalArguments();
  const ebp::ProgramFiles own =
      ebp::programFiles(QCoreApplication::applicationDirPath().toStdString());
  ebp::SensitivityFiles files{
      args[0].toStdString(), args[1].toStdString(),
      parser.isSet("results") ? parser.value("results").toStdString() : own.results,
      parser.isSet("noise") ? parser.value("noise").toStdString() : own.noise};
  const bool fixed = parser.isSet("fixed");
  const bool terminal = isatty(STDERR_FILENO);
  ebp::SensitivityHooks hooks;
  hooks.fixed = [fixed] { return fixed; };
  hooks.progress = [terminal](int level, int input) {
    if (terminal) std::fprintf(stderr, "\rlevel %d, input %d   ", level, input);
  };
  ebp::UniformRandom random;
  surface::Surface plot(ebp::kPlotWidthPx, ebp::kPlotHeightPx);
  try {
    const ebp::TremoraOutcome outcome = ebp::runTremora(files, hooks, random, plot);
    if (terminal) std::fputs("\r                              \r", stderr);
    std::fputs(crlfToLf(outcome.data).c_str(), stdout);
    std::fputs("\n", stdout);
    std::fputs(crlfToLf(outcome.info).c_str(), stdout);
    std::fputs("\n", stdout);
    if (outcome.noPlot) {
      std::fprintf(stderr, "Tremora: %s\n", outcome.noPlot->c_str());
    } else if (parser.isSet("plot")) {
      plot.save(parser.value("plot").toStdString());
    }
  } catch (const common::ToolError& error) {
    if (terminal) std::fputs("\n", stderr);
    std::fprintf(stderr, "Tremora: %s\n", error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("Tremora: out of memory\n", stderr);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  auto app = ui::startApplication(argc, argv);
  QCoreApplication::setApplicationName("Tremora");
  QCoreApplication::setApplicationVersion(TOOLKIT_VERSION);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Measures how the error of a trained back-propagation network grows when noise is\n"
      "added to each input in turn, at every noise level of noise.cfg (the number of\n"
      "perturbations per pattern, then the levels).  Writes the errors to test.err and\n"
      "shows the relative changes as a table (Data), a run description (Info) and a plot.\n"
      "noise.cfg and test.err default to the program's own folder.\n"
      "Exit status: 0 done; 1 a bad file (named with the item where it went wrong), an\n"
      "overflow, a base error of 0 (test.err is complete then), or a bad command line.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(
      QCommandLineOption("fixed", "Perturb by +level and -level instead of at random."));
  parser.addOption(QCommandLineOption("noise", "Noise configuration file.", "FILE"));
  parser.addOption(QCommandLineOption("results", "Results file (test.err).", "FILE"));
  parser.addOption(
      QCommandLineOption("plot", "Save the plot as a picture (.bmp or .png).", "FILE"));
  parser.addPositionalArgument("PATTERNS", "Pattern file.");
  parser.addPositionalArgument("WEIGHTS", "Weights file.");
  parser.process(*app);
  if (argc == 1) {
    if (surface::hasDisplay()) return runWindow(*app);
    std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (parser.positionalArguments().size() != 2) {
    std::fputs("Tremora: give a pattern file and a weights file (see --help)\n", stderr);
    return 1;
  }
  return runBatch(parser);
}
