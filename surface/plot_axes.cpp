#include "surface/plot_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace surface {
namespace {

constexpr double kTickPt = 4;         // a tick's length, outwards
constexpr double kGapPt = 2;          // between a tick and its label
constexpr double kPaddingPt = 6;      // around the whole plot
constexpr double kInsetShare = 0.04;  // the data's inset from the frame, per side
const Pen kAxisPen{common::kBlack, 0.75, Dash::kSolid};

double titleSize(double fontPt) { return fontPt + 1; }

double stepOf(const std::vector<double>& ticks) {
  return ticks.size() >= 2 ? std::fabs(ticks[1] - ticks[0]) : 1.0;
}

std::vector<std::string> labelsOf(const Axis& axis) {
  std::vector<std::string> labels;
  for (const double value : axis.ticks) labels.push_back(tickLabel(value, stepOf(axis.ticks)));
  return labels;
}

double widestLabel(const Axis& axis, double fontPt) {
  double widest = 0;
  for (const std::string& label : labelsOf(axis)) {
    widest = std::max(widest, Figure::textWidth(label, fontPt));
  }
  return widest;
}

Axis withTicks(Axis axis) {
  if (axis.ticks.empty()) axis.ticks = niceTicks(axis.low, axis.high);
  return axis;
}

}  // namespace

std::vector<double> niceTicks(double low, double high, int count) {
  if (!(high > low) || !std::isfinite(high - low) || count < 1) return {low};
  const double raw = (high - low) / count;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  const double share = raw / magnitude;
  const double step = (share < 1.5 ? 1 : share < 3 ? 2 : share < 7 ? 5 : 10) * magnitude;
  std::vector<double> ticks;
  const double first = std::ceil(low / step - 1e-9);
  for (double i = first; i * step <= high + step * 1e-9; ++i) {
    const double value = i * step;
    ticks.push_back(std::fabs(value) < step * 1e-9 ? 0.0 : value);
  }
  return ticks;
}

std::string tickLabel(double value, double step) {
  int decimals = 0;
  if (step > 0 && step < 1) decimals = static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  // A step such as 0.25 or 0.05 needs one decimal more than its power of ten.
  const double scaled = step * std::pow(10.0, decimals);
  if (step > 0 && std::fabs(scaled - std::round(scaled)) > 1e-6) ++decimals;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::min(decimals, 12), value);
  std::string label(buffer);
  if (label.find_first_not_of("-0.") == std::string::npos && label.front() == '-') {
    label.erase(0, 1);
  }
  return label;
}

PlotArea::PlotArea(const FigureBox& frame, Axis x, Axis y)
    : frame_(frame), x_(withTicks(std::move(x))), y_(withTicks(std::move(y))) {}

FigureBox PlotArea::dataBox() const {
  const double dx = frame_.width() * kInsetShare;
  const double dy = frame_.height() * kInsetShare;
  return {frame_.left + dx, frame_.top + dy, frame_.right - dx, frame_.bottom - dy};
}

FigurePoint PlotArea::at(double x, double y) const {
  const FigureBox box = dataBox();
  const auto share = [](double v, const Axis& axis) {
    return axis.high > axis.low ? (v - axis.low) / (axis.high - axis.low) : 0.5;
  };
  return {box.left + share(x, x_) * box.width(), box.bottom - share(y, y_) * box.height()};
}

void PlotArea::drawAxes(Figure& figure, double fontPt) const {
  figure.rectangle(frame_, {}, kAxisPen);
  const std::vector<std::string> xLabels = labelsOf(x_);
  for (std::size_t i = 0; i < x_.ticks.size(); ++i) {
    const double px = at(x_.ticks[i], y_.low).x;
    figure.polyline({{px, frame_.bottom}, {px, frame_.bottom + kTickPt}}, kAxisPen);
    figure.text(xLabels[i], {px, frame_.bottom + kTickPt + kGapPt},
                {fontPt, HAlign::kCentre, VAlign::kTop});
  }
  const std::vector<std::string> yLabels = labelsOf(y_);
  for (std::size_t i = 0; i < y_.ticks.size(); ++i) {
    const double py = at(x_.low, y_.ticks[i]).y;
    figure.polyline({{frame_.left - kTickPt, py}, {frame_.left, py}}, kAxisPen);
    figure.text(yLabels[i], {frame_.left - kTickPt - kGapPt, py},
                {fontPt, HAlign::kRight, VAlign::kMiddle});
  }
  const double titlePt = titleSize(fontPt);
  const double centreX = (frame_.left + frame_.right) / 2;
  const double belowLabels = frame_.bottom + kTickPt + kGapPt + Figure::lineHeight(fontPt) + kGapPt;
  if (!x_.title.empty()) {
    figure.text(x_.title, {centreX, belowLabels}, {titlePt, HAlign::kCentre, VAlign::kTop});
  }
  if (!y_.title.empty()) {
    const double leftOfLabels = frame_.left - kTickPt - 2 * kGapPt - widestLabel(y_, fontPt);
    figure.text(y_.title, {leftOfLabels, (frame_.top + frame_.bottom) / 2},
                {titlePt, HAlign::kCentre, VAlign::kBottom, 1});
  }
}

PlotArea layOutPlot(Figure& figure, Axis x, Axis y, const PlotLayout& layout) {
  x = withTicks(std::move(x));
  y = withTicks(std::move(y));
  const double fontPt = layout.fontPt;
  const double titlePt = titleSize(fontPt);
  const double lineHeight = Figure::lineHeight(fontPt);
  const double titleLine = Figure::lineHeight(titlePt);
  double top = kPaddingPt + lineHeight / 2;
  if (!layout.title.empty()) top += Figure::lineHeight(titlePt + 1) + kGapPt;
  const double left = kPaddingPt + (y.title.empty() ? 0 : titleLine + kGapPt) +
                      widestLabel(y, fontPt) + kGapPt + kTickPt;
  const double bottom =
      kPaddingPt + (x.title.empty() ? 0 : titleLine + kGapPt) + lineHeight + kGapPt + kTickPt;
  const double lastLabel =
      x.ticks.empty() ? 0 : Figure::textWidth(tickLabel(x.ticks.back(), stepOf(x.ticks)), fontPt);
  const double right = std::max(kPaddingPt, lastLabel / 2 + kGapPt) + layout.rightRoomPt;
  FigureBox frame{left, top, std::max(left + 1, figure.widthPt() - right),
                  std::max(top + 1, figure.heightPt() - bottom)};
  if (layout.square) {
    const double side = std::min(frame.width(), frame.height());
    const double spareX = frame.width() - side;
    const double spareY = frame.height() - side;
    frame = {frame.left + spareX / 2, frame.top + spareY / 2, frame.left + spareX / 2 + side,
             frame.top + spareY / 2 + side};
  }
  if (!layout.title.empty()) {
    // Over the frame, clear of the top tick label's upper half.
    figure.text(layout.title, {(frame.left + frame.right) / 2, frame.top - lineHeight / 2 - kGapPt},
                {titlePt + 1, HAlign::kCentre, VAlign::kBottom, 0, common::kBlack, true});
  }
  PlotArea area(frame, std::move(x), std::move(y));
  area.drawAxes(figure, fontPt);
  return area;
}

}  // namespace surface
