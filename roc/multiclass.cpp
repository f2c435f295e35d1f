#include "roc/multiclass.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "common/errors.h"
#include "common/number_parse.h"
#include "common/tokens.h"

namespace roc {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// The pairs of classes grow as their square: a line of thousands of fields
// is a table of another kind.
constexpr std::size_t kMostClasses = 1000;

[[noreturn]] void bad(const std::string& fileName, long line, const std::string& what) {
  throw common::makeError(common::Fault::kTypeMismatch, fileName, "line " + std::to_string(line),
                          what);
}

// The fields of every line, a line at a time.
class Lines {
 public:
  Lines(std::string_view text, const std::string& fileName, bool skipHeader)
      : reader_(text, fileName) {
    if (skipHeader) reader_.skipLine();
  }
  // The next line's fields into "fields"; false at the end.
  bool next(std::vector<std::string_view>& fields) {
    fields.clear();
    if (reader_.atEnd()) return false;
    line_ = -1;
    while (!reader_.atEnd()) {
      const std::string_view token = reader_.next();
      if (line_ < 0) line_ = reader_.tokenLine();
      fields.push_back(token);
      if (reader_.atEnd() || reader_.line() != line_) break;
    }
    return true;
  }
  long line() const { return line_; }

 private:
  common::TokenReader reader_;
  long line_ = 0;
};

// The scores of one column with the records' classes, sorted by score.
std::vector<std::pair<double, int>> sortedColumn(const MulticlassRecords& r, int column) {
  std::vector<std::pair<double, int>> v(r.size());
  for (std::size_t i = 0; i < r.size(); ++i) v[i] = {r.score(i, column), r.labels[i]};
  std::sort(v.begin(), v.end());
  return v;
}

double mean(const std::vector<double>& v) {
  double sum = 0;
  for (const double x : v) sum += x;
  return v.empty() ? kNan : sum / static_cast<double>(v.size());
}

std::string number(double v) {
  if (std::isnan(v)) return "nan";
  char buffer[40];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

}  // namespace

MulticlassRecords readMulticlass(std::string_view text, const std::string& fileName,
                                 bool skipHeader) {
  MulticlassRecords r;
  Lines lines(text, fileName, skipHeader);
  std::vector<std::string_view> fields;
  while (lines.next(fields)) {
    if (fields.size() == 1 && fields[0].empty()) continue;  // a blank line
    if (r.classes == 0) {
      if (fields.size() < 3) {
        bad(fileName, lines.line(),
            "a record is a class and at least two scores, one for each class; this line holds " +
                std::to_string(fields.size()) + " field" + (fields.size() == 1 ? "" : "s"));
      }
      if (fields.size() - 1 > kMostClasses) {
        bad(fileName, lines.line(),
            std::to_string(fields.size() - 1) + " score columns, more classes than the " +
                std::to_string(kMostClasses) + " this analysis takes");
      }
      r.classes = static_cast<int>(fields.size()) - 1;
      r.counts.assign(static_cast<std::size_t>(r.classes), 0);
    } else if (fields.size() != static_cast<std::size_t>(r.classes) + 1) {
      bad(fileName, lines.line(),
          std::to_string(fields.size()) + " fields where the first record has " +
              std::to_string(r.classes + 1) + " (a class and " + std::to_string(r.classes) +
              " scores)");
    }
    double value = 0;
    for (std::size_t f = 0; f < fields.size(); ++f) {
      if (fields[f].empty() || !common::parseDecimal(fields[f], value) || std::isnan(value)) {
        bad(fileName, lines.line(),
            "field " + std::to_string(f + 1) + ": expected a number, got " +
                common::quoteInput(fields[f]));
      }
      if (f == 0) {
        if (!(value >= 0 && value < r.classes && value == std::floor(value))) {
          bad(fileName, lines.line(),
              "the class " + common::quoteInput(fields[0]) + " is not a whole number from 0 to " +
                  std::to_string(r.classes - 1) + " (one class for each score column)");
        }
        r.labels.push_back(static_cast<int>(value));
        ++r.counts[static_cast<std::size_t>(value)];
      } else {
        r.scores.push_back(value);
      }
    }
  }
  if (r.labels.empty()) {
    throw common::makeError(common::Fault::kPastEndOfFile, fileName, "", "no record");
  }
  return r;
}

MulticlassAuc multiclassAuc(const MulticlassRecords& r) {
  const int k = r.classes;
  const auto ku = static_cast<std::size_t>(k);
  MulticlassAuc a;
  a.above.assign(ku, std::vector<double>(ku, kNan));
  a.oneVsRest.assign(ku, kNan);
  // twice[j]: twice the count of (class c, class j) pairs that column c
  // orders the right way, a tie counting one.
  std::vector<std::int64_t> below(ku), group(ku), twice(ku);
  for (int c = 0; c < k; ++c) {
    const std::vector<std::pair<double, int>> column = sortedColumn(r, c);
    std::fill(below.begin(), below.end(), 0);
    std::fill(twice.begin(), twice.end(), 0);
    for (std::size_t start = 0; start < column.size();) {
      std::size_t end = start;
      while (end < column.size() && column[end].first == column[start].first) {
        ++group[static_cast<std::size_t>(column[end++].second)];
      }
      const std::int64_t mine = group[static_cast<std::size_t>(c)];
      if (mine > 0) {
        for (std::size_t j = 0; j < ku; ++j) twice[j] += mine * (2 * below[j] + group[j]);
      }
      for (std::size_t i = start; i < end; ++i) {
        const auto label = static_cast<std::size_t>(column[i].second);
        below[label] += group[label];
        group[label] = 0;
      }
      start = end;
    }
    const auto cu = static_cast<std::size_t>(c);
    const double nc = static_cast<double>(r.counts[cu]);
    const double rest = static_cast<double>(r.size()) - nc;
    std::int64_t twiceAgainstRest = 0;
    for (std::size_t j = 0; j < ku; ++j) {
      if (j == cu) continue;
      twiceAgainstRest += twice[j];
      if (nc > 0 && r.counts[j] > 0) {
        a.above[cu][j] =
            static_cast<double>(twice[j]) / (2 * nc * static_cast<double>(r.counts[j]));
      }
    }
    if (nc > 0 && rest > 0)
      a.oneVsRest[cu] = static_cast<double>(twiceAgainstRest) / (2 * nc * rest);
  }
  std::vector<double> pairs;
  for (std::size_t i = 0; i < ku; ++i) {
    for (std::size_t j = i + 1; j < ku; ++j) pairs.push_back((a.above[i][j] + a.above[j][i]) / 2);
  }
  a.handTillM = mean(pairs);
  a.oneVsRestMacro = mean(a.oneVsRest);
  double weighted = 0;
  for (std::size_t c = 0; c < ku; ++c) {
    weighted += a.oneVsRest[c] * static_cast<double>(r.counts[c]) / static_cast<double>(r.size());
  }
  a.oneVsRestWeighted = weighted;
  return a;
}

std::string multiclassReport(const MulticlassRecords& r, const MulticlassAuc& a) {
  std::string out;
  auto line = [&out](const std::string& name, const std::string& value) {
    out += name + '\t' + value + '\n';
  };
  line("records", std::to_string(r.size()));
  line("classes", std::to_string(r.classes));
  for (int c = 0; c < r.classes; ++c) {
    line("records_" + std::to_string(c), std::to_string(r.counts[static_cast<std::size_t>(c)]));
  }
  line("hand_till_m", number(a.handTillM));
  line("ovo_macro_auc", number(a.handTillM));
  line("ovr_macro_auc", number(a.oneVsRestMacro));
  line("ovr_weighted_auc", number(a.oneVsRestWeighted));
  for (int c = 0; c < r.classes; ++c) {
    line("ovr_auc_" + std::to_string(c), number(a.oneVsRest[static_cast<std::size_t>(c)]));
  }
  return out;
}

common::DataTable multiclassCurves(const MulticlassRecords& r) {
  common::DataTable table({"class", "threshold", "fpr", "tpr"});
  for (int c = 0; c < r.classes; ++c) {
    std::vector<std::pair<double, int>> column = sortedColumn(r, c);
    std::reverse(column.begin(), column.end());
    const double positives = static_cast<double>(r.counts[static_cast<std::size_t>(c)]);
    const double negatives = static_cast<double>(r.size()) - positives;
    auto rate = [](double count, double of) { return of > 0 ? count / of : kNan; };
    table.add(c).add(std::numeric_limits<double>::infinity()).add(rate(0, negatives));
    table.add(rate(0, positives));
    table.endRow();
    double tp = 0, fp = 0;
    for (std::size_t start = 0; start < column.size();) {
      std::size_t end = start;
      for (; end < column.size() && column[end].first == column[start].first; ++end) {
        (column[end].second == c ? tp : fp) += 1;
      }
      table.add(c).add(column[start].first).add(rate(fp, negatives)).add(rate(tp, positives));
      table.endRow();
      start = end;
    }
  }
  return table;
}

}  // namespace roc
