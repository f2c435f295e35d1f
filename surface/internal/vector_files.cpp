#include "surface/internal/vector_files.h"

#include <QIODevice>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace surface::internal {
namespace {

constexpr int kDotsPerInch = 96;

}  // namespace

bool writeSvg(const ShapeList& shapes, QSize size, QIODevice& device) {
  const std::string text = shapes.svg(size.width(), size.height());
  return device.write(text.data(), static_cast<qint64>(text.size())) ==
         static_cast<qint64>(text.size());
}

bool writePdf(const ShapeList& shapes, QSize size, QIODevice& device) {
  QPdfWriter pdf(&device);
  pdf.setResolution(kDotsPerInch);
  const QSizeF points(size.width() * 72.0 / kDotsPerInch, size.height() * 72.0 / kDotsPerInch);
  pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait,
                                QMarginsF(0, 0, 0, 0)));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  shapes.paint(painter);
  return painter.end();
}

QImage drawScaled(const ShapeList& shapes, QSize size, int scale) {
  QImage image(size * scale, QImage::Format_RGB32);
  // The fonts' point sizes count at 96 dots per inch, as on the exact picture.
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scale, scale);
  shapes.paint(painter);
  painter.end();
  return image;
}

}  // namespace surface::internal
