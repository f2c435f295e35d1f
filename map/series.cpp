#include "map/series.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/rounding.h"
#include "common/strings.h"
#include "map/draw/hex2hex.h"
#include "map/som_files.h"

namespace map {
namespace {

// A unit index for drawing only: far-away values stay far away.
int drawingIndex(double value) {
  const double i = common::roundHalfEven(value);
  return std::isfinite(i) ? static_cast<int>(std::clamp(i, -1.0e6, 1.0e6)) : 0;
}

}  // namespace

void traceSeries(PassContext& pass) {
  const std::string firstText(common::trimBlanks(pass.controls.first));
  if (firstText.empty()) return;
  const double first = common::roundHalfEven(common::leadingNumber(firstText));
  if (first == 0) return;
  BmuReader bmu(pass.state.bmuFile);
  double prevRow = 0;
  double prevCol = 0;
  for (double i = 1; i <= first; ++i) {
    const BmuRecord record = bmu.next();
    prevRow = record.row;
    prevCol = record.col;
  }
  const double num = common::roundHalfEven(common::leadingNumber(pass.controls.num));
  for (double k = first + 1; k <= first + num - 1; ++k) {
    const BmuRecord record = bmu.next();
    draw::SeriesSegment segment;
    segment.fromRow = drawingIndex(prevRow);
    segment.fromCol = drawingIndex(prevCol);
    segment.toRow = drawingIndex(record.row);
    segment.toCol = drawingIndex(record.col);
    // The colour shades from blue to red, computed in single precision.
    const float r = static_cast<float>(255 * (k - first)) / static_cast<float>(num);
    segment.red = r;
    segment.blue = 255.0f - r;
    segment.widthPx = 3;
    // A segment both first and last (a series of two) is the last.
    if (k == first + 1) segment.end = draw::SeriesEnd::kFirst;
    if (k == first + num - 1) segment.end = draw::SeriesEnd::kLast;
    segment.connect = pass.controls.connect;
    draw::hex2hex(pass.picture, segment);
    prevRow = record.row;
    prevCol = record.col;
  }
}

}  // namespace map
