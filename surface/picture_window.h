// A window that shows a finished picture and waits for a key.
#ifndef SURFACE_PICTURE_WINDOW_H_
#define SURFACE_PICTURE_WINDOW_H_

#include <QImage>
#include <QString>

namespace surface {

// Shows "picture" at its own size in a window titled "title" and returns
// when a key is pressed in it or it is closed.  Needs a running QApplication.
void showPictureUntilKey(const QImage& picture, const QString& title);

}  // namespace surface

#endif  // SURFACE_PICTURE_WINDOW_H_
