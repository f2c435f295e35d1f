#include "surface/surface.h"

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/errors.h"
#include "common/output_file.h"
#include "surface/gui_application.h"
#include "surface/internal/raster.h"
#include "surface/internal/shapes.h"
#include "surface/internal/text_bytes.h"
#include "surface/internal/vector_files.h"
#include "surface/picture_formats.h"

namespace surface {
namespace {

using internal::Pen;
using internal::Raster;

std::uint32_t toArgb(Colour c) {
  return 0xFF000000u | (static_cast<std::uint32_t>(common::redOf(c)) << 16) |
         (static_cast<std::uint32_t>(common::greenOf(c)) << 8) |
         static_cast<std::uint32_t>(common::blueOf(c));
}

Colour fromArgb(std::uint32_t argb) {
  return common::rgb(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                     static_cast<int>(argb & 0xFF));
}

// A pixel coordinate from its unrounded value: halves away from zero, and
// held within a range where integer arithmetic on it cannot overflow.
int roundPixel(double p) { return static_cast<int>(std::round(std::clamp(p, -1.0e9, 1.0e9))); }

}  // namespace

struct Surface::Impl {
  QImage image;
  internal::FillMarks fillMarks;
  std::unique_ptr<internal::ShapeList> shapes;  // kept only when asked for
  bool pixelsOnly = false;                      // drawing skips the shapes meanwhile
  // Mapping: col = (x - left) * colsPerX, row = rowBase + (y - top) * rowsPerY,
  // the row then rounded (scale) or subtracted from H - 1 after rounding (window).
  double left = 0, top = 0, right = 0, bottom = 0;
  bool window = false;
  double colsPerX = 1, rowsPerY = 1;
  double curX = 0, curY = 0;
  Colour pen = common::kBlack;
  int width = 1;
  DrawStyle style = DrawStyle::kSolid;
  FillStyle fillStyle = FillStyle::kTransparent;
  Colour fill = common::kBlack;
  std::string fontName{kFixedFont};
  double fontPoints = 8.25;

  Raster raster() {
    return Raster{reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
                  static_cast<int>(image.bytesPerLine() / 4)};
  }
  double colOf(double x) const { return (x - left) * colsPerX; }
  double rowOf(double y) const {
    if (window) return (image.height() - 1) - std::round((y - bottom) * rowsPerY);
    return (y - top) * rowsPerY;
  }
  internal::Stroke strokeOf(const Pen& p) const { return {p.argb, p.width, p.dotted}; }
  Pen penFor(std::optional<Colour> colour) const {
    return Pen{toArgb(colour.value_or(pen)), width, style == DrawStyle::kDotted};
  }
  bool fixedFont() const { return fontName == kFixedFont; }
  // The font and its metrics, made once per font choice: labels measure and
  // print thousands of texts.
  mutable std::optional<QFont> font;
  mutable std::optional<QFontMetrics> metrics;
  void forgetFont() {
    metrics.reset();
    font.reset();
  }
  const QFont& qfont() const {
    if (!font) {
      ensureGuiApplication();
      font.emplace(QString::fromStdString(fontName));
      font->setPointSizeF(fontPoints);
      font->setStyleStrategy(QFont::NoAntialias);
    }
    return *font;
  }
  const QFontMetrics& fontMetrics() const {
    if (!metrics) metrics.emplace(qfont(), &image);
    return *metrics;
  }
  // Text line height in pixels.
  int lineHeightPx() const { return fixedFont() ? 8 : fontMetrics().height(); }
};

Surface::Surface(int widthPx, int heightPx) : impl_(std::make_unique<Impl>()) {
  impl_->image = QImage(std::max(widthPx, 1), std::max(heightPx, 1), QImage::Format_RGB32);
  // 96 dots per inch, so that point sizes of fonts map as on the screen.
  impl_->image.setDotsPerMeterX(3780);
  impl_->image.setDotsPerMeterY(3780);
  setScale(0, 0, impl_->image.width(), impl_->image.height());
  clear();
}

Surface::~Surface() = default;
Surface::Surface(Surface&&) noexcept = default;
Surface& Surface::operator=(Surface&&) noexcept = default;

int Surface::widthPx() const { return impl_->image.width(); }
int Surface::heightPx() const { return impl_->image.height(); }

void Surface::clear(Colour background) {
  impl_->image.fill(toArgb(background));
  if (impl_->shapes) impl_->shapes->clear(toArgb(background), widthPx(), heightPx());
  impl_->curX = impl_->left;
  impl_->curY = impl_->top;
}

void Surface::setScale(double left, double top, double right, double bottom) {
  Impl& s = *impl_;
  s.left = left;
  s.top = top;
  s.right = right;
  s.bottom = bottom;
  s.window = false;
  s.colsPerX = s.image.width() / (right - left);
  s.rowsPerY = s.image.height() / (bottom - top);
}

void Surface::setWindow(double left, double bottom, double right, double top) {
  setScale(left, top, right, bottom);
  impl_->window = true;
  impl_->rowsPerY = impl_->image.height() / (top - bottom);
}

PixelPoint Surface::toPixel(double x, double y) const {
  double col = impl_->colOf(x);
  double row = impl_->rowOf(y);
  if (std::isnan(col) || std::isnan(row)) return PixelPoint{0, 0, false};
  return PixelPoint{roundPixel(col), roundPixel(row), true};
}

double Surface::toPixelsX(double length) const { return length * std::fabs(impl_->colsPerX); }
double Surface::toPixelsY(double length) const { return length * std::fabs(impl_->rowsPerY); }

void Surface::setPenColour(Colour colour) { impl_->pen = colour; }
Colour Surface::penColour() const { return impl_->pen; }
void Surface::setDrawWidth(int pixels) { impl_->width = std::max(pixels, 1); }
int Surface::drawWidth() const { return impl_->width; }
void Surface::setDrawStyle(DrawStyle style) { impl_->style = style; }
DrawStyle Surface::drawStyle() const { return impl_->style; }
void Surface::setFillStyle(FillStyle style) { impl_->fillStyle = style; }
FillStyle Surface::fillStyle() const { return impl_->fillStyle; }
void Surface::setFillColour(Colour colour) { impl_->fill = colour; }
Colour Surface::fillColour() const { return impl_->fill; }
void Surface::setFontName(std::string name) {
  impl_->fontName = std::move(name);
  impl_->forgetFont();
}
const std::string& Surface::fontName() const { return impl_->fontName; }
void Surface::setFontSize(double points) {
  impl_->fontPoints = points;
  impl_->forgetFont();
}
double Surface::fontSize() const { return impl_->fontPoints; }

void Surface::setCurrentPoint(double x, double y) {
  impl_->curX = x;
  impl_->curY = y;
}
double Surface::currentX() const { return impl_->curX; }
double Surface::currentY() const { return impl_->curY; }

void Surface::line(double x1, double y1, double x2, double y2, std::optional<Colour> colour,
                   LineKind kind) {
  Impl& s = *impl_;
  Raster raster = s.raster();
  const Pen pen = s.penFor(colour);
  const double c1 = s.colOf(x1), r1 = s.rowOf(y1), c2 = s.colOf(x2), r2 = s.rowOf(y2);
  internal::ShapeList* shapes = s.pixelsOnly ? nullptr : s.shapes.get();
  // The raster draws between the pixels the ends round to; so do the shapes.
  auto segment = [&](double a, double b, double c, double d) {
    internal::drawLine(raster, a, b, c, d, pen);
    if (shapes && std::isfinite(a + b + c + d)) {
      shapes->line(roundPixel(a), roundPixel(b), roundPixel(c), roundPixel(d), s.strokeOf(pen));
    }
  };
  switch (kind) {
    case LineKind::kLine:
      segment(c1, r1, c2, r2);
      break;
    case LineKind::kBox:
      segment(c1, r1, c2, r1);
      segment(c2, r1, c2, r2);
      segment(c2, r2, c1, r2);
      segment(c1, r2, c1, r1);
      break;
    case LineKind::kFilledBox:
      if (!std::isnan(c1 + r1 + c2 + r2)) {
        internal::fillRect(raster, roundPixel(c1), roundPixel(r1), roundPixel(c2), roundPixel(r2),
                           pen.argb);
        if (shapes) {
          shapes->filledRect(roundPixel(c1), roundPixel(r1), roundPixel(c2), roundPixel(r2),
                             pen.argb);
        }
      }
      break;
  }
  s.curX = x2;
  s.curY = y2;
}

void Surface::lineTo(double x2, double y2, std::optional<Colour> colour, LineKind kind) {
  line(impl_->curX, impl_->curY, x2, y2, colour, kind);
}

void Surface::circle(double x, double y, double radius, std::optional<Colour> colour) {
  Impl& s = *impl_;
  PixelPoint centre = toPixel(x, y);
  double radiusPx = toPixelsX(radius);
  s.curX = x;
  s.curY = y;
  if (!centre.valid || !(radiusPx >= 0)) return;
  const int r = roundPixel(std::min(radiusPx, 1.0e7));
  const Pen pen = s.penFor(colour);
  const bool filled = s.fillStyle == FillStyle::kSolid;
  internal::drawCircle(s.raster(), centre.col, centre.row, r, pen, filled, toArgb(s.fill));
  if (s.shapes)
    s.shapes->circle(centre.col, centre.row, r, s.strokeOf(pen), filled, toArgb(s.fill));
}

void Surface::point(double x, double y, std::optional<Colour> colour) {
  Impl& s = *impl_;
  PixelPoint p = toPixel(x, y);
  s.curX = x;
  s.curY = y;
  Pen pen = s.penFor(colour);
  pen.dotted = false;
  if (!p.valid) return;
  internal::stamp(s.raster(), p.col, p.row, pen);
  if (s.shapes) s.shapes->dot(p.col, p.row, s.strokeOf(pen));
}

void Surface::print(std::string_view text, std::optional<Colour> colour) {
  Impl& s = *impl_;
  PixelPoint p = toPixel(s.curX, s.curY);
  const std::uint32_t argb = toArgb(colour.value_or(s.pen));
  if (p.valid && s.shapes) {
    s.shapes->text(p.col, p.row, std::string(text), s.fontName, s.fontPoints, s.fixedFont(), argb);
  }
  if (p.valid && s.fixedFont()) {
    internal::drawFixedText(s.raster(), p.col, p.row, text.data(), static_cast<int>(text.size()),
                            argb);
  } else if (p.valid) {
    QPainter painter(&s.image);
    painter.setFont(s.qfont());
    painter.setPen(QColor::fromRgb(argb));
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.drawText(p.col, p.row + s.fontMetrics().ascent(), internal::textOf(text));
  }
  // One line further down the picture, whichever way y runs.
  const double lineRows = s.lineHeightPx();
  s.curX = s.left;
  s.curY += s.window ? -lineRows / s.rowsPerY : lineRows / s.rowsPerY;
}

double Surface::textWidth(std::string_view text) const {
  const Impl& s = *impl_;
  double px = s.fixedFont()
                  ? 8.0 * static_cast<double>(text.size())
                  : QFontMetrics(s.qfont(), &s.image).horizontalAdvance(internal::textOf(text));
  return px / std::fabs(s.colsPerX);
}

double Surface::textHeight(std::string_view) const {
  return impl_->lineHeightPx() / std::fabs(impl_->rowsPerY);
}

void Surface::floodFill(int col, int row, Colour border, const std::vector<double>* outline) {
  Impl& s = *impl_;
  if (!s.shapes) {
    internal::floodFill(s.raster(), col, row, toArgb(border), toArgb(s.fill), s.fillMarks);
    return;
  }
  std::vector<int> runs;
  internal::floodFill(s.raster(), col, row, toArgb(border), toArgb(s.fill), s.fillMarks, &runs);
  if (runs.empty()) return;
  if (outline == nullptr) {
    s.shapes->runs(runs, toArgb(s.fill));
    return;
  }
  std::vector<double> pixels;
  for (std::size_t i = 0; i + 1 < outline->size(); i += 2) {
    pixels.push_back(s.colOf((*outline)[i]));
    pixels.push_back(s.rowOf((*outline)[i + 1]));
  }
  s.shapes->polygon(pixels, toArgb(s.fill));
}

void Surface::keepShapes() {
  if (impl_->shapes) return;
  impl_->shapes = std::make_unique<internal::ShapeList>();
  // What the picture holds now stands as one background: keep shapes before
  // drawing on a cleared picture.
  impl_->shapes->clear(impl_->image.pixel(0, 0), widthPx(), heightPx());
}

bool Surface::keepsShapes() const { return impl_->shapes != nullptr; }

void Surface::requireRoomForShapes(const std::string& path, std::size_t more) const {
  const internal::ShapeList* shapes = impl_->shapes.get();
  if (shapes == nullptr) return;
  if (shapes->complete() && more <= internal::ShapeList::kMostShapes - shapes->size()) return;
  throw common::makeError(common::Fault::kTooLarge, path, "",
                          "the picture holds more than " +
                              std::to_string(internal::ShapeList::kMostShapes) +
                              " shapes, too many for a drawing or a scaled bitmap; save it as "
                              "PNG or BMP");
}

void Surface::setPixelsOnly(bool on) { impl_->pixelsOnly = on; }

bool Surface::needsShapes(std::string_view path, int scale) {
  const QString name = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
  return scale != 1 || name.endsWith(".svg", Qt::CaseInsensitive) ||
         name.endsWith(".pdf", Qt::CaseInsensitive);
}

Colour Surface::pixel(int col, int row) const {
  if (col < 0 || row < 0 || col >= widthPx() || row >= heightPx()) return common::kWhite;
  return fromArgb(impl_->image.pixel(col, row));
}

void Surface::save(const std::string& path, int scale) const {
  if (const auto why = unknownPictureFormat(path)) throw common::cannotWrite(path, *why);
  const std::string ending = pictureEnding(path);
  const bool svg = ending == "svg";
  const bool pdf = ending == "pdf";
  if ((svg || pdf || scale != 1) && !impl_->shapes) {
    throw common::cannotWrite(path, "this picture keeps no shapes for a vector or scaled copy");
  }
  if (svg || pdf || scale != 1) requireRoomForShapes(path, 0);
  if (svg || pdf || scale != 1) ensureGuiApplication();  // fonts for the text
  // The picture is made whole in memory, then written as every output is.
  common::OutputFile file(path);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  bool ok = true;
  const QSize size = impl_->image.size();
  if (svg) {
    ok = internal::writeSvg(*impl_->shapes, size, buffer);
  } else if (pdf) {
    ok = internal::writePdf(*impl_->shapes, size, buffer);
  } else {
    const std::string format = ending.empty() ? "bmp" : ending;
    const QImage picture =
        scale == 1 ? impl_->image : internal::drawScaled(*impl_->shapes, size, scale);
    ok = picture.save(&buffer, format.c_str());
  }
  if (!ok) throw common::cannotWrite(path, "the picture could not be encoded");
  file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  file.commit();
}

const QImage& Surface::image() const { return impl_->image; }

}  // namespace surface
