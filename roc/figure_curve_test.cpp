#include "roc/figure_curve.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "common/format_mask.h"
#include "roc/roc_plot.h"
#include "roc/score_file.h"

namespace roc {
namespace {

// A file's curve for the figure: the best point is the one the exact
// picture marks, with the threshold its label prints; the band, when asked
// for, runs from FPR 0 with its low, median and high in order.
TEST(FigureCurve, BestPointIsThePicturesAndTheBandIsInOrder) {
  std::string text;
  for (int i = 0; i < 40; ++i) {
    text += std::to_string((i * 37 % 23) / 25.0 + (i % 2 ? 0.1 : 0)) + "," + std::to_string(i % 2) +
            "\n";
  }
  ClassScores scores;
  const RocResult result = sweep(readScores(text, "s.txt", &scores));
  BootstrapPlan plan;
  plan.resamples = 200;
  const CurveForFigure curve = curveForFigure("MLP", scores, result, 0.9, &plan);
  EXPECT_EQ(curve.name, "MLP");
  ASSERT_TRUE(curve.hasBest);
  const std::array<std::string, 5> labels = bestPointLabels(result);
  EXPECT_EQ("     FPR = " + common::formatMask(curve.bestFpr, "0.000"), labels[0]);
  EXPECT_EQ("     TPR = " + common::formatMask(curve.bestTpr, "0.000"), labels[1]);
  EXPECT_EQ("       t = " + common::formatMask(curve.bestThreshold, "0.000"), labels[4]);
  EXPECT_EQ(curve.auc.auc, exactAuc(scores, 0.9).auc);
  EXPECT_LT(curve.auc.low, curve.auc.auc);
  EXPECT_EQ(curve.vertices, empiricalCurve(scores));
  ASSERT_EQ(curve.band.size(), 100u);
  EXPECT_EQ(curve.band.front().specificity, 1);
  for (const BandPoint& point : curve.band) {
    EXPECT_LE(point.low, point.median);
    EXPECT_LE(point.median, point.high);
  }
  EXPECT_TRUE(curveForFigure("MLP", scores, result, 0.9).band.empty());
}

}  // namespace
}  // namespace roc
