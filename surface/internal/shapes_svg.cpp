// The kept shapes written as SVG text directly: a drawing of many thousand
// cells stays small (one path for a run of lines of one stroke, no state
// repeated per shape) and is written quickly.
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <algorithm>
#include <charconv>
#include <cmath>

#include "surface/internal/shapes.h"
#include "surface/internal/svg_text.h"
#include "surface/internal/text_bytes.h"

namespace surface::internal {
namespace {

void strokeAttributes(std::string& out, const Stroke& s) {
  out += " fill=\"none\" stroke=\"";
  svgColour(out, s.argb);
  out += "\" stroke-width=\"";
  svgNumber(out, s.width);
  out += s.dotted && s.width <= 1 ? "\" stroke-linecap=\"butt\"" : "\" stroke-linecap=\"round\"";
  out += " stroke-linejoin=\"round\"";
}

}  // namespace

std::string ShapeList::svg(int width, int height) const {
  std::string out;
  out.reserve(shapes_.size() * 48 + 256);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ";
  out += "width=\"" + std::to_string(width) + "px\" height=\"" + std::to_string(height) +
         "px\" viewBox=\"0 0 " + std::to_string(width) + " " + std::to_string(height) + "\">\n";
  // Text metrics as the exact picture has them: at 96 dots per inch.
  QImage probe(1, 1, QImage::Format_RGB32);
  probe.setDotsPerMeterX(3780);
  probe.setDotsPerMeterY(3780);
  for (std::size_t i = 0; i < shapes_.size(); ++i) {
    const Shape& s = shapes_[i];
    switch (s.kind) {
      case Kind::kClear:
        svgClear(out, s);
        break;
      case Kind::kLine:
        i = svgLines(out, i);
        break;
      case Kind::kFilledRect:
        svgFilledRect(out, s);
        break;
      case Kind::kCircle:
        svgCircle(out, s);
        break;
      case Kind::kDot:
        svgDot(out, s);
        break;
      case Kind::kPolygon:
        svgPolygon(out, s);
        break;
      case Kind::kRuns:
        svgRuns(out, s);
        break;
      case Kind::kText:
        svgText(out, s, probe);
        break;
    }
  }
  out += "</svg>\n";
  return out;
}

void ShapeList::svgClear(std::string& out, const Shape& s) {
  out += "<rect width=\"";
  svgNumber(out, s.c);
  out += "\" height=\"";
  svgNumber(out, s.d);
  out += "\" fill=\"";
  svgColour(out, s.stroke.argb);
  out += "\"/>\n";
}

std::size_t ShapeList::svgLines(std::string& out, std::size_t i) const {
  // This line and every following one of the same stroke, as one path; a
  // line that starts where the last ended continues it.
  const Shape& s = shapes_[i];
  out += "<path";
  strokeAttributes(out, s.stroke);
  if (s.stroke.dotted && s.stroke.width <= 1) {
    const double steps = std::max(std::fabs(s.c - s.a), std::fabs(s.d - s.b));
    const double step = steps > 0 ? std::hypot(s.c - s.a, s.d - s.b) / steps : 1.0;
    out += " stroke-dasharray=\"";
    svgNumber(out, step);
    out += "\"";
  }
  out += " d=\"";
  double endC = NAN, endR = NAN;
  std::size_t j = i;
  for (; j < shapes_.size(); ++j) {
    const Shape& t = shapes_[j];
    if (t.kind != Kind::kLine || t.stroke.argb != s.stroke.argb ||
        t.stroke.width != s.stroke.width || t.stroke.dotted != s.stroke.dotted ||
        (s.stroke.dotted && j != i)) {
      break;
    }
    if (!(t.a == endC && t.b == endR)) {
      out += 'M';
      svgNumber(out, t.a + 0.5);
      out += ' ';
      svgNumber(out, t.b + 0.5);
    }
    out += 'L';
    svgNumber(out, t.c + 0.5);
    out += ' ';
    svgNumber(out, t.d + 0.5);
    endC = t.c;
    endR = t.d;
  }
  out += "\"/>\n";
  return j - 1;
}

void ShapeList::svgFilledRect(std::string& out, const Shape& s) {
  out += "<rect x=\"";
  svgNumber(out, s.a);
  out += "\" y=\"";
  svgNumber(out, s.b);
  out += "\" width=\"";
  svgNumber(out, s.c - s.a + 1);
  out += "\" height=\"";
  svgNumber(out, s.d - s.b + 1);
  out += "\" fill=\"";
  svgColour(out, s.stroke.argb);
  out += "\"/>\n";
}

void ShapeList::svgCircle(std::string& out, const Shape& s) {
  out += "<circle cx=\"";
  svgNumber(out, s.a + 0.5);
  out += "\" cy=\"";
  svgNumber(out, s.b + 0.5);
  out += "\" r=\"";
  svgNumber(out, s.c);
  out += "\"";
  strokeAttributes(out, s.stroke);
  if (s.filled) {
    out.erase(out.find(" fill=\"none\"", out.rfind("<circle")), 12);
    out += " fill=\"";
    svgColour(out, s.fillArgb);
    out += "\"";
  }
  out += "/>\n";
}

void ShapeList::svgDot(std::string& out, const Shape& s) {
  if (s.stroke.width <= 1) {
    out += "<rect x=\"";
    svgNumber(out, s.a);
    out += "\" y=\"";
    svgNumber(out, s.b);
    out += "\" width=\"1\" height=\"1\"";
  } else {
    out += "<circle cx=\"";
    svgNumber(out, s.a + 0.5);
    out += "\" cy=\"";
    svgNumber(out, s.b + 0.5);
    out += "\" r=\"";
    svgNumber(out, s.stroke.width / 2.0);
    out += "\"";
  }
  out += " fill=\"";
  svgColour(out, s.stroke.argb);
  out += "\"/>\n";
}

void ShapeList::svgPolygon(std::string& out, const Shape& s) const {
  out += "<polygon fill=\"";
  svgColour(out, s.stroke.argb);
  out += "\" points=\"";
  for (std::uint32_t k = s.first; k + 1 < s.first + s.count; k += 2) {
    if (k != s.first) out += ' ';
    svgNumber(out, numbers_[k] + 0.5);
    out += ',';
    svgNumber(out, numbers_[k + 1] + 0.5);
  }
  out += "\"/>\n";
}

void ShapeList::svgRuns(std::string& out, const Shape& s) const {
  out += "<path fill=\"";
  svgColour(out, s.stroke.argb);
  out += "\" d=\"";
  for (std::uint32_t k = s.first; k + 2 < s.first + s.count + 0; k += 3) {
    out += 'M';
    svgNumber(out, numbers_[k + 1]);
    out += ' ';
    svgNumber(out, numbers_[k]);
    out += 'h';
    svgNumber(out, numbers_[k + 2] - numbers_[k + 1] + 1);
    out += "v1h";
    svgNumber(out, -(numbers_[k + 2] - numbers_[k + 1] + 1));
    out += 'z';
  }
  out += "\"/>\n";
}

void ShapeList::svgText(std::string& out, const Shape& s, const QImage& probe) const {
  const TextRun& t = texts_[s.first];
  out += "<text x=\"";
  svgNumber(out, s.a);
  out += "\" y=\"";
  if (t.fixed) {
    svgNumber(out, s.b + 7);
    out += "\" font-family=\"Liberation Mono, monospace\" font-size=\"9px\"";
    out += " textLength=\"" + std::to_string(8 * textOf(t.text).size()) +
           "\" lengthAdjust=\"spacingAndGlyphs\"";
  } else {
    QFont font(QString::fromStdString(t.family));
    font.setPointSizeF(t.points);
    const QFontMetricsF metrics(font, &probe);
    svgNumber(out, s.b + metrics.ascent());
    out += "\" font-family=\"";
    svgEscaped(out, t.family);
    out += "\" font-size=\"";
    svgNumber(out, t.points * 96.0 / 72.0);
    out += "px\"";
  }
  out += " fill=\"";
  svgColour(out, s.stroke.argb);
  out += "\" xml:space=\"preserve\">";
  svgEscaped(out, t.text);
  out += "</text>\n";
}

}  // namespace surface::internal
