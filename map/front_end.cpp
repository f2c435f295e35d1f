#include "map/front_end.h"

#include <QApplication>
#include <cstdio>
#include <utility>

#include "common/figure_options.h"
#include "common/output_file.h"
#include "common/strings.h"
#include "map/drawing_pass.h"
#include "map/map_table.h"
#include "map/options_dialog.h"
#include "map/settings.h"
#include "surface/picture_formats.h"
#include "ui/app.h"
#include "ui/argument_bytes.h"
#include "ui/figure_arguments.h"
#include "ui/qt_toolkit.h"

namespace map {
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
    {"data-header", "The data file's first line holds column names: leave it out.", nullptr},
    {"classes", "Class file (a class 0..15 per unit), option 4.", "FILE"},
    {"count", "Show the number of objects in each unit instead of labels.", nullptr},
    {"blank", "Show no labels.", nullptr},
    {"first", "First object of a series to trace over the map.", "N"},
    {"num", "Number of objects in the series.", "N"},
    {"connect", "Join the series with a line shading from blue to red.", nullptr},
    {"output", "Picture file: .bmp, .png, or a drawing .svg or .pdf (default Favomap_output.bmp).",
     "FILE"},
    {"style",
     "exact (default): the program's own picture; paper: a figure for a paper, the whole map "
     "with fitted labels and a colour key or class legend (not with --histogram or --outline).",
     "exact|paper"},
    {"size", "Size of the paper figure in centimetres (default 12 wide, the map's aspect).", "WxH"},
    {"title", "Title over the paper figure.", "TEXT"},
    {"class-names",
     "Option 4 with --style paper: the legend's class names, one a line, the first for the "
     "lowest class on the map (classes without a name show their numbers).",
     "FILE"},
    {"table",
     "The numbers behind the map, tab-separated, a row per unit: row, column, centre, "
     "labels, objects and what the option drew there.",
     "FILE"},
    {"config",
     "Settings file (default: Favomap5.cfg in the current folder, else the copy "
     "beside the program, else the installed default).",
     "FILE"},
};

}  // namespace

void addBatchOptions(QCommandLineParser& parser) {
  for (const Option& o : kOptions) {
    if (o.value) {
      parser.addOption(QCommandLineOption(o.name, o.help, o.value));
    } else {
      parser.addOption(QCommandLineOption(o.name, o.help));
    }
  }
  // What --style and --title arrive as; --help shows them under their own names.
  for (const char* inside : {ui::kStyleInside, ui::kTitleInside}) {
    QCommandLineOption hidden(inside, "", "TEXT");
    hidden.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(hidden);
  }
}

namespace {

std::string text(const QCommandLineParser& parser, const char* name) {
  return ui::argumentBytes(parser.value(name));
}

// --style, --size and --title into c.figure; what is wrong with them.
std::optional<std::string> readFigureSettings(const QCommandLineParser& parser, MapControls& c) {
  if (parser.isSet(ui::kStyleInside)) {
    const std::string name = text(parser, ui::kStyleInside);
    const auto style = common::pictureStyleNamed(name);
    if (!style) return "--style takes exact or paper, not \"" + name + "\"";
    c.figure.style = *style;
  }
  if (parser.isSet("size")) {
    c.figure.size = common::parseFigureSize(text(parser, "size"));
    if (!c.figure.size) {
      return "--size takes WxH in centimetres (both above 0, at most 100), not \"" +
             text(parser, "size") + "\"";
    }
  }
  c.figure.title = text(parser, ui::kTitleInside);
  c.classNamesFile = text(parser, "class-names");
  if (parser.isSet("class-names") && !c.figure.paper()) {
    return "--class-names names the classes of --style paper's legend: give --style paper";
  }
  if (c.figure.paper() && (parser.isSet("histogram") || parser.isSet("outline"))) {
    return "--style paper draws colour and class maps, not --histogram or --outline";
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> readControls(const QCommandLineParser& parser, MapControls& c) {
  // Every value comes with its option: a word without one is a mistake
  // (a forgotten option name), not a file to guess at.
  if (!parser.positionalArguments().isEmpty()) {
    return "unexpected argument \"" + ui::argumentBytes(parser.positionalArguments().first()) +
           "\"";
  }
  c.visfile = text(parser, "bmu");
  c.codfile = text(parser, "wgt");
  c.datfile = text(parser, "data");
  c.classfile = text(parser, "classes");
  if (parser.isSet("option")) {
    bool ok = false;
    const int option = parser.value("option").toInt(&ok);
    if (!ok || option < 1 || option > 4) return "--option takes 1, 2, 3 or 4";
    c.option = static_cast<MapOption>(option - 1);
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
  c.dataHeader = parser.isSet("data-header");
  if (parser.isSet("output")) c.bmpout = text(parser, "output");
  if (const auto wrong = readFigureSettings(parser, c)) return wrong;
  if (c.visfile.empty()) return "--bmu FILE is required";
  // Each option reads a file of its own.
  if (c.option == MapOption::kVariables && c.codfile.empty()) return "--option 2 needs --wgt FILE";
  if (c.option == MapOption::kExternal && c.datfile.empty()) return "--option 3 needs --data FILE";
  if (c.option == MapOption::kClasses && c.classfile.empty()) {
    return "--option 4 needs --classes FILE";
  }
  return std::nullopt;
}

int runBatch(const QCommandLineParser& parser, MapControls controls) {
  RunState state;
  takeDialogValues(state, controls);
  const std::string settings = chooseSettingsFile(
      text(parser, "config"), QCoreApplication::applicationDirPath().toStdString());
  const MapControls given = controls;
  std::vector<std::string> inputs = passInputs(state, settings);
  inputs.push_back(controls.classNamesFile);
  common::checkOutputs(inputs,
                       {std::string(common::trimBlanks(controls.bmpout)), text(parser, "table")});
  // A name no format is written under is a mistake of the command line,
  // told as one once the outputs are known not to overwrite an input.
  if (const auto why = surface::unknownPictureFormat(common::trimBlanks(controls.bmpout))) {
    std::fprintf(stderr, "%s: --output: %s (see --help)\n", kProgram, why->c_str());
    return 1;
  }
  const PassResult result = drawingPass(state, controls, settings);
  std::printf("%s\n%s\n", result.caption.c_str(), result.savedPath.c_str());
  // The values the pass corrected, as the dialog's boxes would show them.
  if (controls.colcod != given.colcod) {
    std::printf("color coded variable (.wgt file column #): %s\n", controls.colcod.c_str());
  }
  if (controls.nvarext != given.nvarext) {
    std::printf("color coded variable (data file column #): %s\n", controls.nvarext.c_str());
  }
  if (parser.isSet("table")) {
    mapTable(state, controls, loadSettings(settings)).save(text(parser, "table"));
  }
  return 0;
}

// The window program: the options dialog until Exit or a pass that ends it.
int runDialog(QApplication& app) {
  const std::string programDir = QCoreApplication::applicationDirPath().toStdString();
  OptionsDialog* dialog = nullptr;
  ui::QtToolkit toolkit("Favomap5", nullptr);
  OptionsDialog::Environment env;
  env.settingsPath = [programDir] { return chooseSettingsFile("", programDir); };
  env.toolkit = &toolkit;
  env.endProgram = ui::programEnder(app);
  dialog = new OptionsDialog(env);
  dialog->show();
  const int status = app.exec();
  delete dialog;
  return status;
}

}  // namespace map
