// A window that shows a finished picture and waits for a key.
#ifndef UI_PICTURE_WINDOW_H_
#define UI_PICTURE_WINDOW_H_

#include <QImage>
#include <QString>

namespace ui {

// Shows "picture" at its own size in a window titled "title" and returns
// when a key is pressed in it or it is closed.  Needs a running QApplication.
void showPictureUntilKey(const QImage& picture, const QString& title);

}  // namespace ui

#endif  // UI_PICTURE_WINDOW_H_
