#include "ebp/tremora/paper_figure.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "surface/figure_keys.h"
#include "surface/plot_axes.h"

namespace tremora {
namespace {

constexpr double kFontPt = 9;
constexpr double kPaddingPt = 6;
constexpr double kDotRadiusPt = 2;
constexpr double kCapPt = 2.5;  // half the width of an error bar's cap
constexpr double kBarPt = 1;    // an error bar's line

// The spread of input "i" (from 0) at level "l" in units of the relative
// change, or NaN.
double spreadAt(const SensitivityTable& t, const std::vector<std::vector<double>>& spread,
                std::size_t l, std::size_t i) {
  if (l >= spread.size() || i >= spread[l].size()) return std::nan("");
  return spread[l][i] / static_cast<double>(t.e0);
}

// The legend's rows, split into columns that fit in "heightPt".
std::vector<std::vector<surface::LegendRow>> legendColumns(int inputs, double heightPt) {
  std::vector<surface::LegendRow> rows;
  for (int i = 1; i <= inputs; ++i) {
    rows.push_back({"input " + std::to_string(i), surface::seriesPen(i - 1), {}, {}});
  }
  const double one = surface::legendBox({rows[0]}, {0, 0}, kFontPt).height();
  const double two = surface::legendBox({rows[0], rows[0]}, {0, 0}, kFontPt).height();
  const auto perColumn =
      static_cast<std::size_t>(std::max(1.0, std::floor((heightPt - one) / (two - one)) + 1));
  std::vector<std::vector<surface::LegendRow>> columns;
  for (std::size_t first = 0; first < rows.size(); first += perColumn) {
    columns.emplace_back(
        rows.begin() + static_cast<long>(first),
        rows.begin() + static_cast<long>(std::min(rows.size(), first + perColumn)));
  }
  return columns;
}

// The vertical range the curves and their bars span, 0 included.
std::pair<double, double> changeRange(const SensitivityTable& t,
                                      const std::vector<std::vector<double>>& spread) {
  double low = 0, high = 0;
  for (std::size_t l = 0; l < t.change.size(); ++l) {
    for (std::size_t i = 0; i < t.change[l].size(); ++i) {
      const double d = t.change[l][i];
      const double s = spreadAt(t, spread, l, i);
      const double bar = std::isfinite(s) ? s : 0;
      low = std::min(low, d - bar);
      high = std::max(high, d + bar);
    }
  }
  return {low, high};
}

}  // namespace

surface::Figure paperFigure(const SensitivityTable& t,
                            const std::vector<std::vector<double>>& roundSpread,
                            const common::FigureSettings& settings) {
  const common::FigureSizeCm size = settings.size.value_or(common::FigureSizeCm{});
  surface::Figure figure(surface::pointsFromCm(size.width), surface::pointsFromCm(size.height));
  const int inputs = static_cast<int>(t.change[0].size());
  const auto columns = legendColumns(inputs, figure.heightPt() - 2 * kPaddingPt);
  double legendWidth = 0;
  for (const auto& column : columns) {
    legendWidth += surface::legendBox(column, {0, 0}, kFontPt).width() + kPaddingPt;
  }
  double levelLow = 0, levelHigh = 0;
  for (float level : t.levels) {
    levelLow = std::min(levelLow, static_cast<double>(level));
    levelHigh = std::max(levelHigh, static_cast<double>(level));
  }
  const auto [low, high] = changeRange(t, roundSpread);
  const surface::PlotArea area =
      surface::layOutPlot(figure, {"Noise level", levelLow, levelHigh, {}},
                          {"Relative change of the error", low, high, {}},
                          {kFontPt, settings.title, false, legendWidth});
  figure.polyline({area.at(levelLow, 0), area.at(levelHigh, 0)},
                  {common::paletteColour(8), 0.75, surface::Dash::kDotted});
  for (int i = 0; i < inputs; ++i) {
    const auto input = static_cast<std::size_t>(i);
    const surface::Pen pen = surface::seriesPen(i);
    std::vector<surface::FigurePoint> curve;
    for (std::size_t l = 0; l < t.levels.size(); ++l) {
      const double x = t.levels[l];
      const double d = t.change[l][input];
      curve.push_back(area.at(x, d));
      const double s = spreadAt(t, roundSpread, l, input);
      if (!std::isfinite(s) || s <= 0) continue;
      const surface::Pen bar{pen.colour, kBarPt, surface::Dash::kSolid};
      const surface::FigurePoint top = area.at(x, d + s), bottom = area.at(x, d - s);
      figure.polyline({top, bottom}, bar);
      figure.polyline({{top.x - kCapPt, top.y}, {top.x + kCapPt, top.y}}, bar);
      figure.polyline({{bottom.x - kCapPt, bottom.y}, {bottom.x + kCapPt, bottom.y}}, bar);
    }
    figure.polyline(curve, pen);
    for (const surface::FigurePoint& p : curve) figure.circle(p, kDotRadiusPt, pen.colour);
  }
  double left = figure.widthPt() - legendWidth;
  for (const auto& column : columns) {
    left += surface::drawLegend(figure, column, {left, kPaddingPt}, kFontPt).width() + kPaddingPt;
  }
  return figure;
}

}  // namespace tremora
