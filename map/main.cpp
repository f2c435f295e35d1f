// Favomap5: draws a trained self-organizing map as a picture of hexagons.
//
// Batch mode (any option): the values of the options dialog come from the
// command line, the picture goes to a file, messages to standard error.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <new>
#include <string>

#include "common/errors.h"
#include "map/drawing_pass.h"
#include "map/options_dialog.h"
#include "surface/gui_application.h"
#include "ui/app.h"
#include "ui/qt_toolkit.h"
#include "ui/toolkit.h"

namespace {

struct Option {
  const char* name;
  const char* help;
  const char* value;  // nullptr for a flag
};

constexpr Option kOptions[] = {
    {"bmu", "Best-matching-unit file of the map (required).", "FILE"},
    {"option",
     "Output option: 1 plain map with labels, 2 variables, 3 external variable, "
     "4 class colours (default 1).",
     "N"},
    {"wgt", "Weights file, option 2.", "FILE"},
    {"var", "Variable (weights file column) shown by option 2.", "N"},
    {"histogram", "Option 2: all variables as histograms.", nullptr},
    {"outline", "Option 2: outlines from Fourier coefficients.", nullptr},
    {"distance", "Option 2: sides as thick as the distances between units.", nullptr},
    {"data", "Data file of external variables, option 3.", "FILE"},
    {"column", "Data file column shown by option 3 (default 1).", "N"},
    {"classes", "Class file (a class 0..15 per unit), option 4.", "FILE"},
    {"count", "Show the number of objects in each unit instead of labels.", nullptr},
    {"blank", "Show no labels.", nullptr},
    {"first", "First object of a series to trace over the map.", "N"},
    {"num", "Number of objects in the series.", "N"},
    {"connect", "Join the series with a line shading from blue to red.", nullptr},
    {"output", "Picture file, .bmp or .png (default Favomap_output.bmp).", "FILE"},
    {"config",
     "Settings file (default: Favomap5.cfg in the current folder, else the copy "
     "beside the program).",
     "FILE"},
};

void addOptions(QCommandLineParser& parser) {
  for (const Option& o : kOptions) {
    if (o.value) {
      parser.addOption(QCommandLineOption(o.name, o.help, o.value));
    } else {
      parser.addOption(QCommandLineOption(o.name, o.help));
    }
  }
}

std::string text(const QCommandLineParser& parser, const char* name) {
  return parser.value(name).toStdString();
}

// Fills the dialog's values from the command line; false for a bad option value.
bool readControls(const QCommandLineParser& parser, map::MapControls& c) {
  c.visfile = text(parser, "bmu");
  c.codfile = text(parser, "wgt");
  c.datfile = text(parser, "data");
  c.classfile = text(parser, "classes");
  if (parser.isSet("option")) {
    bool ok = false;
    const int option = parser.value("option").toInt(&ok);
    if (!ok || option < 1 || option > 4) return false;
    c.option = option - 1;
  }
  c.colcod = text(parser, "var");
  if (parser.isSet("column")) c.nvarext = text(parser, "column");
  c.histogram = parser.isSet("histogram");
  c.outline = parser.isSet("outline");
  c.distance = parser.isSet("distance");
  c.countPatterns = parser.isSet("count");
  c.blankUnits = parser.isSet("blank");
  c.first = text(parser, "first");
  c.num = text(parser, "num");
  c.connect = parser.isSet("connect");
  if (parser.isSet("output")) c.bmpout = text(parser, "output");
  return true;
}

// The window program: the options dialog until Exit or a pass that ends it.
int runDialog(QApplication& app) {
  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
  map::OptionsDialog* dialog = nullptr;
  ui::QtToolkit toolkit("Favomap5", nullptr);
  map::OptionsDialog::Environment env;
  env.settingsPath = [programDir] { return map::chooseSettingsFile("", programDir); };
  env.toolkit = &toolkit;
  env.endProgram = ui::programEnder(app);
  dialog = new map::OptionsDialog(env);
  dialog->show();
  const int status = app.exec();
  delete dialog;
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  auto app = ui::startApplication(argc, argv);
  QCoreApplication::setApplicationName("Favomap5");
  QCoreApplication::setApplicationVersion(TOOLKIT_VERSION);
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Draws a trained self-organizing map with a hexagonal lattice as a picture.\n"
      "Exit status: 0 picture saved; 1 the run stopped (bad input, a message of the\n"
      "program, or a bad command line).");
  parser.addHelpOption();
  parser.addVersionOption();
  addOptions(parser);
  parser.process(*app);
  if (argc == 1) {
    if (!surface::hasDisplay()) {
      std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
      return 0;
    }
    return runDialog(*app);
  }
  map::MapControls controls;
  if (!readControls(parser, controls)) {
    std::fputs("Favomap5: --option takes 1, 2, 3 or 4\n", stderr);
    return 1;
  }
  if (controls.visfile.empty()) {
    std::fputs("Favomap5: --bmu FILE is required\n", stderr);
    return 1;
  }
  map::RunState state;
  map::takeDialogValues(state, controls);
  const std::string settings = map::chooseSettingsFile(
      text(parser, "config"), QCoreApplication::applicationDirPath().toStdString());
  const map::MapControls given = controls;
  try {
    const map::PassResult result = map::drawingPass(state, controls, settings);
    std::printf("%s\n%s\n", result.caption.c_str(), result.savedPath.c_str());
    // The values the pass corrected, as the dialog's boxes would show them.
    if (controls.colcod != given.colcod) {
      std::printf("color coded variable (.wgt file column #): %s\n", controls.colcod.c_str());
    }
    if (controls.nvarext != given.nvarext) {
      std::printf("color coded variable (data file column #): %s\n", controls.nvarext.c_str());
    }
  } catch (const common::ProgramMessage& message) {
    ui::ConsoleToolkit("Favomap5").messageBox(message.what(), message.title());
    return 1;
  } catch (const common::ToolError& error) {
    std::fprintf(stderr, "Favomap5: %s\n", error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fputs("Favomap5: out of memory\n", stderr);
    return 1;
  }
  return 0;
}
