#include "surface/qt_toolkit.h"

#include <QMessageBox>

namespace surface {

void QtToolkit::messageBox(std::string_view prompt, std::string_view title) {
  const QString caption =
      title.empty() ? program_
                    : QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
  QMessageBox box(QMessageBox::NoIcon, caption,
                  QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
                  QMessageBox::Ok, parent_);
  box.exec();
}

}  // namespace surface
