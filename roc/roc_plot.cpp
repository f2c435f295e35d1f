#include "roc/roc_plot.h"

#include "common/colour.h"
#include "common/format_mask.h"

namespace roc {

using common::formatMask;

surface::Surface startRocPicture(bool keepShapes) {
  surface::Surface picture(kPictureSize, kPictureSize);
  if (keepShapes) picture.keepShapes();
  picture.setWindow(0, 0, 1, 1);
  picture.setFontName(std::string(surface::Surface::kFixedFont));
  picture.line(0, 0, 1, 1, common::kWhite, surface::LineKind::kFilledBox);
  picture.line(0, 0, 1, 1, common::kBlue);
  return picture;
}

std::array<std::string, 5> bestPointLabels(const RocResult& r) {
  const int k = r.kbest;
  return {
      "     FPR = " + formatMask(r.fpr[k], "0.000"),
      "     TPR = " + formatMask(r.tpr[k], "0.000"),
      "Matthews = " + formatMask(r.matthews, "0.000"),
      "    Dmax = " + formatMask(r.dmax, "0.000"),
      // The threshold as a product, not the accumulated value.
      "       t = " + formatMask(r.kbest * kStep, "0.000"),
  };
}

void drawRocCurve(surface::Surface& picture, const RocResult& r) {
  picture.point(1, 1, common::kRed);  // outside the window; it only sets the current point
  for (int k = 0; k <= kLastPoint; ++k) {
    const double x = r.fpr[k];
    const double y = r.tpr[k];
    picture.lineTo(x, y, common::kRed);
    if (k != r.kbest) continue;
    static constexpr double kDrops[5] = {0.02, 0.04, 0.06, 0.08, 0.10};
    const std::array<std::string, 5> labels = bestPointLabels(r);
    for (int line = 0; line < 5; ++line) {
      picture.setCurrentPoint(x, y - kDrops[line]);
      picture.print(labels[line], common::kBlack);
    }
    picture.circle(x, y, 0.01, common::kRed);  // back at (x, y) for the next segment
  }
}

std::array<std::string, 5> summaryLines(const RocResult& r) {
  return {
      "     AUC = " + formatMask(r.auc, "0.000"),
      "Confusion matrix",
      "       o1     o0",
      "p1 " + formatMask(static_cast<double>(r.best.tp), "000000 ") +
          formatMask(static_cast<double>(r.best.fp), "000000"),
      "p0 " + formatMask(static_cast<double>(r.best.fn), "000000 ") +
          formatMask(static_cast<double>(r.best.tn), "000000"),
  };
}

void drawRocSummary(surface::Surface& picture, const RocResult& r) {
  static constexpr double kRows[5] = {0.16, 0.11, 0.08, 0.06, 0.04};
  const std::array<std::string, 5> lines = summaryLines(r);
  for (int i = 0; i < 5; ++i) {
    picture.setCurrentPoint(0.75, kRows[i]);
    picture.print(lines[i], common::kBlack);
  }
}

}  // namespace roc
