#include "ebp/tremora/sensitivity_plot.h"

#include <cmath>

#include "common/format_mask.h"
#include "common/rounding.h"

namespace tremora {

using common::formatMask;

namespace {

// Prints "text" with its top-left corner at (x, y).
void printAt(surface::Surface& plot, const std::string& text, double x, double y) {
  plot.setCurrentPoint(x, y);
  plot.print(text);
}

void drawAxes(surface::Surface& plot, const SensitivityTable& t, double llast) {
  const double dmin = t.dmin, range = t.range;
  for (const auto& [x, label] : levelLabels(static_cast<float>(llast))) {
    const double tickEnd = dmin - 0.02 * range;
    plot.line(x, dmin, x, tickEnd);
    printAt(plot, label, x - plot.textWidth(label) / 2, tickEnd - plot.textHeight(label) / 2);
  }
  for (double y : changeTicks(t.dmax, dmin)) {
    plot.line(0, y, -0.02 * llast, y);
    const std::string label = formatMask(y, "####0%");
    printAt(plot, label, -0.04 * llast - plot.textWidth(label), y + plot.textHeight(label) / 2);
  }
}

void drawLegend(surface::Surface& plot, const SensitivityTable& t, double llast) {
  const double line = 1.15 * t.dmax;
  const std::string title = "Inputs:";
  printAt(plot, title, -0.04 * llast - plot.textWidth(title), line + plot.textHeight(title) / 2);
  const int nI = static_cast<int>(t.change[0].size());
  double x = 0;
  for (int i = 1; i <= nI; ++i) {
    const common::Colour colour = inputColour(i);
    const std::string number = formatMask(i, "#00");
    const double width = plot.textWidth(number);
    const double height = plot.textHeight(number);
    plot.setPenColour(colour);
    printAt(plot, number, x, line + height / 2);
    plot.setDrawWidth(2);
    plot.line(x, line - height / 4, x + width, line - height / 4, colour);
    plot.setDrawWidth(1);
    x = x + 1.5 * width;
  }
  plot.setPenColour(common::kBlack);
}

}  // namespace

std::vector<std::pair<double, std::string>> levelLabels(float llast) {
  const bool fine = llast < 0.5;
  const double step = fine ? 0.05 : 0.1;
  const char* mask = fine ? "##0.0%" : "##0%";
  const float tenfold = 10.0f * llast;  // in single precision: 0.7f gives 7, not 6.99999988
  const double end = std::floor(static_cast<double>(tenfold)) / 10;
  std::vector<std::pair<double, std::string>> labels;
  for (double x = 0; x <= end && labels.size() < 10000; x = x + step) {
    labels.emplace_back(x, formatMask(x, mask));
  }
  return labels;
}

std::vector<double> changeTicks(double dmax, double dmin) {
  const double step = dmax < 3 ? 0.5 : 1;
  std::vector<double> ticks;
  // Bounded: the plot shows some hundred ticks at the most.
  for (double y = 0; y <= dmax && ticks.size() < 10000; y = y + step) ticks.push_back(y);
  if (-step > dmin) {
    for (double y = -step; y >= dmin && ticks.size() < 20000; y = y - step) ticks.push_back(y);
  }
  return ticks;
}

float levelSpan(const std::vector<float>& levels) {
  float span = 0;
  for (float level : levels) {
    if (std::fabs(level) >= std::fabs(span)) span = level;
  }
  return span;
}

common::Colour inputColour(int i) { return common::paletteColour(i % 15); }

std::string_view whyNoPlot(PlotOutcome outcome) {
  switch (outcome) {
    case PlotOutcome::kDrawn:
      return "";
    case PlotOutcome::kNoResults:
      return "No plot: no results.";
    case PlotOutcome::kLevelsSpanNothing:
      return "No plot: the last noise level is 0, so the levels span nothing.";
    case PlotOutcome::kChangesSpanNothing:
      return "No plot: no noise level changed the error.";
  }
  return "";
}

PlotOutcome drawSensitivityPlot(surface::Surface& plot, const SensitivityTable& t) {
  plot.clear(common::kWhite);
  if (t.levels.empty() || t.change.empty() || t.change[0].empty()) return PlotOutcome::kNoResults;
  const double llast = levelSpan(t.levels);
  if (!(llast != 0)) return PlotOutcome::kLevelsSpanNothing;
  if (!(t.range != 0)) return PlotOutcome::kChangesSpanNothing;
  const double dmin = t.dmin, dmax = t.dmax, range = t.range;
  plot.setScale(-0.15 * llast, 1.3 * dmax, 1.075 * llast, dmin - 0.15 * range);
  plot.setFontName("Arial");
  plot.setFontSize(8);
  plot.setPenColour(common::kBlack);
  const common::Colour grid = common::rgb(223, 223, 223);
  for (float level : t.levels) plot.line(level, dmin, level, 1.075 * dmax, grid);
  const int nI = static_cast<int>(t.change[0].size());
  plot.setDrawWidth(2);
  for (int i = 1; i <= nI; ++i) {
    const common::Colour colour = inputColour(i);
    for (std::size_t l = 0; l < t.levels.size(); ++l) {
      const double x = t.levels[l];
      const double y = t.change[l][static_cast<std::size_t>(i - 1)];
      if (l == 0) {
        plot.point(x, y, colour);
      } else {
        plot.lineTo(x, y, colour);
      }
      plot.circle(x, y, 0.005, colour);
    }
  }
  plot.line(0, dmin, 1.01875 * llast, 1.075 * dmax, {}, surface::LineKind::kBox);
  plot.setDrawWidth(1);
  plot.setDrawStyle(surface::DrawStyle::kDotted);
  plot.line(0, 0, llast, 0);
  plot.setDrawStyle(surface::DrawStyle::kSolid);
  drawAxes(plot, t, llast);
  drawLegend(plot, t, llast);
  plot.setPenColour(common::kBlack);
  return PlotOutcome::kDrawn;
}

}  // namespace tremora
