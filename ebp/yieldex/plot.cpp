#include "ebp/yieldex/plot.h"

namespace yieldex {
namespace {

// The plot surface's own colour around the unit square.
constexpr common::Colour kBackground = 0xF0F0F0;

}  // namespace

int outputColourIndex(int k) {
  const int c = (k + 8) % 16;
  if (c == 7) return 14;
  if (c == 15) return 1;
  return c;
}

common::Colour outputColour(int k) { return common::paletteColour(outputColourIndex(k)); }

void initPlot(surface::Surface& plot) {
  plot.setScale(-0.075, 1.025, 1.025, -0.075);
  plot.clear(kBackground);
  plot.setPenColour(common::kBlack);
  plot.setFontName("Arial");
  plot.setFontSize(8);
  plot.line(0, 0, 1, 1, common::paletteColour(15), surface::LineKind::kFilledBox);
  plot.setDrawStyle(surface::DrawStyle::kDotted);
  plot.line(0, 0, 1, 1);
  plot.setDrawStyle(surface::DrawStyle::kSolid);
  plot.setDrawWidth(2);
  plot.line(0, 0, 1, 1, {}, surface::LineKind::kBox);
  plot.setDrawWidth(1);
  plot.setCurrentPoint(0.475, -0.025);
  plot.print("NN OUTPUT");
  static constexpr struct {
    const char* letter;
    double y;
  } kTitle[] = {{"T", 0.62}, {"A", 0.585}, {"R", 0.55}, {"G", 0.515}, {"E", 0.48}, {"T", 0.445}};
  for (const auto& l : kTitle) {
    plot.setCurrentPoint(-0.05, l.y);
    plot.print(l.letter);
  }
}

void plotPoint(surface::Surface& plot, int k, double output, double target) {
  plot.circle(output, target, 0.005, outputColour(k));
}

}  // namespace yieldex
