// rocplot: ROC curve, best operating point and AUC of a binary classifier.
//
//   rocplot FILE [roc] [--picture FILE] [--scale N] [--table FILE] [--report]
//           [--compare OTHER] [--level P] [--header]
#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/console.h"
#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/output_file.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "common/tokens.h"
#include "roc/command_line.h"
#include "roc/point_list.h"
#include "roc/report.h"
#include "roc/roc_table.h"
#include "roc/rocplot.h"
#include "surface/gui_application.h"
#include "ui/app.h"
#include "ui/picture_window.h"
#include "ui/qt_toolkit.h"

int main(int argc, char** argv) {
  common::checkStandardOutputAtExit("rocplot");
  if (common::answeredHelpOrVersion(argc, argv, "rocplot", TOOLKIT_VERSION,
                                    std::string(roc::kUsage) + roc::kHelp)) {
    return 0;
  }
  roc::Arguments args;
  if (!roc::parseArguments(argc, argv, args)) {
    if (!args.problem.empty()) std::fprintf(stderr, "rocplot: %s\n", args.problem.c_str());
    std::fputs(roc::kUsage, stderr);
    return 1;
  }
  // A window keeps the drawing too, for its menu's "Save picture as...".
  const bool window = surface::hasDisplay();
  std::optional<roc::RocRun> run;
  const int status = common::runReportingFailures("rocplot", [&] {
    const std::string input(common::trimBlanks(args.positional[0]));
    const bool pointList = args.positional.size() > 1 && roc::wantsPointList(args.positional[1]);
    common::checkOutputs({input, std::string(common::trimBlanks(args.compare))},
                         {pointList ? roc::kPointListName : "", args.picture, args.table});
    common::MappedFile file(input);
    const std::string_view text = roc::withoutByteOrderMark(file.text());
    const bool shapes = window || surface::Surface::needsShapes(args.picture, args.scale);
    const bool header = roc::checkHeader(text, input, args.header);
    roc::ClassScores scores;
    run.emplace(roc::runRoc(text, input, pointList ? roc::kPointListName : "", shapes,
                            args.report ? &scores : nullptr, header));
    for (const std::string& warning : roc::scoreWarnings(run->findings)) {
      common::warn("rocplot", input, warning);
    }
    if (!args.picture.empty()) run->picture.save(args.picture, args.scale);
    roc::writeNumbers(args, *run, scores, text, input);
    return 0;
  });
  if (status != 0) return status;
  // Every output is in place, and the input is let go: what the window
  // saves is written at once, and the input may change while it is open.
  if (window) {
    auto app = ui::startApplication(argc, argv);
    ui::QtToolkit toolkit("rocplot", nullptr);
    const ui::Saveable save{[&run] { return &run->picture; },
                            [&run] { return roc::rocTable(run->histogram, run->result); }};
    ui::showPictureUntilKey(run->picture.image(), QStringLiteral("rocplot"), &save, &toolkit);
  } else {
    common::waitForKey();
  }
  return 0;
}
