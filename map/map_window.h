// The map window: the picture of a drawing pass in a window of the size the
// pass fitted, the picture area 120 twips in from the top-left corner,
// scrolling when the window is larger than the screen.
#ifndef MAP_MAP_WINDOW_H_
#define MAP_MAP_WINDOW_H_

#include <QImage>
#include <QScrollArea>

#include "map/window_fit.h"

class QLabel;

namespace map {

class MapWindow : public QScrollArea {
 public:
  MapWindow();

  // Shows "picture" in a window of the geometry's size, titled "caption".
  void showPicture(const QImage& picture, const MapGeometry& geometry, const QString& caption);

  // The picture shown, for tests.
  QImage picture() const { return picture_; }

 private:
  QWidget* canvas_;
  QLabel* area_;
  QImage picture_;
};

}  // namespace map

#endif  // MAP_MAP_WINDOW_H_
