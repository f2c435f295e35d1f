#include "ui/app.h"

#include <QApplication>

#include "surface/gui_application.h"

namespace ui {

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
  surface::prepareHeadless();
  return std::make_unique<QApplication>(argc, argv);
}

std::function<void(int)> programEnder(QApplication& app) {
  return [&app](int status) {
    QApplication::closeAllWindows();
    app.exit(status);
  };
}

void ensureApplication() {
  if (QApplication::instance() != nullptr) return;
  surface::prepareHeadless();
  static int argc = 1;
  static char name[] = "toolkit";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // lives to the end
  (void)app;
}

}  // namespace ui
