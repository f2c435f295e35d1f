#include "roc/roc_plot.h"

#include <gtest/gtest.h>

#include "common/colour.h"
#include "roc/sweep.h"

namespace roc {
namespace {

using common::Colour;
using common::kBlack;
using common::kBlue;
using common::kRed;
using common::kWhite;

int countIn(const surface::Surface& s, Colour colour, int col0, int row0, int col1, int row1) {
  int n = 0;
  for (int r = row0; r <= row1; ++r) {
    for (int c = col0; c <= col1; ++c) n += s.pixel(c, r) == colour;
  }
  return n;
}

RocResult perfectResult() {
  ScoreHistogram h;
  h.add(0.2f, 0);
  h.add(0.8f, 1);
  RocResult r = sweep(h);
  r.auc = areaUnderCurve(r);
  return r;
}

TEST(RocPlot, BackgroundAndDiagonal) {
  surface::Surface s = startRocPicture();
  EXPECT_EQ(s.widthPx(), 600);
  EXPECT_EQ(s.pixel(0, 599), kBlue);
  EXPECT_EQ(s.pixel(300, 299), kBlue);
  EXPECT_EQ(s.pixel(599, 0), kBlue);
  EXPECT_EQ(s.pixel(599, 599), kWhite);
  EXPECT_EQ(s.pixel(0, 0), kWhite);
  EXPECT_EQ(countIn(s, kBlue, 0, 0, 599, 599), 600);
}

TEST(RocPlot, CurveWithLabelledBestPoint) {
  const RocResult r = perfectResult();
  ASSERT_EQ(r.fpr[r.kbest], 0.0f);
  ASSERT_EQ(r.tpr[r.kbest], 1.0f);
  surface::Surface s = startRocPicture();
  drawRocCurve(s, r);
  // From (0, 1) down the left edge to the origin.
  EXPECT_EQ(s.pixel(0, 300), kRed);
  EXPECT_EQ(s.pixel(0, 599), kRed);
  // The circle of radius 6 about (0, 1), i.e. pixel (0, -1): its lowest point.
  EXPECT_EQ(s.pixel(0, 5), kRed);
  EXPECT_EQ(s.pixel(3, 3), kWhite);
  // Five label lines of 8 pixels from row 11 (y = 0.98), starting at column 0;
  // their first five characters are blanks except on the Matthews line.
  EXPECT_GT(countIn(s, kBlack, 40, 11, 127, 18), 20);
  EXPECT_GT(countIn(s, kBlack, 0, 35, 39, 42), 20);    // "Matt"
  EXPECT_EQ(countIn(s, kBlack, 1, 11, 39, 34), 0);     // leading blanks
  EXPECT_GT(countIn(s, kBlack, 40, 59, 127, 66), 20);  // the t line at y = 0.90
  EXPECT_EQ(countIn(s, kBlack, 0, 67, 599, 599), 0);
}

TEST(RocPlot, LabelTexts) {
  const RocResult r = perfectResult();
  const auto labels = bestPointLabels(r);
  EXPECT_EQ(labels[0], "     FPR = 0.000");
  EXPECT_EQ(labels[1], "     TPR = 1.000");
  EXPECT_EQ(labels[2], "Matthews = 1.000");
  EXPECT_EQ(labels[3], "    Dmax = 0.707");
  // 0.2 as a single is just above the 21st threshold, so the best point is the 22nd.
  EXPECT_EQ(r.kbest, 21);
  EXPECT_EQ(labels[4], "       t = 0.210");
  const auto summary = summaryLines(r);
  EXPECT_EQ(summary[0], "     AUC = 1.000");
  EXPECT_EQ(summary[1], "Confusion matrix");
  EXPECT_EQ(summary[2], "       o1     o0");
  EXPECT_EQ(summary[3], "p1 000001 000000");
  EXPECT_EQ(summary[4], "p0 000000 000001");
}

TEST(RocPlot, NoQualifyingBestPoint) {
  ScoreHistogram h;
  h.add(0.3f, 0);
  h.add(0.6f, 0);
  RocResult r = sweep(h);
  const auto labels = bestPointLabels(r);
  EXPECT_EQ(labels[3], "    Dmax = -9000000000.000");
  EXPECT_EQ(labels[4], "       t = 0.000");
  const auto summary = summaryLines(r);
  EXPECT_EQ(summary[3], "p1 000000 000000");
  EXPECT_EQ(summary[4], "p0 000000 000000");
  surface::Surface s = startRocPicture();
  drawRocCurve(s, r);  // NaN points draw nothing and do not hang
  drawRocSummary(s, r);
}

TEST(RocPlot, SummaryStandsAtThreeQuarters) {
  surface::Surface s = startRocPicture();
  drawRocSummary(s, perfectResult());
  // y = 0.16 is row 503, x = 0.75 column 450; the AUC line's blanks come first.
  EXPECT_GT(countIn(s, kBlack, 490, 503, 599, 510), 20);
  EXPECT_EQ(countIn(s, kBlack, 450, 503, 489, 510), 0);
  EXPECT_GT(countIn(s, kBlack, 450, 533, 577, 540), 20);  // "Confusion matrix" at y = 0.11
  EXPECT_EQ(countIn(s, kBlack, 0, 0, 449, 599), 0);
}

}  // namespace
}  // namespace roc
