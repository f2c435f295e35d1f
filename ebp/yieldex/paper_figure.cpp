#include "ebp/yieldex/paper_figure.h"

#include <algorithm>
#include <array>
#include <string>

#include "surface/figure_keys.h"
#include "surface/plot_axes.h"

namespace yieldex {
namespace {

constexpr int kBins = 10;
constexpr double kDotRadiusPt = 1.5;
constexpr double kFontPt = 9;
constexpr double kAxisPenPt = 0.75;

// The range an axis spans: the unit interval, widened to every value.
surface::Axis axisOver(const std::string& title, double low, double high) {
  return {title, std::min(0.0, low), std::max(1.0, high), {}};
}

// The dashed diagonal from (0, 0) to (1, 1) of "area".
void drawDiagonal(surface::Figure& figure, const surface::PlotArea& area) {
  figure.polyline({area.at(0, 0), area.at(1, 1)},
                  {common::paletteColour(8), kAxisPenPt, surface::Dash::kDashed});
}

// The pairs' plot with its legend, "rightRoomPt" kept free at the right;
// returns its frame.
surface::FigureBox drawPairs(surface::Figure& figure, const std::vector<PlottedPair>& pairs,
                             int outputs, const common::FigureSettings& settings,
                             double rightRoomPt) {
  double yLow = 0, yHigh = 1, tLow = 0, tHigh = 1;
  for (const PlottedPair& p : pairs) {
    yLow = std::min(yLow, p.y);
    yHigh = std::max(yHigh, p.y);
    tLow = std::min(tLow, p.target);
    tHigh = std::max(tHigh, p.target);
  }
  const surface::PlotArea area = surface::layOutPlot(
      figure, axisOver("Network output", yLow, yHigh), axisOver("Target", tLow, tHigh),
      {kFontPt, settings.title, true, rightRoomPt});
  drawDiagonal(figure, area);
  for (const PlottedPair& p : pairs) {
    figure.circle(area.at(p.y, p.target), kDotRadiusPt, surface::okabeIto(p.output - 1));
  }
  std::vector<surface::LegendRow> rows;
  for (int k = 1; k <= outputs; ++k) {
    rows.push_back({"output " + std::to_string(k), {}, {}, surface::okabeIto(k - 1)});
  }
  if (rows.empty()) return area.frame();
  const surface::FigureBox room = surface::legendBox(rows, {0, 0}, kFontPt);
  surface::drawLegend(
      figure, rows,
      surface::placeInCorner(area.frame(), room.width(), room.height(), surface::Corner::kTopLeft),
      kFontPt);
  return area.frame();
}

// The reliability diagram in "frame", a curve per output through its bins.
void drawCalibration(surface::Figure& figure, const std::vector<PlottedPair>& pairs, int outputs,
                     const surface::FigureBox& frame) {
  const surface::PlotArea area(frame, {"Mean network output", 0, 1, surface::niceTicks(0, 1)},
                               {"Observed frequency of 1", 0, 1, surface::niceTicks(0, 1)});
  area.drawAxes(figure, kFontPt);
  drawDiagonal(figure, area);
  for (int k = 1; k <= outputs; ++k) {
    std::vector<surface::FigurePoint> line;
    for (const CalibrationBin& bin : calibrationBins(pairs, k)) {
      line.push_back(area.at(bin.meanOutput, bin.frequency));
    }
    figure.polyline(line, surface::seriesPen(k - 1));
    for (const surface::FigurePoint& p : line) {
      figure.circle(p, 2 * kDotRadiusPt, surface::okabeIto(k - 1));
    }
  }
}

}  // namespace

bool targetsAreZeroOrOne(const std::vector<PlottedPair>& pairs) {
  return !pairs.empty() && std::all_of(pairs.begin(), pairs.end(), [](const PlottedPair& p) {
    return p.target == 0 || p.target == 1;
  });
}

std::vector<CalibrationBin> calibrationBins(const std::vector<PlottedPair>& pairs, int k) {
  std::array<double, kBins> outputSum{}, ones{};
  std::array<long, kBins> count{};
  for (const PlottedPair& p : pairs) {
    if (p.output != k) continue;
    const int bin = std::clamp(static_cast<int>(p.y * kBins), 0, kBins - 1);
    outputSum[bin] += p.y;
    ones[bin] += p.target == 1 ? 1 : 0;
    ++count[bin];
  }
  std::vector<CalibrationBin> bins;
  for (int b = 0; b < kBins; ++b) {
    if (count[b] == 0) continue;
    const double n = static_cast<double>(count[b]);
    bins.push_back({outputSum[b] / n, ones[b] / n, count[b]});
  }
  return bins;
}

surface::Figure paperFigure(const std::vector<PlottedPair>& pairs, int outputs,
                            const common::FigureSettings& settings, bool calibration) {
  const common::FigureSizeCm size =
      settings.size.value_or(common::FigureSizeCm{calibration ? 24.0 : 12.0, 12});
  surface::Figure figure(surface::pointsFromCm(size.width), surface::pointsFromCm(size.height));
  const double half = calibration ? figure.widthPt() / 2 : 0;
  const surface::FigureBox first = drawPairs(figure, pairs, outputs, settings, half);
  if (!calibration) return figure;
  // The second panel: the first one's frame moved right by half the figure.
  drawCalibration(figure, pairs, outputs,
                  {first.left + half, first.top, first.right + half, first.bottom});
  return figure;
}

}  // namespace yieldex
