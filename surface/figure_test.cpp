#include "surface/figure.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include "common/errors.h"
#include "surface/figure_keys.h"
#include "surface/plot_axes.h"
#include "test_support/picture_compare.h"
#include "test_support/scratch_dir.h"

namespace surface {
namespace {

TEST(FigureTicks, RoundStepsAndLabelsWithTheStepsDecimals) {
  struct Row {
    double low, high;
    std::vector<double> ticks;
  } rows[] = {
      {0, 1, {0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}},
      {0, 0.35, {0, 0.05, 0.1, 0.15, 0.2, 0.25, 0.3, 0.35}},
      {-3, 17, {0, 5, 10, 15}},
      {-0.5, 0.5, {-0.4, -0.2, 0, 0.2, 0.4}},
      {2, 2, {2}},
  };
  for (const Row& r : rows) {
    const std::vector<double> ticks = niceTicks(r.low, r.high);
    ASSERT_EQ(ticks.size(), r.ticks.size()) << r.low << ".." << r.high;
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], r.ticks[i], 1e-12);
  }
  struct Label {
    double value, step;
    const char* text;
  } labels[] = {{0, 0.2, "0.0"},      {1, 0.2, "1.0"}, {0.25, 0.05, "0.25"}, {0.75, 0.25, "0.75"},
                {-1e-17, 0.1, "0.0"}, {15, 5, "15"},   {-0.4, 0.2, "-0.4"}};
  for (const Label& l : labels) EXPECT_EQ(tickLabel(l.value, l.step), l.text) << l.value;
}

TEST(FigureText, BoxesFollowTheAlignmentAndTheTurn) {
  const TextStyle left{10, HAlign::kLeft, VAlign::kBaseline};
  const FigureBox plain = Figure::textBox("Sensitivity", {100, 50}, left);
  EXPECT_DOUBLE_EQ(plain.left, 100);
  EXPECT_NEAR(plain.width(), Figure::textWidth("Sensitivity", 10), 1e-9);
  EXPECT_NEAR(plain.height(), Figure::lineHeight(10), 1e-9);
  EXPECT_LT(plain.top, 50);      // ascenders over the baseline,
  EXPECT_GT(plain.bottom, 50);   // descenders under it
  EXPECT_GT(plain.width(), 30);  // eleven letters at 10 points
  EXPECT_LT(plain.width(), 70);
  EXPECT_NEAR(Figure::textWidth("ab", 20), 2 * Figure::textWidth("ab", 10), 1e-9);

  const FigureBox centred = Figure::textBox("x", {100, 50}, {10, HAlign::kCentre, VAlign::kTop});
  EXPECT_NEAR((centred.left + centred.right) / 2, 100, 1e-9);
  EXPECT_NEAR(centred.top, 50, 1e-9);

  // A y-axis title, turned a quarter counter-clockwise and anchored by its
  // bottom: it reads upwards, all of it left of the anchor.
  const FigureBox turnedBox =
      Figure::textBox("Sensitivity", {100, 50}, {10, HAlign::kCentre, VAlign::kBottom, 1});
  EXPECT_NEAR(turnedBox.height(), plain.width(), 1e-9);
  EXPECT_NEAR(turnedBox.width(), plain.height(), 1e-9);
  EXPECT_NEAR(turnedBox.right, 100, 1e-9);
  EXPECT_NEAR((turnedBox.top + turnedBox.bottom) / 2, 50, 1e-9);
}

TEST(FigurePlot, EverythingStaysOnTheFigureAndTheDataClearOfTheAxes) {
  Figure figure(pointsFromCm(12), pointsFromCm(12));
  const PlotArea area = layOutPlot(figure, {"False positive rate", 0, 1, {}},
                                   {"True positive rate", 0, 1, {}}, {9, "A title", true, 0});
  EXPECT_NEAR(area.frame().width(), area.frame().height(), 1e-9);
  const FigureBox page{0, 0, figure.widthPt(), figure.heightPt()};
  for (const Figure::Item& item : figure.items()) {
    if (item.kind == Figure::Item::Kind::kText) {
      EXPECT_TRUE(page.contains(item.box)) << item.text;
    }
    for (const FigurePoint& p : item.points) EXPECT_TRUE(page.contains(p));
  }
  // The corners of the data lie strictly inside the frame: a curve along
  // an edge of the unit square is not hidden by an axis.
  for (const FigurePoint p : {area.at(0, 0), area.at(1, 1), area.at(0, 1)}) {
    EXPECT_TRUE(area.frame().contains(p));
    EXPECT_GT(p.x, area.frame().left + 1);
    EXPECT_LT(p.y, area.frame().bottom - 1);
    EXPECT_GT(p.y, area.frame().top + 1);
  }
  EXPECT_LT(area.at(0, 1).y, area.at(0, 0).y);  // up is up
  // No two texts (tick labels, titles) overlap.
  std::vector<FigureBox> texts;
  for (const Figure::Item& item : figure.items()) {
    if (item.kind == Figure::Item::Kind::kText) texts.push_back(item.box);
  }
  EXPECT_EQ(texts.size(), 6u + 6u + 3u);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    for (std::size_t j = i + 1; j < texts.size(); ++j) EXPECT_FALSE(texts[i].overlaps(texts[j]));
  }
}

TEST(FigureKeys, LegendRowsAndColourKeyEnds) {
  Figure figure(300, 200);
  const std::vector<LegendRow> rows = {{"MLP", seriesPen(0), {}, {}},
                                       {"Naive Bayes", seriesPen(1), {}, {}},
                                       {"class 3", {}, common::kRed, {}}};
  const FigureBox box = drawLegend(figure, rows, {10, 10}, 9);
  std::vector<FigureBox> texts;
  for (const Figure::Item& item : figure.items()) {
    if (item.kind == Figure::Item::Kind::kText) texts.push_back(item.box);
  }
  ASSERT_EQ(texts.size(), 3u);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_TRUE(box.contains(texts[i]));
    if (i > 0) {
      EXPECT_FALSE(texts[i - 1].overlaps(texts[i]));
    }
  }
  EXPECT_NE(seriesPen(0).colour, seriesPen(1).colour);
  EXPECT_NE(seriesPen(0).dash, seriesPen(1).dash);

  Figure keyFigure(300, 200);
  const ColourKey key{"petal length", "1.0", "6.9", {common::kBlue, common::kGreen, common::kRed}};
  drawColourKey(keyFigure, key, {200, 40, 212, 160}, 9);
  // The bottom cell holds the minimum's colour, the top one the maximum's.
  const auto cellAt = [&](double y) {
    for (const Figure::Item& item : keyFigure.items()) {
      if (item.kind != Figure::Item::Kind::kPolygon || !item.fill) continue;
      if (item.points[0].y <= y && item.points[2].y >= y) return *item.fill;
    }
    return common::kWhite;
  };
  EXPECT_EQ(cellAt(155), common::kBlue);
  EXPECT_EQ(cellAt(45), common::kRed);
}

TEST(FigureSave, EveryFormatHoldsTheTextAndTheSize) {
  support::ScratchDir dir("figure_save");
  Figure figure(pointsFromCm(6), pointsFromCm(4));
  figure.polyline({{10, 10}, {100, 80}}, seriesPen(1, 2));
  figure.text(
      "AUC 0.952 (95% CI 0.931\xe2\x80\x93"
      "0.973)",
      {10, 100}, {});
  figure.text("True positive rate", {20, 60}, {9, HAlign::kCentre, VAlign::kBottom, 1});

  figure.save(dir.path("f.svg"));
  const std::string svg = dir.read("f.svg");
  EXPECT_NE(svg.find(">AUC 0.952 (95% CI 0.931&#8211;0.973)</text>"), std::string::npos);
  EXPECT_NE(svg.find("rotate(-90 20 60)"), std::string::npos);
  EXPECT_NE(svg.find("width=\"170.079pt\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-dasharray=\"8 5\""), std::string::npos);

  figure.save(dir.path("f.pdf"));
  const std::string text = support::pdfText(dir.path("f.pdf"));
  EXPECT_NE(text.find("AUC 0.952"), std::string::npos) << text;
  EXPECT_NE(text.find("True positive rate"), std::string::npos) << text;

  figure.save(dir.path("f.png"), 2);
  const QImage png(QString::fromStdString(dir.path("f.png")));
  EXPECT_EQ(png.width(), 454);  // 6 cm at 192 dots per inch
  EXPECT_EQ(png.height(), 302);
  EXPECT_GT(support::pixelsNear(png, qRgb(213, 94, 0)), 50);  // the vermillion line

  EXPECT_THROW(figure.save(dir.path("f.jpx")), common::ToolError);
  EXPECT_THROW(figure.save(dir.path("f.png"), 9), common::ToolError);
}

}  // namespace
}  // namespace surface
