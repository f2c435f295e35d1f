#include "kappa/fleiss_table.h"

#include <charconv>
#include <string_view>

#include "common/errors.h"
#include "common/number_parse.h"
#include "kappa/kappa_files.h"
#include "kappa/label_rows.h"

namespace kappa {
namespace {

[[noreturn]] void fail(const std::string& name, long line, const std::string& detail) {
  throw common::makeError(common::Fault::kTypeMismatch, name,
                          line > 0 ? "line " + std::to_string(line) : "", detail);
}

// Agreement needs two raters of a subject at least.
void requireRaters(const std::string& name, long line, std::int64_t raters) {
  if (raters < 2) {
    fail(name, line,
         "subject 1 has " + std::to_string(raters) + (raters == 1 ? " rater" : " raters") +
             ": agreement between raters takes two ratings of each subject at least");
  }
}

void requireSubjects(const std::string& name, const std::vector<LabelRow>& rows) {
  if (rows.empty()) fail(name, 0, "no subjects: the file holds no ratings");
}

std::string subject(std::size_t i) { return "subject " + std::to_string(i + 1); }

std::int64_t count(const std::string& name, const LabelRow& row, std::size_t column) {
  const std::string& text = row.fields[column];
  double value = 0;
  if (!common::parseDecimal(text, value) || !(value >= 0) || value > kLargestCount ||
      value != static_cast<double>(static_cast<std::int64_t>(value))) {
    fail(name, row.line,
         "expected a count of raters (a whole number, 0 or more) in column " +
             std::to_string(column + 1) + ", got " + common::quoteInput(text));
  }
  return static_cast<std::int64_t>(value);
}

}  // namespace

FleissTable readFleissLabels(const std::string& name, bool header) {
  const std::vector<LabelRow> rows = readLabelRows(name, header);
  requireSubjects(name, rows);
  std::vector<std::string_view> all;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].fields.size() != rows[0].fields.size()) {
      fail(name, rows[i].line,
           subject(i) + " has " + std::to_string(rows[i].fields.size()) +
               " ratings where subject 1 has " + std::to_string(rows[0].fields.size()) +
               ": every subject must be rated by the same number of raters");
    }
    all.insert(all.end(), rows[i].fields.begin(), rows[i].fields.end());
  }
  const Labels labels(all);
  if (labels.size() > static_cast<std::size_t>(kLargestRank)) {
    fail(name, 0,
         std::to_string(labels.size()) + " distinct labels, more than the " +
             std::to_string(kLargestRank) + " categories kappatest takes");
  }
  FleissTable t;
  for (std::size_t j = 0; j < labels.size(); ++j) t.categories.push_back(labels.name(j));
  t.subjects = rows.size();
  t.raters = static_cast<std::int64_t>(rows[0].fields.size());
  requireRaters(name, rows[0].line, t.raters);
  t.counts.assign(t.subjects * labels.size(), 0);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (const std::string& label : rows[i].fields)
      ++t.counts[i * labels.size() + labels.index(label)];
  }
  return t;
}

FleissTable readFleissCounts(const std::string& name, bool header) {
  std::vector<std::string> names;
  const std::vector<LabelRow> rows = readLabelRows(name, header, &names);
  requireSubjects(name, rows);
  const std::size_t k = rows[0].fields.size();
  FleissTable t;
  t.subjects = rows.size();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const LabelRow& row = rows[i];
    if (row.fields.size() != k) {
      fail(name, row.line,
           subject(i) + " has " + std::to_string(row.fields.size()) +
               " counts where subject 1 has " + std::to_string(k) + ": a count a category");
    }
    std::int64_t raters = 0;
    for (std::size_t j = 0; j < k; ++j) {
      t.counts.push_back(count(name, row, j));
      raters += t.counts.back();
      if (raters > static_cast<std::int64_t>(kLargestCount)) {
        fail(name, row.line, subject(i) + " has more than 9007199254740992 (2^53) raters");
      }
    }
    if (i == 0) {
      t.raters = raters;
      requireRaters(name, row.line, raters);
    }
    if (raters != t.raters) {
      fail(name, row.line,
           subject(i) + " was rated by " + std::to_string(raters) +
               " raters where subject 1 was by " + std::to_string(t.raters) +
               ": every subject must be rated by the same number of raters");
    }
  }
  if (header && names.size() != k) {
    fail(name, 0,
         "the header names " + std::to_string(names.size()) +
             " categories where the subjects have " + std::to_string(k) + " counts");
  }
  for (std::size_t j = 0; j < k; ++j) {
    t.categories.push_back(header ? names[j] : std::to_string(j + 1));
  }
  return t;
}

}  // namespace kappa
