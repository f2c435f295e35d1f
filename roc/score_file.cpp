#include "roc/score_file.h"

namespace roc {

ScoreHistogram readScores(std::string_view text, const std::string& fileName) {
  ScoreHistogram histogram;
  histogram.setRecords(forEachRecord(text, fileName, [&](float score, std::uint8_t observedClass) {
    histogram.add(score, observedClass);
  }));
  return histogram;
}

}  // namespace roc
