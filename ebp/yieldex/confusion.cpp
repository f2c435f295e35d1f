#include "ebp/yieldex/confusion.h"

#include <algorithm>

namespace yieldex {

ConfusionMatrix::ConfusionMatrix(int outputs)
    : outputs_(outputs),
      classes_(outputs == 1 ? 2 : std::max(outputs, 0)),
      counts_(static_cast<std::size_t>(classes_) * classes_, 0) {}

void ConfusionMatrix::add(int output, double y, double t) {
  if (outputs_ == 1) {
    ++counts_[(y >= 0.5 ? 2 : 0) + (t >= 0.5 ? 1 : 0)];
    return;
  }
  if (output == 1 || y > maxY_) bestY_ = output - 1, maxY_ = y;
  if (output == 1 || t > maxT_) bestT_ = output - 1, maxT_ = t;
  if (output == outputs_) ++counts_[static_cast<std::size_t>(bestY_) * classes_ + bestT_];
}

std::string ConfusionMatrix::text() const {
  std::string out;
  for (int row = 0; row < classes_; ++row) {
    for (int column = 0; column < classes_; ++column) {
      if (column > 0) out += ' ';
      out += std::to_string(count(row, column));
    }
    out += '\n';
  }
  return out;
}

}  // namespace yieldex
