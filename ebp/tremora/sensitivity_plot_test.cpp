#include "ebp/tremora/sensitivity_plot.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/colour.h"
#include "test_support/sensitivity_table.h"

namespace tremora {
namespace {

using support::sensitivityTable;

TEST(PlotAxes, RangeOfTheChanges) {
  const SensitivityTable up = sensitivityTable({0.1f}, {{0.5f, 0.25f}});
  EXPECT_EQ(up.dmax, 0.5f);
  EXPECT_EQ(up.dmin, 0.0f);  // all changes above 0
  EXPECT_EQ(up.range, 0.5f);
  const SensitivityTable both = sensitivityTable({0.1f}, {{-0.25f, 1.0f}});
  EXPECT_EQ(both.dmin, -0.25f);
  EXPECT_EQ(both.range, 1.25f);
  const SensitivityTable down = sensitivityTable({0.1f}, {{-0.5f}});
  EXPECT_EQ(down.dmax, 0.0f);
  EXPECT_EQ(down.range, 0.5f);
}

TEST(PlotAxes, LevelLabels) {
  std::vector<std::string> fine;
  for (const auto& l : levelLabels(0.2f)) fine.push_back(l.second);
  EXPECT_EQ(fine, (std::vector<std::string>{"0.0%", "5.0%", "10.0%", "15.0%", "20.0%"}));
  std::vector<std::string> coarse;
  for (const auto& l : levelLabels(0.6f)) coarse.push_back(l.second);
  EXPECT_EQ(coarse, (std::vector<std::string>{"0%", "10%", "20%", "30%", "40%", "50%", "60%"}));
  // 10 x 0.7f and 10 x 0.9f are 7 and 9 in single precision (6.99999988 and
  // 8.99999976 in double): the last level keeps its tick and label.
  for (const float last : {0.7f, 0.9f}) {
    const auto labels = levelLabels(last);
    ASSERT_EQ(labels.size(), static_cast<std::size_t>(std::lround(last * 10)) + 1) << last;
    EXPECT_EQ(labels.back().second, std::to_string(std::lround(last * 100)) + "%");
  }
}

TEST(PlotAxes, ChangeTicks) {
  EXPECT_EQ(changeTicks(1.2, 0), (std::vector<double>{0, 0.5, 1.0}));
  EXPECT_EQ(changeTicks(1.2, -0.5), (std::vector<double>{0, 0.5, 1.0}));  // no -50 %
  EXPECT_EQ(changeTicks(1.2, -0.6), (std::vector<double>{0, 0.5, 1.0, -0.5}));
  EXPECT_EQ(changeTicks(3, -1.5), (std::vector<double>{0, 1, 2, 3, -1}));
}

TEST(Plot, CurvesLegendAndColours) {
  EXPECT_EQ(inputColour(15), common::kBlack);
  EXPECT_EQ(inputColour(16), common::paletteColour(1));
  EXPECT_EQ(inputColour(1), common::paletteColour(1));
  std::vector<std::vector<float>> change(2, std::vector<float>(16, 0.0f));
  for (int i = 0; i < 16; ++i) change[1][static_cast<std::size_t>(i)] = 0.1f * (i + 1);
  const SensitivityTable t = sensitivityTable({0.05f, 0.1f}, change);
  surface::Surface plot(kPlotWidthPx, kPlotHeightPx);
  EXPECT_EQ(drawSensitivityPlot(plot, t), PlotOutcome::kDrawn);
  auto count = [&](common::Colour c) {
    int n = 0;
    for (int r = 0; r < plot.heightPx(); ++r) {
      for (int col = 0; col < plot.widthPx(); ++col) n += plot.pixel(col, r) == c;
    }
    return n;
  };
  EXPECT_GT(count(common::rgb(223, 223, 223)), 50);  // the grid
  EXPECT_GT(count(common::paletteColour(5)), 30);    // the curve of input 5
  // The curve of input 16 ends at (0.1, 1.6), drawn in dark blue.
  const surface::PixelPoint end = plot.toPixel(0.1, 1.6);
  int blue = 0;
  for (int dr = -6; dr <= 6; ++dr) {
    for (int dc = -30; dc <= 0; ++dc)
      blue += plot.pixel(end.col + dc, end.row + dr) == common::paletteColour(1);
  }
  EXPECT_GT(blue, 5);
}

TEST(PlotAxes, TheLevelAxisRunsToTheFarthestLevel) {
  struct Case {
    std::vector<float> levels;
    float span;
  } cases[] = {
      {{0.01f, 0.05f, 0.2f}, 0.2f},
      {{0.2f, 0.1f, 0.05f}, 0.2f},
      {{0.1f, 0.0f}, 0.1f},
      {{0.0f, 0.0f}, 0.0f},
      {{-0.1f, -0.3f}, -0.3f},
      {{0.2f, NAN}, 0.2f},
      {{}, 0.0f},
  };
  for (const Case& c : cases) EXPECT_EQ(levelSpan(c.levels), c.span) << c.levels.size();
}

// Levels in descending order are drawn inside the frame as ascending ones:
// the curve's first point, at the largest level, is on the picture.
TEST(Plot, DescendingLevelsStayInsideTheFrame) {
  surface::Surface plot(kPlotWidthPx, kPlotHeightPx);
  ASSERT_EQ(
      drawSensitivityPlot(plot, sensitivityTable({0.2f, 0.1f, 0.05f}, {{0.9f}, {0.5f}, {0.1f}})),
      PlotOutcome::kDrawn);
  const surface::PixelPoint first = plot.toPixel(0.2, 0.9);
  EXPECT_LT(first.col, plot.widthPx() - 20);
  EXPECT_GT(first.row, 20);
  int curve = 0;
  for (int dr = -4; dr <= 4; ++dr) {
    for (int dc = -4; dc <= 4; ++dc) {
      curve += plot.pixel(first.col + dc, first.row + dr) == inputColour(1);
    }
  }
  EXPECT_GT(curve, 5);
}

TEST(Plot, EmptySpansDrawNothing) {
  surface::Surface plot(kPlotWidthPx, kPlotHeightPx);
  EXPECT_EQ(drawSensitivityPlot(plot, sensitivityTable({0.0f, 0.0f}, {{0.2f}, {0.1f}})),
            PlotOutcome::kLevelsSpanNothing);
  EXPECT_EQ(drawSensitivityPlot(plot, sensitivityTable({0.1f, 0.2f}, {{0.0f}, {0.0f}})),
            PlotOutcome::kChangesSpanNothing);
  EXPECT_EQ(plot.pixel(300, 200), common::kWhite);
}

}  // namespace
}  // namespace tremora
