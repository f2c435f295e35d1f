// The window toolkit's message box as a Qt dialog.
#ifndef SURFACE_QT_TOOLKIT_H_
#define SURFACE_QT_TOOLKIT_H_

#include <QString>

#include "surface/toolkit.h"

class QWidget;

namespace surface {

class QtToolkit : public Toolkit {
 public:
  // "program" titles the boxes that have no title of their own; "parent"
  // (may be null) is the window the boxes stand over.
  QtToolkit(QString program, QWidget* parent) : program_(std::move(program)), parent_(parent) {}
  void messageBox(std::string_view prompt, std::string_view title) override;
  std::optional<std::string> chooseFile(const FileChoice& choice) override;

 private:
  QString program_;
  QWidget* parent_;
};

}  // namespace surface

#endif  // SURFACE_QT_TOOLKIT_H_
