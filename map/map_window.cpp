#include "map/map_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <algorithm>

namespace map {
namespace {

int pixels(double twips) { return std::max(1, qRound(twips / kTwipsPerPixel)); }

}  // namespace

MapWindow::MapWindow() : canvas_(new QWidget), area_(new QLabel(canvas_)) {
  setWindowTitle("Favomap");
  setObjectName("Favomap");
  setWidget(canvas_);
  setAttribute(Qt::WA_DeleteOnClose, false);
}

void MapWindow::showPicture(const QImage& picture, const MapGeometry& g, const QString& caption) {
  picture_ = picture;
  const int left = pixels(kPictureLeft);
  const int top = pixels(kPictureTop);
  const int width = std::max(pixels(g.windowWidth) + g.extraColsPx, picture.width() + 2 * left);
  const int height = std::max(pixels(g.windowHeight) + g.extraRowsPx, picture.height() + 2 * top);
  canvas_->setFixedSize(width, height);
  area_->setGeometry(left, top, picture.width(), picture.height());
  area_->setPixmap(QPixmap::fromImage(picture));
  setWindowTitle(caption);
  QSize size(width + 2 * frameWidth(), height + 2 * frameWidth());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size());
  }
  resize(size);
}

}  // namespace map
