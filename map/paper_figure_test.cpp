#include "map/paper_figure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

#include "map/class_names.h"
#include "map/draw/lattice.h"
#include "map/drawing_pass.h"
#include "map/unit_labels.h"
#include "test_support/scratch_dir.h"

namespace map {
namespace {

using surface::Figure;
using surface::FigureBox;
using surface::FigurePoint;
using Kind = Figure::Item::Kind;

const std::string kSom = std::string(EXAMPLES_DIR) + "/som/";

// A paper figure of the iris map drawn by a whole pass of "option".
struct PaperPass {
  support::ScratchDir dir{"paper"};
  MapControls controls;
  RunState state;
  Settings settings;
  Figure figure{1, 1};

  PaperPass(MapOption option, const std::string& picture = "map.svg",
            const std::vector<std::string>& names = {},
            std::optional<common::FigureSizeCm> size = std::nullopt) {
    controls.visfile = kSom + "iris.bmu";
    controls.codfile = kSom + "iris.wgt";
    controls.colcod = "3";
    controls.datfile = kSom + "iris_ext.dat";
    controls.classfile = kSom + "iris.cls";
    controls.option = option;
    controls.bmpout = dir.path(picture);
    controls.figure.style = common::PictureStyle::kPaper;
    controls.figure.title = "Iris";
    controls.figure.size = size;
    takeDialogValues(state, controls);
    drawingPass(state, controls, kSom + "Favomap5.cfg");
    settings = loadSettings(kSom + "Favomap5.cfg");
    figure = paperMapFigure(state, controls, settings, names);
  }
  std::vector<Figure::Item> itemsOf(Kind kind, std::size_t corners = 0) const {
    std::vector<Figure::Item> found;
    for (const Figure::Item& item : figure.items()) {
      if (item.kind == kind && (corners == 0 || item.points.size() == corners)) {
        found.push_back(item);
      }
    }
    return found;
  }
};

// True when "p" lies inside or on the convex polygon "corners" (clockwise
// on the page, y down).
bool insideConvex(const std::vector<FigurePoint>& corners, FigurePoint p) {
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const FigurePoint a = corners[i];
    const FigurePoint b = corners[(i + 1) % corners.size()];
    if ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x) < -1e-6) return false;
  }
  return true;
}

TEST(PaperMap, HexagonsLabelsAndKeysFitWhereTheyBelong) {
  struct Case {
    MapOption option;
    std::optional<common::FigureSizeCm> size;
  } cases[] = {{MapOption::kPlain, {}},
               {MapOption::kVariables, {}},
               {MapOption::kExternal, {}},
               {MapOption::kClasses, {}},
               {MapOption::kVariables, common::FigureSizeCm{10, 12}},
               {MapOption::kClasses, common::FigureSizeCm{30, 6}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.option));
    PaperPass pass(c.option, "map.svg", {}, c.size);
    const std::vector<Figure::Item> hexagons = pass.itemsOf(Kind::kPolygon, 6);
    ASSERT_EQ(hexagons.size(), 8u * 12u);
    // Every corner on the figure, with the margin left free.
    const FigureBox page{0, 0, pass.figure.widthPt(), pass.figure.heightPt()};
    for (const Figure::Item& hexagon : hexagons) {
      for (const FigurePoint p : hexagon.points) {
        EXPECT_TRUE(page.contains(p)) << p.x << ", " << p.y;
        EXPECT_GT(p.x, 4);
        EXPECT_GT(p.y, 4);
      }
    }
    // Each label box inside one hexagon; no two text boxes overlap.
    const std::vector<Figure::Item> texts = pass.itemsOf(Kind::kText);
    int labels = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      for (std::size_t j = i + 1; j < texts.size(); ++j) {
        EXPECT_FALSE(texts[i].box.overlaps(texts[j].box)) << texts[i].text << " " << texts[j].text;
      }
      const FigureBox& b = texts[i].box;
      for (const Figure::Item& hexagon : hexagons) {
        if (!insideConvex(hexagon.points, {(b.left + b.right) / 2, (b.top + b.bottom) / 2})) {
          continue;
        }
        ++labels;
        for (const FigurePoint corner :
             {FigurePoint{b.left, b.top}, FigurePoint{b.right, b.top},
              FigurePoint{b.left, b.bottom}, FigurePoint{b.right, b.bottom}}) {
          EXPECT_TRUE(insideConvex(hexagon.points, corner)) << texts[i].text;
        }
      }
      EXPECT_GE(b.height(), Figure::lineHeight(kSmallestLabelPt) - 1e-9) << texts[i].text;
      EXPECT_TRUE(page.contains(b)) << texts[i].text;
    }
    // At the default size every line the exact picture writes is drawn.
    int lines = 0;
    for (int row = 1; row <= 8; ++row) {
      for (int col = 1; col <= 12; ++col) {
        std::string joined;
        for (const std::string& label : pass.state.unitLabels(row, col)) joined += " " + label;
        lines += static_cast<int>(labelLines(joined, false, false).size());
      }
    }
    if (c.size) {
      EXPECT_LE(labels, lines);  // a smaller map leaves some out
    } else {
      EXPECT_EQ(labels, lines);
    }
  }
}

TEST(PaperMap, KeysShowTheColoursTheUnitsAreDrawnIn) {
  // Option 2: the bar runs from the colour of the unit with the smallest
  // value to that of the unit with the largest.
  PaperPass variables(MapOption::kVariables);
  const common::Grid3<float>& w = variables.state.grid.weights;
  RunState& state = variables.state;
  draw::RowCol low{1, 1}, high{1, 1};
  for (int row = 1; row <= 8; ++row) {
    for (int col = 1; col <= 12; ++col) {
      if (w(col, row, 3) < w(low.col, low.row, 3)) low = {row, col};
      if (w(col, row, 3) > w(high.col, high.row, 3)) high = {row, col};
    }
  }
  const std::vector<Figure::Item> bar = variables.itemsOf(Kind::kPolygon, 4);
  ASSERT_GE(bar.size(), 3u);
  EXPECT_EQ(bar.front().fill, state.unitColours(low.row, low.col));
  EXPECT_EQ(bar[bar.size() - 2].fill, state.unitColours(high.row, high.col));  // then its frame
  EXPECT_NE(state.unitColours(low.row, low.col), state.unitColours(high.row, high.col));
  const std::vector<Figure::Item> hexagons = variables.itemsOf(Kind::kPolygon, 6);
  EXPECT_EQ(hexagons[0].fill, state.unitColours(1, 1));

  // Option 4: a legend row per class, its swatch the colour of the class's units.
  PaperPass classes(MapOption::kClasses);
  std::map<int, common::Colour> classColour;
  for (int row = 1; row <= 8; ++row) {
    for (int col = 1; col <= 12; ++col) {
      classColour[classes.state.unitClasses(row, col)] = classes.state.unitColours(row, col);
    }
  }
  std::vector<common::Colour> swatches;
  for (const Figure::Item& item : classes.itemsOf(Kind::kPolygon, 4)) {
    if (item.fill && *item.fill != common::kWhite) swatches.push_back(*item.fill);
  }
  std::vector<common::Colour> expected;
  for (const auto& [k, colour] : classColour) expected.push_back(colour);
  EXPECT_EQ(swatches, expected);
  std::vector<std::string> texts;
  for (const Figure::Item& item : classes.itemsOf(Kind::kText)) texts.push_back(item.text);
  for (const char* row : {"Class 1", "Class 2", "Class 3", "Iris"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), row), texts.end()) << row;
  }
}

TEST(PaperMap, LabelsShrinkThenEndInDots) {
  // What is drawn, "..." standing for a line cut short; at the largest size
  // that fits, unless nothing fits even at the smallest.
  struct Case {
    std::vector<std::string> lines;
    double hexPt;
    std::vector<std::string> drawn;
  } cases[] = {
      {{"a"}, 100, {"a"}},
      {{"se01", "se02", "..."}, 30, {"se01", "se02", "..."}},
      {{"se01", "se02", "..."}, 13, {"se01", "..."}},
      {{"averyveryverylonglabel"}, 30, {"..."}},
      {{"x"}, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines[0] + " in " + std::to_string(c.hexPt));
    const double size = labelSize({c.lines}, c.hexPt);
    const FittedLabels fitted = fitLabels(c.lines, size, c.hexPt);
    if (fitted.lines == c.lines && size < kLargestLabelPt) {
      EXPECT_NE(fitLabels(c.lines, size + 0.5, c.hexPt).lines, c.lines);
    }
    ASSERT_EQ(fitted.lines.size(), c.drawn.size()) << ::testing::PrintToString(fitted.lines);
    for (std::size_t i = 0; i < c.drawn.size(); ++i) {
      if (c.drawn[i] == "..." && c.lines[i] != "...") {
        EXPECT_TRUE(fitted.lines[i].ends_with("...")) << fitted.lines[i];
        EXPECT_EQ(size, kSmallestLabelPt);
      } else {
        EXPECT_EQ(fitted.lines[i], c.drawn[i]);
      }
    }
  }
}

TEST(PaperMap, ClassNamesOneALineNameTheLegendsRows) {
  struct Case {
    std::string text;
    std::vector<std::string> names;
    std::vector<std::string> legend;  // the rows of the iris map's classes 1, 2, 3
  } cases[] = {
      {"setosa\nversicolor\nvirginica\n",
       {"setosa", "versicolor", "virginica"},
       {"setosa", "versicolor", "virginica"}},
      {" setosa \r\n\r\nvirginica",
       {"setosa", "", "virginica"},
       {"setosa", "Class 2", "virginica"}},
      {"setosa\n", {"setosa"}, {"setosa", "Class 2", "Class 3"}},
      {"", {}, {"Class 1", "Class 2", "Class 3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(classNamesIn(c.text), c.names);
    PaperPass pass(MapOption::kClasses, "map.svg", classNamesIn(c.text));
    std::vector<std::string> rows;
    for (const Figure::Item& item : pass.itemsOf(Kind::kText)) {
      if (item.style.sizePt == 9) rows.push_back(item.text);
    }
    EXPECT_EQ(rows, c.legend);
  }
}

}  // namespace
}  // namespace map
