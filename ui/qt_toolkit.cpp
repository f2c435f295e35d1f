#include "ui/qt_toolkit.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace ui {

void QtToolkit::messageBox(std::string_view prompt, std::string_view title) {
  const QString caption =
      title.empty() ? program_
                    : QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
  QMessageBox box(QMessageBox::NoIcon, caption,
                  QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())),
                  QMessageBox::Ok, parent_);
  box.exec();
}

}  // namespace ui

namespace ui {
namespace {

// "All Files (*.*)|*.*|Patterns Files(*.pat)|*.pat" as Qt's name filters.
QStringList nameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    filters << (description.contains('(') ? description : description + " (" + parts[i + 1] + ")");
  }
  return filters;
}

}  // namespace

std::optional<std::string> QtToolkit::chooseFile(const FileChoice& choice) {
  QFileDialog dialog(parent_, QString::fromStdString(choice.title));
  const QStringList filters = nameFilters(choice.filter);
  dialog.setNameFilters(filters);
  if (choice.filterIndex >= 1 && choice.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[choice.filterIndex - 1]);
  }
  if (!choice.proposedName.empty()) dialog.selectFile(QString::fromStdString(choice.proposedName));
  if (!choice.defaultExtension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(choice.defaultExtension));
  }
  if (choice.kind == FileChoice::Kind::kOpen) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(choice.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  }
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    if (choice.confirmCreate && !QFileInfo::exists(path)) {
      const auto answer = QMessageBox::question(
          parent_, program_, path + "\nThis file does not exist.\nCreate the file?",
          QMessageBox::Yes | QMessageBox::No);
      if (answer != QMessageBox::Yes) continue;
    }
    return path.toStdString();
  }
}

}  // namespace ui
