#include "ebp/yieldex/paper_figure.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "test_support/picture_compare.h"
#include "test_support/scratch_dir.h"

namespace yieldex {
namespace {

using Kind = surface::Figure::Item::Kind;

// A two-output network's pairs: outputs spread over [0, 1], targets 0 or 1
// (or "target" for every pair when given).
std::vector<PlottedPair> somePairs(std::optional<double> target = {}) {
  std::vector<PlottedPair> pairs;
  for (int p = 0; p < 40; ++p) {
    const double y = p / 39.0;
    for (int k = 1; k <= 2; ++k) {
      pairs.push_back({k, k == 1 ? y : 1 - y, target.value_or((p * 7 + k) % 3 == 0 ? 0 : 1)});
    }
  }
  return pairs;
}

// The plots' frames: the outlined rectangles with no fill.
std::vector<surface::FigureBox> framesOf(const surface::Figure& figure) {
  std::vector<surface::FigureBox> frames;
  for (const auto& item : figure.items()) {
    if (item.kind == Kind::kPolygon && !item.fill && item.pen && item.points.size() == 4) {
      frames.push_back({item.points[0].x, item.points[0].y, item.points[2].x, item.points[2].y});
    }
  }
  return frames;
}

std::string textOf(const surface::Figure& figure) {
  std::string all;
  for (const auto& item : figure.items()) {
    if (item.kind == Kind::kText) all += item.text + "|";
  }
  return all;
}

TEST(YieldexPaperFigure, CalibrationBinsFollowTheDefinition) {
  const struct {
    const char* name;
    std::vector<PlottedPair> pairs;
    std::vector<CalibrationBin> expected;
  } kCases[] = {
      {"one bin", {{1, 0.31, 1}, {1, 0.39, 0}}, {{0.35, 0.5, 2}}},
      {"empty bins left out, 1 in the last bin",
       {{1, 0.05, 0}, {1, 1.0, 1}, {1, 0.95, 1}},
       {{0.05, 0, 1}, {0.975, 1, 2}}},
      {"outside [0, 1] in the end bins", {{1, -0.2, 0}, {1, 1.4, 1}}, {{-0.2, 0, 1}, {1.4, 1, 1}}},
      {"other outputs ignored", {{2, 0.5, 1}, {1, 0.55, 0}}, {{0.55, 0, 1}}},
      {"no pairs", {}, {}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::vector<CalibrationBin> bins = calibrationBins(c.pairs, 1);
    ASSERT_EQ(bins.size(), c.expected.size());
    for (std::size_t i = 0; i < bins.size(); ++i) {
      EXPECT_NEAR(bins[i].meanOutput, c.expected[i].meanOutput, 1e-12);
      EXPECT_EQ(bins[i].frequency, c.expected[i].frequency);
      EXPECT_EQ(bins[i].count, c.expected[i].count);
    }
  }
  EXPECT_TRUE(targetsAreZeroOrOne(somePairs()));
  EXPECT_FALSE(targetsAreZeroOrOne(somePairs(0.5)));
  EXPECT_FALSE(targetsAreZeroOrOne({}));
}

TEST(YieldexPaperFigure, PointsInsideFramesAndTextsApart) {
  const struct {
    const char* name;
    std::vector<PlottedPair> pairs;
    bool calibration;
    double widthCm;
    std::size_t frames;
  } kCases[] = {
      {"plot", somePairs(), false, 12, 1},
      {"targets beyond the unit square", {{1, -0.5, 2}, {1, 1.5, -1}}, false, 12, 1},
      {"with the reliability diagram", somePairs(), true, 24, 2},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    common::FigureSettings settings{common::PictureStyle::kPaper, {}, "A title"};
    const surface::Figure figure = paperFigure(c.pairs, 2, settings, c.calibration);
    EXPECT_NEAR(figure.widthPt(), surface::pointsFromCm(c.widthCm), 1e-9);
    const auto frames = framesOf(figure);
    ASSERT_EQ(frames.size(), c.frames);
    // Every dot inside the frame it belongs to: the pairs' dots (and the
    // legend's markers) in the first, the bins' larger dots in the second.
    long dots = 0;
    for (const auto& item : figure.items()) {
      if (item.kind != Kind::kCircle) continue;
      const bool binDot = item.radiusPt > 2.8;
      ASSERT_LT(binDot ? 1U : 0U, frames.size());
      EXPECT_TRUE(frames[binDot ? 1 : 0].contains(item.points[0]));
      dots += item.radiusPt < 2;
    }
    EXPECT_EQ(dots, static_cast<long>(c.pairs.size()));
    std::vector<surface::FigureBox> boxes;
    for (const auto& item : figure.items()) {
      if (item.kind != Kind::kText) continue;
      EXPECT_TRUE(
          surface::FigureBox({0, 0, figure.widthPt(), figure.heightPt()}).contains(item.box))
          << item.text;
      for (const auto& other : boxes) EXPECT_FALSE(other.overlaps(item.box)) << item.text;
      boxes.push_back(item.box);
    }
    const std::string text = textOf(figure);
    for (const char* wanted :
         {"Network output|", "Target|", "A title|", "output 1|", "output 2|"}) {
      EXPECT_NE(text.find(wanted), std::string::npos) << wanted;
    }
    EXPECT_EQ(text.find("Observed frequency of 1|") != std::string::npos, c.calibration);
  }
}

TEST(YieldexPaperFigure, SavedInEveryFormatWithItsText) {
  support::ensurePictureApplication();
  support::ScratchDir scratch("yieldex_paper_figure");
  common::FigureSettings settings{common::PictureStyle::kPaper, common::FigureSizeCm{10, 8}, ""};
  const surface::Figure figure = paperFigure(somePairs(), 2, settings, false);
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  };
  const struct {
    const char* name;
    int scale;
  } kCases[] = {{"f.svg", 1}, {"f.pdf", 1}, {"f.png", 2}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::string path = (scratch.dir / c.name).string();
    figure.save(path, c.scale);
    const std::string name = c.name;
    if (name.ends_with(".png")) {
      const QImage image(QString::fromStdString(path));
      EXPECT_EQ(image.width(), std::lround(10 / 2.54 * 96 * 2));
      EXPECT_EQ(image.height(), std::lround(8 / 2.54 * 96 * 2));
      continue;
    }
    const std::string text = name.ends_with(".svg") ? read(path) : support::pdfText(path);
    for (const char* wanted : {"Network output", "Target", "0.2", "0.8", "output 2"}) {
      EXPECT_NE(text.find(wanted), std::string::npos) << wanted;
    }
  }
}

}  // namespace
}  // namespace yieldex
