// Text tables of labels, as raters' records are kept: a line a row, the
// labels (words or numbers) separated by blanks and tabs, or by commas with
// blanks around them allowed; and the sorted set of the labels met.
#ifndef KAPPA_LABEL_ROWS_H_
#define KAPPA_LABEL_ROWS_H_

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kappa {

struct LabelRow {
  long line = 0;                    // its 1-based line in the file
  std::vector<std::string> fields;  // its labels, left to right
};

// The rows of the file "name", blank lines left out.  With "header" the
// first row holds names: it is returned in "*names" (when not null) and not
// among the rows.  Throws ToolError for a file that cannot be read and for
// an empty label between two commas, naming the file and the line.
std::vector<LabelRow> readLabelRows(const std::string& name, bool header,
                                    std::vector<std::string>* names = nullptr);

// The distinct labels of a set of records, sorted: by value when every
// label is a finite number (so 2 comes before 10, and 1 and 1.0 are one
// label, named as first met), otherwise as texts, byte by byte.
class Labels {
 public:
  explicit Labels(const std::vector<std::string_view>& all);

  std::size_t size() const { return names_.size(); }
  // The i-th label in sorted order, 0-based.
  const std::string& name(std::size_t i) const { return names_[i]; }
  // True when every label is a number.
  bool numeric() const { return numeric_; }
  // The sorted position of "label", one of those given to the constructor.
  std::size_t index(std::string_view label) const;

 private:
  bool numeric_ = true;
  std::vector<std::string> names_;
  std::map<double, std::size_t> byValue_;
  std::map<std::string, std::size_t, std::less<>> byText_;
};

}  // namespace kappa

#endif  // KAPPA_LABEL_ROWS_H_
