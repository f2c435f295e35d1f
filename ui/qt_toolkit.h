// The window toolkit's message box as a Qt dialog.
#ifndef UI_QT_TOOLKIT_H_
#define UI_QT_TOOLKIT_H_

#include <QString>

#include "ui/toolkit.h"

class QWidget;

namespace ui {

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

}  // namespace ui

#endif  // UI_QT_TOOLKIT_H_
