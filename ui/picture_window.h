// A window that shows a finished picture and waits for a key.
#ifndef UI_PICTURE_WINDOW_H_
#define UI_PICTURE_WINDOW_H_

#include <QImage>
#include <QString>

#include "ui/save_menu.h"

namespace ui {

// Shows "picture" at its own size in a window titled "title" and returns
// when a key is pressed in it or it is closed.  With "save" (and its
// "toolkit"), the window's context menu saves the picture and its numbers.
// Needs a running QApplication.
void showPictureUntilKey(const QImage& picture, const QString& title,
                         const Saveable* save = nullptr, Toolkit* toolkit = nullptr);

}  // namespace ui

#endif  // UI_PICTURE_WINDOW_H_
