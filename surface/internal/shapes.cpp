#include "surface/internal/shapes.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "surface/internal/text_bytes.h"

namespace surface::internal {
namespace {

QColor colourOf(std::uint32_t argb) { return QColor::fromRgb(argb); }

// A round pen as wide as the raster's brush; dotted: one pixel on, one off.
QPen penOf(const Stroke& stroke) {
  QPen pen(colourOf(stroke.argb));
  pen.setWidthF(stroke.width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  if (stroke.dotted && stroke.width <= 1) {
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({1.0, 1.0});
  }
  return pen;
}

// The centre of pixel (c, r).
QPointF centre(double c, double r) { return {c + 0.5, r + 0.5}; }

}  // namespace

bool ShapeList::add(const Shape& s) {
  if (shapes_.size() >= kMostShapes) {
    overflowed_ = true;
    return false;
  }
  shapes_.push_back(s);
  return true;
}

void ShapeList::clear(std::uint32_t argb, int width, int height) {
  overflowed_ = false;
  shapes_.clear();
  numbers_.clear();
  texts_.clear();
  Shape s{Kind::kClear, 0, 0, static_cast<double>(width), static_cast<double>(height)};
  s.stroke.argb = argb;
  shapes_.push_back(s);
}

void ShapeList::line(double c1, double r1, double c2, double r2, const Stroke& stroke) {
  Shape s{Kind::kLine, c1, r1, c2, r2};
  s.stroke = stroke;
  add(s);
}

void ShapeList::filledRect(int c1, int r1, int c2, int r2, std::uint32_t argb) {
  Shape s{Kind::kFilledRect, static_cast<double>(std::min(c1, c2)),
          static_cast<double>(std::min(r1, r2)), static_cast<double>(std::max(c1, c2)),
          static_cast<double>(std::max(r1, r2))};
  s.stroke.argb = argb;
  add(s);
}

void ShapeList::circle(int c, int r, int radius, const Stroke& stroke, bool filled,
                       std::uint32_t fillArgb) {
  Shape s{Kind::kCircle, static_cast<double>(c), static_cast<double>(r),
          static_cast<double>(radius)};
  s.stroke = stroke;
  s.filled = filled;
  s.fillArgb = fillArgb;
  add(s);
}

void ShapeList::dot(int c, int r, const Stroke& stroke) {
  Shape s{Kind::kDot, static_cast<double>(c), static_cast<double>(r)};
  s.stroke = stroke;
  add(s);
}

void ShapeList::polygon(const std::vector<double>& colsRows, std::uint32_t argb) {
  Shape s{Kind::kPolygon};
  s.stroke.argb = argb;
  s.first = static_cast<std::uint32_t>(numbers_.size());
  s.count = static_cast<std::uint32_t>(colsRows.size());
  if (add(s)) numbers_.insert(numbers_.end(), colsRows.begin(), colsRows.end());
}

void ShapeList::runs(const std::vector<int>& rowFirstLast, std::uint32_t argb) {
  Shape s{Kind::kRuns};
  s.stroke.argb = argb;
  s.first = static_cast<std::uint32_t>(numbers_.size());
  s.count = static_cast<std::uint32_t>(rowFirstLast.size());
  if (add(s)) numbers_.insert(numbers_.end(), rowFirstLast.begin(), rowFirstLast.end());
}

void ShapeList::text(int c, int r, const std::string& text, const std::string& family,
                     double points, bool fixed, std::uint32_t argb) {
  Shape s{Kind::kText, static_cast<double>(c), static_cast<double>(r)};
  s.stroke.argb = argb;
  s.first = static_cast<std::uint32_t>(texts_.size());
  if (add(s)) texts_.push_back({text, family, points, fixed});
}

void ShapeList::paint(QPainter& painter) const {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Solid lines that follow one another with the same stroke go out as one
  // call: a vector file then holds one group of them, not one each.
  std::vector<QLineF> batch;
  for (std::size_t i = 0; i < shapes_.size(); ++i) {
    const Shape& s = shapes_[i];
    const bool plainLine = s.kind == Kind::kLine && !s.stroke.dotted && !(s.a == s.c && s.b == s.d);
    if (!plainLine) {
      paintShape(painter, s);
      continue;
    }
    batch.clear();
    std::size_t j = i;
    for (; j < shapes_.size(); ++j) {
      const Shape& t = shapes_[j];
      if (t.kind != Kind::kLine || t.stroke.dotted || (t.a == t.c && t.b == t.d) ||
          t.stroke.argb != s.stroke.argb || t.stroke.width != s.stroke.width) {
        break;
      }
      batch.emplace_back(centre(t.a, t.b), centre(t.c, t.d));
    }
    painter.setPen(penOf(s.stroke));
    painter.drawLines(batch.data(), static_cast<int>(batch.size()));
    i = j - 1;
  }
}

void ShapeList::paintShape(QPainter& painter, const Shape& s) const {
  switch (s.kind) {
    case Kind::kClear:
      painter.fillRect(QRectF(0, 0, s.c, s.d), colourOf(s.stroke.argb));
      break;
    case Kind::kLine:
      paintLine(painter, s);
      break;
    case Kind::kFilledRect:
      painter.fillRect(QRectF(s.a, s.b, s.c - s.a + 1, s.d - s.b + 1), colourOf(s.stroke.argb));
      break;
    case Kind::kCircle:
      painter.setPen(penOf(s.stroke));
      painter.setBrush(s.filled ? QBrush(colourOf(s.fillArgb)) : QBrush(Qt::NoBrush));
      painter.drawEllipse(centre(s.a, s.b), s.c, s.c);
      painter.setBrush(Qt::NoBrush);
      break;
    case Kind::kDot:
      paintDot(painter, s);
      break;
    case Kind::kPolygon:
      paintPolygon(painter, s);
      break;
    case Kind::kRuns:
      paintRuns(painter, s);
      break;
    case Kind::kText:
      paintText(painter, s);
      break;
  }
}

void ShapeList::paintLine(QPainter& painter, const Shape& s) {
  QPen pen = penOf(s.stroke);
  if (s.stroke.dotted && s.stroke.width <= 1) {
    // The raster paints every other step of the line, a step being one
    // pixel along the longer axis: dashes of one step's length.
    const double steps = std::max(std::fabs(s.c - s.a), std::fabs(s.d - s.b));
    const double step = steps > 0 ? std::hypot(s.c - s.a, s.d - s.b) / steps : 1.0;
    pen.setDashPattern({step, step});
  }
  painter.setPen(pen);
  if (s.a == s.c && s.b == s.d) {
    painter.drawPoint(centre(s.a, s.b));
  } else {
    painter.drawLine(centre(s.a, s.b), centre(s.c, s.d));
  }
}

void ShapeList::paintDot(QPainter& painter, const Shape& s) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(colourOf(s.stroke.argb));
  if (s.stroke.width <= 1) {
    painter.drawRect(QRectF(s.a, s.b, 1, 1));
  } else {
    painter.drawEllipse(centre(s.a, s.b), s.stroke.width / 2.0, s.stroke.width / 2.0);
  }
  painter.setBrush(Qt::NoBrush);
}

void ShapeList::paintPolygon(QPainter& painter, const Shape& s) const {
  QPolygonF polygon;
  for (std::uint32_t i = s.first; i + 1 < s.first + s.count; i += 2) {
    polygon << centre(numbers_[i], numbers_[i + 1]);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(colourOf(s.stroke.argb));
  painter.drawPolygon(polygon);
  painter.setBrush(Qt::NoBrush);
}

void ShapeList::paintRuns(QPainter& painter, const Shape& s) const {
  QPainterPath path;
  for (std::uint32_t i = s.first; i + 2 < s.first + s.count + 0; i += 3) {
    const double row = numbers_[i], first = numbers_[i + 1], last = numbers_[i + 2];
    path.addRect(QRectF(first, row, last - first + 1, 1));
  }
  painter.fillPath(path.simplified(), colourOf(s.stroke.argb));
}

void ShapeList::paintText(QPainter& painter, const Shape& s) const {
  const TextRun& t = texts_[s.first];
  const QString text = textOf(t.text);
  painter.setPen(colourOf(s.stroke.argb));
  if (t.fixed) {
    // The 8 x 8 font as a fixed-pitch font squeezed to 8 pixels a letter.
    QFont font("Liberation Mono");
    font.setPixelSize(9);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double advance = metrics.horizontalAdvance(text);
    painter.save();
    painter.translate(s.a, s.b + 7);
    if (advance > 0) painter.scale(8.0 * text.size() / advance, 1.0);
    painter.drawText(QPointF(0, 0), text);
    painter.restore();
  } else {
    QFont font(QString::fromStdString(t.family));
    font.setPointSizeF(t.points);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    painter.drawText(QPointF(s.a, s.b + metrics.ascent()), text);
  }
}

}  // namespace surface::internal
