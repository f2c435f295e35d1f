#include "kappa/ratings_table.h"

#include <string_view>

#include "common/errors.h"
#include "kappa/kappa_files.h"
#include "kappa/label_rows.h"

namespace kappa {

RatingsTable readRatings(const std::string& name, bool header) {
  const std::vector<LabelRow> rows = readLabelRows(name, header);
  if (rows.empty()) {
    throw common::makeError(common::Fault::kTypeMismatch, name, "",
                            "no cases: the file holds no ratings");
  }
  std::vector<std::string_view> all;
  for (const LabelRow& row : rows) {
    if (row.fields.size() != 2) {
      throw common::makeError(
          common::Fault::kTypeMismatch, name, "line " + std::to_string(row.line),
          "expected two labels (rater A, then rater B), got " + std::to_string(row.fields.size()));
    }
    all.insert(all.end(), row.fields.begin(), row.fields.end());
  }
  const Labels labels(all);
  RatingsTable t;
  const std::size_t k = labels.size();
  if (k > static_cast<std::size_t>(kLargestRank)) {
    throw common::makeError(common::Fault::kTooLarge, name, "",
                            std::to_string(k) + " distinct labels, a matrix of more than the " +
                                std::to_string(kLargestRank) +
                                " categories kappatest takes (are these scores, not labels?)");
  }
  for (std::size_t i = 0; i < k; ++i) t.labels.push_back(labels.name(i));
  t.matrix.assign(k * k, 0);
  for (const LabelRow& row : rows) {
    ++t.matrix[labels.index(row.fields[0]) * k + labels.index(row.fields[1])];
    if (labels.numeric() || t.firstWordLine != 0) continue;
    for (const std::string& field : row.fields) {
      if (!Labels({field}).numeric() && t.firstWordLine == 0) {
        t.firstWord = field;
        t.firstWordLine = row.line;
      }
    }
  }
  return t;
}

std::string matrixText(const RatingsTable& table) {
  std::string out = "A\\B";
  for (const std::string& label : table.labels) out += "\t" + label;
  out += "\n";
  const std::size_t k = table.labels.size();
  for (std::size_t i = 0; i < k; ++i) {
    out += table.labels[i];
    for (std::size_t j = 0; j < k; ++j) out += "\t" + std::to_string(table.matrix[i * k + j]);
    out += "\n";
  }
  return out;
}

}  // namespace kappa
