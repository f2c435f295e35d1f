#include "surface/figure.h"

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <utility>

#include "common/errors.h"
#include "common/output_file.h"
#include "surface/gui_application.h"
#include "surface/internal/svg_text.h"
#include "surface/internal/text_bytes.h"
#include "surface/picture_formats.h"
#include "surface/surface.h"

namespace surface {
namespace {

constexpr double kTolerance = 1e-3;

// Metrics are taken once at this size, without hinting, and scaled: a text's
// room is then the same in every output and at every size.
constexpr double kMeasureSizePt = 100;

QFont fontOf(double sizePt, bool bold) {
  QFont font(QString::fromUtf8(Figure::kFontFamily.data(),
                               static_cast<qsizetype>(Figure::kFontFamily.size())));
  font.setPointSizeF(sizePt);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(true);
  return font;
}

// A device on which one unit is one point, for measuring.
const QImage& pointDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);  // 72 dots per inch
    image.setDotsPerMeterY(2835);
    return image;
  }();
  return device;
}

QFontMetricsF metricsOf(bool bold) {
  ensureGuiApplication();
  return QFontMetricsF(fontOf(kMeasureSizePt, bold), &pointDevice());
}

struct LineMetrics {
  double ascent;
  double descent;
  double capHeight;
};

LineMetrics lineMetrics(double sizePt) {
  static const QFontMetricsF metrics = metricsOf(false);
  const double k = sizePt / kMeasureSizePt;
  return {metrics.ascent() * k, metrics.descent() * k, metrics.capHeight() * k};
}

// Where the baseline of a text anchored at "y" lies, before any turn.
double baselineOffset(const TextStyle& style) {
  const LineMetrics m = lineMetrics(style.sizePt);
  switch (style.vertical) {
    case VAlign::kTop:
      return m.ascent;
    case VAlign::kMiddle:
      return m.capHeight / 2;
    case VAlign::kBottom:
      return -m.descent;
    case VAlign::kBaseline:
      break;
  }
  return 0;
}

double startOffset(double width, HAlign h) {
  switch (h) {
    case HAlign::kCentre:
      return -width / 2;
    case HAlign::kRight:
      return -width;
    case HAlign::kLeft:
      break;
  }
  return 0;
}

// (dx, dy) from the anchor turned counter-clockwise by quarter turns, with y
// growing downwards: right becomes up.
FigurePoint turned(double dx, double dy, int quarterTurns) {
  for (int i = 0; i < ((quarterTurns % 4) + 4) % 4; ++i) dx = std::exchange(dy, -dx);
  return {dx, dy};
}

std::uint32_t argbOf(Colour c) {
  return static_cast<std::uint32_t>(common::redOf(c)) << 16 |
         static_cast<std::uint32_t>(common::greenOf(c)) << 8 |
         static_cast<std::uint32_t>(common::blueOf(c));
}

QColor qColourOf(Colour c, double opacity = 1.0) {
  QColor q(common::redOf(c), common::greenOf(c), common::blueOf(c));
  q.setAlphaF(static_cast<float>(std::clamp(opacity, 0.0, 1.0)));
  return q;
}

// The dash pattern in units of the line's width.
std::vector<double> dashPattern(Dash dash) {
  switch (dash) {
    case Dash::kDashed:
      return {4, 2.5};
    case Dash::kDotted:
      return {1, 2};
    case Dash::kDashDot:
      return {5, 2, 1, 2};
    case Dash::kLongDash:
      return {9, 3};
    case Dash::kSolid:
      break;
  }
  return {};
}

// --- SVG ---------------------------------------------------------------

void svgPoints(std::string& out, const std::vector<FigurePoint>& points) {
  out += " points=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) out += ' ';
    internal::svgNumber(out, points[i].x);
    out += ',';
    internal::svgNumber(out, points[i].y);
  }
  out += '"';
}

void svgPaint(std::string& out, const Figure::Item& item) {
  out += " fill=\"";
  if (item.fill) {
    internal::svgColour(out, argbOf(*item.fill));
    if (item.fillOpacity < 1) {
      out += "\" fill-opacity=\"";
      internal::svgNumber(out, item.fillOpacity);
    }
  } else {
    out += "none";
  }
  out += '"';
  if (!item.pen) return;
  const Pen& pen = *item.pen;
  out += " stroke=\"";
  internal::svgColour(out, argbOf(pen.colour));
  out += "\" stroke-width=\"";
  internal::svgNumber(out, pen.widthPt);
  out += "\" stroke-linejoin=\"round\"";
  const std::vector<double> dashes = dashPattern(pen.dash);
  if (dashes.empty()) return;
  out += " stroke-dasharray=\"";
  for (std::size_t i = 0; i < dashes.size(); ++i) {
    if (i > 0) out += ' ';
    internal::svgNumber(out, dashes[i] * pen.widthPt);
  }
  out += '"';
}

void svgText(std::string& out, const Figure::Item& item, FigurePoint anchor) {
  const TextStyle& s = item.style;
  out += "<text x=\"";
  internal::svgNumber(out, anchor.x);
  out += "\" y=\"";
  internal::svgNumber(out, anchor.y + baselineOffset(s));
  out += "\" font-family=\"Liberation Sans, Arial, Helvetica, sans-serif\" font-size=\"";
  internal::svgNumber(out, s.sizePt);
  out += '"';
  if (s.bold) out += " font-weight=\"bold\"";
  if (s.horizontal != HAlign::kLeft) {
    out += s.horizontal == HAlign::kCentre ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
  }
  if (s.colour != common::kBlack) {
    out += " fill=\"";
    internal::svgColour(out, argbOf(s.colour));
    out += '"';
  }
  if (s.quarterTurns % 4 != 0) {
    out += " transform=\"rotate(" + std::to_string(-90 * (s.quarterTurns % 4)) + ' ';
    internal::svgNumber(out, anchor.x);
    out += ' ';
    internal::svgNumber(out, anchor.y);
    out += ")\"";
  }
  out += '>';
  internal::svgEscaped(out, item.text);
  out += "</text>\n";
}

// --- Qt painting (PDF and bitmaps) ---------------------------------------

QPen qPenOf(const Pen& pen) {
  QPen q(qColourOf(pen.colour));
  q.setWidthF(pen.widthPt);
  q.setJoinStyle(Qt::RoundJoin);
  q.setCapStyle(Qt::FlatCap);
  const std::vector<double> dashes = dashPattern(pen.dash);
  if (!dashes.empty()) q.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
  return q;
}

QPolygonF qPolygonOf(const std::vector<FigurePoint>& points) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(points.size()));
  for (const FigurePoint& p : points) polygon << QPointF(p.x, p.y);
  return polygon;
}

void paintText(QPainter& painter, const Figure::Item& item) {
  const TextStyle& s = item.style;
  const QString text = internal::textOf(item.text);
  const FigurePoint anchor = item.points.front();
  painter.save();
  painter.translate(anchor.x, anchor.y);
  painter.rotate(-90.0 * (s.quarterTurns % 4));
  painter.setFont(fontOf(s.sizePt, s.bold));
  painter.setPen(qColourOf(s.colour));
  const double width = Figure::textWidth(item.text, s.sizePt, s.bold);
  painter.drawText(QPointF(startOffset(width, s.horizontal), baselineOffset(s)), text);
  painter.restore();
}

void paintItem(QPainter& painter, const Figure::Item& item) {
  using Kind = Figure::Item::Kind;
  if (item.kind == Kind::kText) {
    paintText(painter, item);
    return;
  }
  painter.setPen(item.pen ? qPenOf(*item.pen) : QPen(Qt::NoPen));
  painter.setBrush(item.fill ? QBrush(qColourOf(*item.fill, item.fillOpacity)) : QBrush());
  switch (item.kind) {
    case Kind::kPolyline:
      painter.drawPolyline(qPolygonOf(item.points));
      break;
    case Kind::kPolygon:
      painter.drawPolygon(qPolygonOf(item.points));
      break;
    case Kind::kCircle:
      painter.drawEllipse(QPointF(item.points[0].x, item.points[0].y), item.radiusPt,
                          item.radiusPt);
      break;
    case Kind::kText:
      break;
  }
}

void paintFigure(QPainter& painter, const Figure& figure) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  for (const Figure::Item& item : figure.items()) paintItem(painter, item);
}

bool writePdf(const Figure& figure, QIODevice& device) {
  QPdfWriter pdf(&device);
  pdf.setResolution(72);
  pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(figure.widthPt(), figure.heightPt()),
                                          QPageSize::Point, QString(), QPageSize::ExactMatch),
                                QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter painter;
  if (!painter.begin(&pdf)) return false;
  paintFigure(painter, figure);
  return painter.end();
}

QImage drawBitmap(const Figure& figure, int scale) {
  const double pixelsPerPoint = 96.0 / 72.0 * scale;
  QImage image(static_cast<int>(std::lround(figure.widthPt() * pixelsPerPoint)),
               static_cast<int>(std::lround(figure.heightPt() * pixelsPerPoint)),
               QImage::Format_RGB32);
  // Font sizes count in the painter's units, which are points.
  image.setDotsPerMeterX(2835);
  image.setDotsPerMeterY(2835);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(pixelsPerPoint, pixelsPerPoint);
  paintFigure(painter, figure);
  painter.end();
  // Saved at its real resolution, so that the figure prints at its size.
  const int dotsPerMeter = static_cast<int>(std::lround(96.0 * scale / 0.0254));
  image.setDotsPerMeterX(dotsPerMeter);
  image.setDotsPerMeterY(dotsPerMeter);
  return image;
}

}  // namespace

bool FigureBox::overlaps(const FigureBox& o) const {
  return left < o.right - kTolerance && o.left < right - kTolerance &&
         top < o.bottom - kTolerance && o.top < bottom - kTolerance;
}

bool FigureBox::contains(FigurePoint p) const {
  return p.x >= left - kTolerance && p.x <= right + kTolerance && p.y >= top - kTolerance &&
         p.y <= bottom + kTolerance;
}

bool FigureBox::contains(const FigureBox& o) const {
  return contains(FigurePoint{o.left, o.top}) && contains(FigurePoint{o.right, o.bottom});
}

Figure::Figure(double widthPt, double heightPt)
    : widthPt_(std::max(widthPt, 1.0)), heightPt_(std::max(heightPt, 1.0)) {}

void Figure::polyline(std::vector<FigurePoint> points, const Pen& pen) {
  if (points.size() < 2) return;
  Item item;
  item.kind = Item::Kind::kPolyline;
  item.points = std::move(points);
  item.pen = pen;
  items_.push_back(std::move(item));
}

void Figure::polygon(std::vector<FigurePoint> points, std::optional<Colour> fill,
                     std::optional<Pen> outline, double fillOpacity) {
  if (points.size() < 3 || (!fill && !outline)) return;
  Item item;
  item.kind = Item::Kind::kPolygon;
  item.points = std::move(points);
  item.fill = fill;
  item.pen = outline;
  item.fillOpacity = std::clamp(fillOpacity, 0.0, 1.0);
  items_.push_back(std::move(item));
}

void Figure::rectangle(const FigureBox& box, std::optional<Colour> fill,
                       std::optional<Pen> outline) {
  polygon(
      {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}},
      fill, outline);
}

void Figure::circle(FigurePoint centre, double radiusPt, std::optional<Colour> fill,
                    std::optional<Pen> outline) {
  if (!fill && !outline) return;
  Item item;
  item.kind = Item::Kind::kCircle;
  item.points = {centre};
  item.radiusPt = radiusPt;
  item.fill = fill;
  item.pen = outline;
  items_.push_back(std::move(item));
}

FigureBox Figure::text(std::string_view text, FigurePoint anchor, const TextStyle& style) {
  Item item;
  item.kind = Item::Kind::kText;
  item.points = {anchor};
  item.text = std::string(text);
  item.style = style;
  item.box = textBox(text, anchor, style);
  items_.push_back(item);
  return item.box;
}

FigureBox Figure::textBox(std::string_view text, FigurePoint anchor, const TextStyle& style) {
  const LineMetrics m = lineMetrics(style.sizePt);
  const double width = textWidth(text, style.sizePt, style.bold);
  const double left = startOffset(width, style.horizontal);
  const double baseline = baselineOffset(style);
  const FigurePoint a = turned(left, baseline - m.ascent, style.quarterTurns);
  const FigurePoint b = turned(left + width, baseline + m.descent, style.quarterTurns);
  return {anchor.x + std::min(a.x, b.x), anchor.y + std::min(a.y, b.y),
          anchor.x + std::max(a.x, b.x), anchor.y + std::max(a.y, b.y)};
}

double Figure::textWidth(std::string_view text, double sizePt, bool bold) {
  static const QFontMetricsF regular = metricsOf(false);
  static const QFontMetricsF heavy = metricsOf(true);
  const QString characters = internal::textOf(text);
  return (bold ? heavy : regular).horizontalAdvance(characters) * sizePt / kMeasureSizePt;
}

void Figure::requireRoom(const std::string& path, std::size_t items) {
  if (items <= kMostItems) return;
  throw common::makeError(common::Fault::kTooLarge, path, "",
                          "the figure would hold more than " + std::to_string(kMostItems) +
                              " points and shapes; save the exact picture (--style exact) as PNG "
                              "or BMP");
}

double Figure::lineHeight(double sizePt) {
  const LineMetrics m = lineMetrics(sizePt);
  return m.ascent + m.descent;
}

std::string Figure::svg() const {
  std::string out;
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ";
  out += "width=\"";
  internal::svgNumber(out, widthPt_);
  out += "pt\" height=\"";
  internal::svgNumber(out, heightPt_);
  out += "pt\" viewBox=\"0 0 ";
  internal::svgNumber(out, widthPt_);
  out += ' ';
  internal::svgNumber(out, heightPt_);
  out += "\">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  for (const Item& item : items_) {
    switch (item.kind) {
      case Item::Kind::kPolyline:
      case Item::Kind::kPolygon:
        out += item.kind == Item::Kind::kPolyline ? "<polyline" : "<polygon";
        svgPoints(out, item.points);
        svgPaint(out, item);
        out += "/>\n";
        break;
      case Item::Kind::kCircle:
        out += "<circle cx=\"";
        internal::svgNumber(out, item.points[0].x);
        out += "\" cy=\"";
        internal::svgNumber(out, item.points[0].y);
        out += "\" r=\"";
        internal::svgNumber(out, item.radiusPt);
        out += '"';
        svgPaint(out, item);
        out += "/>\n";
        break;
      case Item::Kind::kText:
        svgText(out, item, item.points.front());
        break;
    }
  }
  out += "</svg>\n";
  return out;
}

void Figure::save(const std::string& path, int scale) const {
  if (const auto why = unknownPictureFormat(path)) throw common::cannotWrite(path, *why);
  if (scale < 1 || scale > Surface::kLargestScale) {
    throw common::cannotWrite(path,
                              "the scale must be 1 to " + std::to_string(Surface::kLargestScale));
  }
  const std::string ending = pictureEnding(path);
  ensureGuiApplication();
  common::OutputFile file(path);
  if (ending == "svg") {
    file.write(svg());
    file.commit();
    return;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const bool ok =
      ending == "pdf"
          ? writePdf(*this, buffer)
          : drawBitmap(*this, scale).save(&buffer, ending.empty() ? "bmp" : ending.c_str());
  if (!ok) throw common::cannotWrite(path, "the figure could not be encoded");
  file.write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  file.commit();
}

double pointsFromCm(double centimetres) { return centimetres * 72.0 / 2.54; }

}  // namespace surface
