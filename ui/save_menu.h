// The context menu of the windows that show a picture: save the picture (as
// drawn, or as a drawing) and the numbers behind it.
#ifndef UI_SAVE_MENU_H_
#define UI_SAVE_MENU_H_

#include <functional>
#include <optional>

#include "common/data_table.h"
#include "surface/surface.h"
#include "ui/toolkit.h"

class QWidget;

namespace ui {

// What a window offers to save; either may give nothing (no run yet).
struct Saveable {
  std::function<const surface::Surface*()> picture;
  std::function<std::optional<common::DataTable>()> table;
};

// Gives "widget" a context menu (right click) with "Save picture as..." (PNG,
// BMP, SVG or PDF) and "Save data as..." (the table, tab-separated).  Files
// are chosen through "toolkit", which must outlive the widget; what cannot
// be saved is said in its message box.
void addSaveMenu(QWidget& widget, Saveable what, Toolkit& toolkit);

// The two entries of the menu.
void savePicture(const Saveable& what, Toolkit& toolkit);
void saveData(const Saveable& what, Toolkit& toolkit);

}  // namespace ui

#endif  // UI_SAVE_MENU_H_
