#include "ui/front_end.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "surface/gui_application.h"
#include "surface/surface.h"
#include "ui/app.h"
#include "ui/argument_bytes.h"

namespace ui {

FrontEnd::FrontEnd(int& argc, char** argv, const char* program, const char* description)
    : program_(program), argc_(argc), argv_(argv), app_(startApplication(argc, argv)) {
  QCoreApplication::setApplicationName(program);
  QCoreApplication::setApplicationVersion(TOOLKIT_VERSION);
  parser_.setApplicationDescription(description);
  parser_.addHelpOption();
  parser_.addVersionOption();
}

FrontEnd::~FrontEnd() = default;

bool FrontEnd::wantsWindow() {
  // Not the application's arguments: those have lost the bytes of names
  // that are not UTF-8.
  parser_.process(argumentsOf(argc_, argv_));
  if (argc_ > 1) return false;
  if (surface::hasDisplay()) return true;
  std::fprintf(stderr, "%s: no display to open the window on; give a command line.\n\n%s",
               program_.c_str(), parser_.helpText().toLocal8Bit().constData());
  std::exit(1);
}

void FrontEnd::addScaleOption() {
  parser_.addOption(QCommandLineOption(
      "scale", "Bitmaps N times as large, drawn smooth (1 to 8; 1, the exact picture).", "N", "1"));
}

std::optional<int> FrontEnd::scale() const {
  bool ok = false;
  const int n = parser_.value("scale").toInt(&ok);
  if (!ok || n < 1 || n > surface::Surface::kLargestScale) return std::nullopt;
  return n;
}

int FrontEnd::usageError(const std::string& message) const {
  std::fprintf(stderr, "%s: %s (see --help)\n", program_.c_str(), message.c_str());
  return 1;
}

}  // namespace ui
