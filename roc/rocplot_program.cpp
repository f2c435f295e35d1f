#include "roc/rocplot_program.h"

#include <QApplication>
#include <QString>
#include <cstdio>
#include <optional>

#include "common/console.h"
#include "common/program_run.h"
#include "roc/paper_figure.h"
#include "roc/roc_table.h"
#include "roc/rocplot_run.h"
#include "roc/several_files.h"
#include "surface/gui_application.h"
#include "ui/app.h"
#include "ui/picture_window.h"
#include "ui/qt_toolkit.h"

namespace roc {

int runRocplot(int argc, char** argv, const Arguments& args) {
  if (args.multiclass) {
    return common::runReportingFailures("rocplot", [&] {
      runMulticlassFiles(args);
      return 0;
    });
  }
  if (args.several) {
    // Several classifiers make a figure and a report, not a window.
    return common::runReportingFailures("rocplot", [&] {
      const SeveralFilesRun run = runSeveralFiles(args);
      if (!args.figure.path.empty()) saveRocFigure(run.curves, args.figure, args.scale);
      std::fputs(run.report.c_str(), stdout);
      return 0;
    });
  }
  // A window keeps the drawing too, for its menu's "Save picture as...".
  const bool window = surface::hasDisplay();
  std::optional<RocRun> run;
  const int status = common::runReportingFailures("rocplot", [&] {
    run.emplace(runRocFiles(args, window));
    return 0;
  });
  if (status != 0) return status;
  // Every output is in place, and the input is let go: what the window
  // saves is written at once, and the input may change while it is open.
  if (window) {
    auto app = ui::startApplication(argc, argv);
    ui::QtToolkit toolkit("rocplot", nullptr);
    const ui::Saveable save{[&run] { return &run->picture; },
                            [&run] { return rocTable(run->histogram, run->result); }};
    ui::showPictureUntilKey(run->picture.image(), QStringLiteral("rocplot"), &save, &toolkit);
  } else {
    common::waitForKey();
  }
  return 0;
}

}  // namespace roc
