#include "ebp/tremora/paper_figure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "test_support/sensitivity_table.h"

namespace tremora {
namespace {

using Kind = surface::Figure::Item::Kind;

// The plot's frame: the outlined rectangle with no fill.
surface::FigureBox frameOf(const surface::Figure& figure) {
  for (const auto& item : figure.items()) {
    if (item.kind == Kind::kPolygon && !item.fill && item.pen && item.points.size() == 4) {
      return {item.points[0].x, item.points[0].y, item.points[2].x, item.points[2].y};
    }
  }
  ADD_FAILURE() << "no frame";
  return {};
}

TEST(TremoraPaperFigure, CurvesBarsAndLegendInTheirPlaces) {
  const double nan = std::nan("");
  const struct {
    const char* name;
    SensitivityTable table;
    std::vector<std::vector<double>> spread;
    long bars;  // error bars drawn (each a line and two caps)
  } kCases[] = {
      {"one round",
       support::sensitivityTable({0.05f, 0.1f, 0.2f}, {{0.1f, 0.2f}, {0.3f, -0.1f}, {0.9f, 0.4f}}),
       {},
       0},
      {"rounds: a bar where the spread is above 0",
       support::sensitivityTable({0.05f, 0.1f}, {{0.1f, 0.2f}, {0.3f, -0.1f}}, 0.01f),
       {{0.002, 0}, {0.004, nan}},
       2},
      {"many inputs: the legend in columns",
       support::sensitivityTable({0.1f, 0.5f},
                                 {std::vector<float>(30, 0.2f), std::vector<float>(30, 1.5f)}),
       {std::vector<double>(30, 0.001), std::vector<double>(30, 0.001)},
       60},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const surface::Figure figure =
        paperFigure(c.table, c.spread, {common::PictureStyle::kPaper, {}, "Noise"});
    const surface::FigureBox frame = frameOf(figure);
    const surface::FigureBox page{0, 0, figure.widthPt(), figure.heightPt()};
    const std::size_t inputs = c.table.change[0].size();
    long dots = 0, barLines = 0;
    std::string text;
    std::vector<surface::FigureBox> boxes;
    for (const auto& item : figure.items()) {
      if (item.kind == Kind::kCircle) {
        dots += frame.contains(item.points[0]);
      } else if (item.kind == Kind::kPolyline && item.pen && item.pen->widthPt == 1) {
        ++barLines;
        for (const auto& p : item.points) EXPECT_TRUE(frame.contains(p));
      } else if (item.kind == Kind::kText) {
        text += item.text + "|";
        EXPECT_TRUE(page.contains(item.box)) << item.text;
        for (const auto& other : boxes) EXPECT_FALSE(other.overlaps(item.box)) << item.text;
        boxes.push_back(item.box);
        // Legend rows lie right of the plot.
        if (item.text.starts_with("input ")) EXPECT_GT(item.box.left, frame.right);
      }
    }
    EXPECT_EQ(dots, static_cast<long>(inputs * c.table.levels.size()));
    EXPECT_EQ(barLines, 3 * c.bars);
    for (std::size_t i = 1; i <= inputs; ++i) {
      EXPECT_NE(text.find("input " + std::to_string(i) + "|"), std::string::npos) << i;
    }
    for (const char* wanted : {"Noise level|", "Relative change of the error|", "Noise|"}) {
      EXPECT_NE(text.find(wanted), std::string::npos) << wanted;
    }
  }
}

}  // namespace
}  // namespace tremora
