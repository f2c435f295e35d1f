// The confusion matrix of a classifier network, in the layout kappatest
// reads: row i holds the patterns the network puts in class i, column j
// those whose targets say class j.  A pattern's class is the output (or
// target) with the largest value, the first of equals; a network of one
// output has two classes, 1 (the value at least 0.5) and 0, in the order
// 0, 1.
#ifndef EBP_YIELDEX_CONFUSION_H_
#define EBP_YIELDEX_CONFUSION_H_

#include <cstdint>
#include <string>
#include <vector>

namespace yieldex {

class ConfusionMatrix {
 public:
  explicit ConfusionMatrix(int outputs);

  // One output of one pattern: the outputs of a pattern come in order, 1 to
  // the number of outputs.
  void add(int output, double y, double t);

  int classes() const { return classes_; }
  std::int64_t count(int row, int column) const {  // 0-based class numbers
    return counts_[static_cast<std::size_t>(row) * classes_ + column];
  }

  // The matrix as text: a line a row, the counts separated by blanks.
  std::string text() const;

 private:
  int outputs_;
  int classes_;
  std::vector<std::int64_t> counts_;
  int bestY_ = 0, bestT_ = 0;
  double maxY_ = 0, maxT_ = 0;
};

}  // namespace yieldex

#endif  // EBP_YIELDEX_CONFUSION_H_
