#include "surface/figure_keys.h"

#include <algorithm>
#include <array>

namespace surface {
namespace {

constexpr double kPaddingPt = 4;
constexpr double kKeyPt = 18;  // the sample line's length
constexpr double kGapPt = 4;
constexpr double kBarPt = 12;  // a colour key's bar width
const Colour kFrameGrey = common::rgb(128, 128, 128);

double rowHeight(double fontPt) { return Figure::lineHeight(fontPt) * 1.2; }

double widestText(const std::vector<LegendRow>& rows, double fontPt) {
  double widest = 0;
  for (const LegendRow& row : rows) widest = std::max(widest, Figure::textWidth(row.text, fontPt));
  return widest;
}

void drawSample(Figure& figure, const LegendRow& row, double left, double middle, double fontPt) {
  if (row.line) {
    figure.polyline({{left, middle}, {left + kKeyPt, middle}}, *row.line);
  } else if (row.swatch) {
    const double half = fontPt * 0.4;
    const double centre = left + kKeyPt / 2;
    figure.rectangle({centre - half, middle - half, centre + half, middle + half}, *row.swatch,
                     Pen{kFrameGrey, 0.5});
  } else if (row.marker) {
    figure.circle({left + kKeyPt / 2, middle}, fontPt * 0.3, *row.marker);
  }
}

}  // namespace

Colour okabeIto(int i) {
  static const std::array<Colour, 7> kPalette = {
      common::rgb(0, 114, 178),   common::rgb(213, 94, 0),  common::rgb(0, 158, 115),
      common::rgb(204, 121, 167), common::rgb(230, 159, 0), common::rgb(86, 180, 233),
      common::rgb(0, 0, 0)};
  const int n = static_cast<int>(kPalette.size());
  return kPalette[static_cast<std::size_t>(((i % n) + n) % n)];
}

Pen seriesPen(int i, double widthPt) {
  static const std::array<Dash, 5> kDashes = {Dash::kSolid, Dash::kDashed, Dash::kDotted,
                                              Dash::kDashDot, Dash::kLongDash};
  const int n = static_cast<int>(kDashes.size());
  return {okabeIto(i), widthPt, kDashes[static_cast<std::size_t>(((i % n) + n) % n)]};
}

FigureBox legendBox(const std::vector<LegendRow>& rows, FigurePoint topLeft, double fontPt) {
  const double width = 2 * kPaddingPt + kKeyPt + kGapPt + widestText(rows, fontPt);
  const double height = 2 * kPaddingPt + rowHeight(fontPt) * static_cast<double>(rows.size());
  return {topLeft.x, topLeft.y, topLeft.x + width, topLeft.y + height};
}

FigureBox drawLegend(Figure& figure, const std::vector<LegendRow>& rows, FigurePoint topLeft,
                     double fontPt) {
  const FigureBox box = legendBox(rows, topLeft, fontPt);
  if (rows.empty()) return box;
  figure.rectangle(box, common::kWhite, Pen{kFrameGrey, 0.5});
  double middle = box.top + kPaddingPt + rowHeight(fontPt) / 2;
  for (const LegendRow& row : rows) {
    drawSample(figure, row, box.left + kPaddingPt, middle, fontPt);
    figure.text(row.text, {box.left + kPaddingPt + kKeyPt + kGapPt, middle},
                {fontPt, HAlign::kLeft, VAlign::kMiddle});
    middle += rowHeight(fontPt);
  }
  return box;
}

FigurePoint placeInCorner(const FigureBox& within, double width, double height, Corner corner,
                          double insetPt) {
  const bool right = corner == Corner::kTopRight || corner == Corner::kBottomRight;
  const bool bottom = corner == Corner::kBottomLeft || corner == Corner::kBottomRight;
  return {right ? within.right - insetPt - width : within.left + insetPt,
          bottom ? within.bottom - insetPt - height : within.top + insetPt};
}

double colourKeyWidth(const ColourKey& key, double fontPt) {
  const double labels = std::max(Figure::textWidth(key.minimumLabel, fontPt),
                                 Figure::textWidth(key.maximumLabel, fontPt));
  return std::max(kBarPt + kGapPt + labels, Figure::textWidth(key.name, fontPt));
}

FigureBox drawColourKey(Figure& figure, const ColourKey& key, const FigureBox& bar, double fontPt) {
  FigureBox drawn = bar;
  const auto grow = [&drawn](const FigureBox& b) {
    drawn = {std::min(drawn.left, b.left), std::min(drawn.top, b.top),
             std::max(drawn.right, b.right), std::max(drawn.bottom, b.bottom)};
  };
  const std::size_t n = key.colours.size();
  for (std::size_t i = 0; i < n; ++i) {
    const double low = bar.bottom - bar.height() * static_cast<double>(i) / static_cast<double>(n);
    const double high =
        bar.bottom - bar.height() * static_cast<double>(i + 1) / static_cast<double>(n);
    // Each cell reaches a little under the next, so that no seam of the
    // background shows between two smooth edges.
    const double overlap = i + 1 < n ? 0.5 : 0.0;
    figure.rectangle({bar.left, high - overlap, bar.right, low}, key.colours[i]);
  }
  figure.rectangle(bar, {}, Pen{kFrameGrey, 0.5});
  grow(figure.text(key.name, {bar.left, bar.top - kGapPt},
                   {fontPt, HAlign::kLeft, VAlign::kBottom}));
  grow(figure.text(key.maximumLabel, {bar.right + kGapPt, bar.top},
                   {fontPt, HAlign::kLeft, VAlign::kTop}));
  grow(figure.text(key.minimumLabel, {bar.right + kGapPt, bar.bottom},
                   {fontPt, HAlign::kLeft, VAlign::kBottom}));
  return drawn;
}

}  // namespace surface
