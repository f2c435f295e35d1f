#include "roc/paper_figure.h"

#include <cmath>
#include <cstdio>

#include "surface/figure_keys.h"
#include "surface/plot_axes.h"

namespace roc {
namespace {

using surface::Figure;
using surface::FigureBox;
using surface::FigurePoint;
using surface::PlotArea;

using common::Colour;

constexpr double kFontPt = 9;
constexpr double kDotPt = 2.5;
constexpr double kBandOpacity = 0.2;
const std::vector<double> kRateTicks = {0, 0.2, 0.4, 0.6, 0.8, 1};
const surface::Pen kChancePen{common::rgb(150, 150, 150), 0.75, surface::Dash::kDashed};

std::string fixed3(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", v);
  return buffer;
}

// The band as one shape: its upper edge left to right, its lower edge back.
void drawBand(Figure& figure, const PlotArea& area, const CurveForFigure& curve, int i) {
  if (curve.band.empty()) return;
  std::vector<FigurePoint> outline;
  for (const BandPoint& b : curve.band) outline.push_back(area.at(1 - b.specificity, b.high));
  for (auto b = curve.band.rbegin(); b != curve.band.rend(); ++b) {
    outline.push_back(area.at(1 - b->specificity, b->low));
  }
  figure.polygon(std::move(outline), surface::okabeIto(i), {}, kBandOpacity);
}

void drawCurve(Figure& figure, const PlotArea& area, const CurveForFigure& curve, int i) {
  std::vector<FigurePoint> points;
  points.reserve(curve.vertices.size());
  for (const RatePoint& v : curve.vertices) points.push_back(area.at(v.fpr, v.tpr));
  figure.polyline(std::move(points), surface::seriesPen(i));
}

// The best point's dot; its box is kept in "taken" for the labels.
void drawBestPoint(Figure& figure, const PlotArea& area, const CurveForFigure& curve, int i,
                   std::vector<FigureBox>& taken) {
  if (!curve.hasBest) return;
  const FigurePoint dot = area.at(curve.bestFpr, curve.bestTpr);
  figure.circle(dot, kDotPt, surface::okabeIto(i), surface::Pen{common::kWhite, 0.5});
  taken.push_back({dot.x - kDotPt, dot.y - kDotPt, dot.x + kDotPt, dot.y + kDotPt});
}

// The best point's threshold beside its dot where that text meets nothing
// in "taken" (the legend, the dots, earlier labels): right of and below
// the dot, else left of it, else not at all.
void labelBestPoint(Figure& figure, const PlotArea& area, const CurveForFigure& curve,
                    std::vector<FigureBox>& taken) {
  if (!curve.hasBest) return;
  const FigurePoint dot = area.at(curve.bestFpr, curve.bestTpr);
  char text[48];
  std::snprintf(text, sizeof text, "threshold %.2f", curve.bestThreshold);
  for (const surface::HAlign side : {surface::HAlign::kLeft, surface::HAlign::kRight}) {
    const double dx = side == surface::HAlign::kLeft ? 5 : -5;
    const surface::TextStyle style{kFontPt - 1, side, surface::VAlign::kTop};
    const FigurePoint at{dot.x + dx, dot.y + 3};
    const FigureBox box = Figure::textBox(text, at, style);
    bool free = area.frame().contains(box);
    for (const FigureBox& other : taken) free = free && !box.overlaps(other);
    if (!free) continue;
    taken.push_back(figure.text(text, at, style));
    return;
  }
}

// "colour" as it shows at "opacity" over white.
Colour overWhite(Colour colour, double opacity) {
  const auto mix = [opacity](int c) {
    return static_cast<int>(std::lround(255 - (255 - c) * opacity));
  };
  return common::rgb(mix(common::redOf(colour)), mix(common::greenOf(colour)),
                     mix(common::blueOf(colour)));
}

std::vector<surface::LegendRow> legendRows(const std::vector<CurveForFigure>& curves) {
  std::vector<surface::LegendRow> rows;
  const bool named = curves.size() > 1;
  for (std::size_t i = 0; i < curves.size(); ++i) {
    rows.push_back({legendText(curves[i], named), surface::seriesPen(static_cast<int>(i)), {}, {}});
  }
  if (curves.size() == 1 && !curves[0].band.empty()) {
    char text[64];
    std::snprintf(text, sizeof text, "%g%% bootstrap band of the sensitivity",
                  curves[0].level * 100);
    rows.push_back({text, {}, overWhite(surface::okabeIto(0), kBandOpacity), {}});
  }
  return rows;
}

}  // namespace

std::string legendText(const CurveForFigure& curve, bool named) {
  std::string text = named ? curve.name + ": " : "";
  if (!std::isfinite(curve.auc.auc)) return text + "AUC not defined (one class only)";
  text += "AUC " + fixed3(curve.auc.auc);
  if (std::isfinite(curve.auc.low) && std::isfinite(curve.auc.high)) {
    char level[32];
    std::snprintf(level, sizeof level, "%g%%", curve.level * 100);
    text += std::string(" (") + level + " CI " + fixed3(curve.auc.low) + "\xe2\x80\x93" +
            fixed3(curve.auc.high) + ")";
  }
  return text;
}

surface::Figure rocFigure(const std::vector<CurveForFigure>& curves, const FigureRequest& request) {
  Figure figure(surface::pointsFromCm(request.widthCm), surface::pointsFromCm(request.heightCm));
  const PlotArea area = surface::layOutPlot(
      figure, {"False positive rate (1 \xe2\x88\x92 specificity)", 0, 1, kRateTicks},
      {"True positive rate (sensitivity)", 0, 1, kRateTicks}, {kFontPt, request.title, true, 0});
  figure.polyline({area.at(0, 0), area.at(1, 1)}, kChancePen);
  for (std::size_t i = 0; i < curves.size(); ++i) {
    drawBand(figure, area, curves[i], static_cast<int>(i));
  }
  for (std::size_t i = 0; i < curves.size(); ++i) {
    drawCurve(figure, area, curves[i], static_cast<int>(i));
  }
  // The legend in the lower right, where a useful curve leaves room.
  const std::vector<surface::LegendRow> rows = legendRows(curves);
  const FigureBox size = surface::legendBox(rows, {0, 0}, kFontPt);
  const FigurePoint corner = surface::placeInCorner(area.frame(), size.width(), size.height(),
                                                    surface::Corner::kBottomRight);
  std::vector<FigureBox> taken = {surface::legendBox(rows, corner, kFontPt)};
  for (std::size_t i = 0; i < curves.size(); ++i) {
    drawBestPoint(figure, area, curves[i], static_cast<int>(i), taken);
  }
  for (const CurveForFigure& curve : curves) labelBestPoint(figure, area, curve, taken);
  surface::drawLegend(figure, rows, corner, kFontPt);
  return figure;
}

void saveRocFigure(const std::vector<CurveForFigure>& curves, const FigureRequest& request,
                   int scale) {
  rocFigure(curves, request).save(request.path, scale);
}

}  // namespace roc
