#include "ui/save_menu.h"

#include <QAction>
#include <QWidget>

#include "common/errors.h"

namespace ui {

void savePicture(const Saveable& what, Toolkit& toolkit) {
  const surface::Surface* picture = what.picture ? what.picture() : nullptr;
  if (picture == nullptr) {
    toolkit.messageBox("There is no picture to save yet.", "");
    return;
  }
  const auto path = toolkit.chooseFile(
      {FileChoice::Kind::kSave, "Save picture as",
       "PNG picture (*.png)|*.png|Windows bitmap (*.bmp)|*.bmp|SVG drawing (*.svg)|*.svg|"
       "PDF drawing (*.pdf)|*.pdf",
       1, "", false, false, "png"});
  if (!path) return;
  try {
    picture->save(*path);
  } catch (const common::ToolError& error) {
    toolkit.messageBox(error.what(), "");
  }
}

void saveData(const Saveable& what, Toolkit& toolkit) {
  const std::optional<common::DataTable> table = what.table ? what.table() : std::nullopt;
  if (!table) {
    toolkit.messageBox("There are no numbers to save: no run yet, or more than the window keeps.",
                       "");
    return;
  }
  const auto path = toolkit.chooseFile({FileChoice::Kind::kSave, "Save data as",
                                        "Tab-separated table (*.tsv)|*.tsv|All files (*.*)|*.*", 1,
                                        "", false, false, "tsv"});
  if (!path) return;
  try {
    table->save(*path);
  } catch (const common::ToolError& error) {
    toolkit.messageBox(error.what(), "");
  }
}

void addSaveMenu(QWidget& widget, Saveable what, Toolkit& toolkit) {
  widget.setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* picture = new QAction(QStringLiteral("Save picture as..."), &widget);
  auto* data = new QAction(QStringLiteral("Save data as..."), &widget);
  QObject::connect(picture, &QAction::triggered, &widget,
                   [what, &toolkit] { savePicture(what, toolkit); });
  QObject::connect(data, &QAction::triggered, &widget,
                   [what, &toolkit] { saveData(what, toolkit); });
  widget.addAction(picture);
  widget.addAction(data);
}

}  // namespace ui
