#include "ui/app.h"

#include <QApplication>

#include "surface/gui_application.h"
#include "ui/figure_arguments.h"

namespace ui {

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
  surface::prepareHeadless();
  renameFigureArguments(argc, argv);
  return std::make_unique<QApplication>(argc, argv);
}

std::function<void(int)> programEnder(QApplication& app) {
  return [&app](int status) {
    QApplication::closeAllWindows();
    app.exit(status);
  };
}

void ensureApplication() { surface::ensureApplicationOf<QApplication>(); }

}  // namespace ui
