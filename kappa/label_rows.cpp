#include "kappa/label_rows.h"

#include <cmath>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_parse.h"

namespace kappa {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The labels of one line: split at commas when it holds one, at runs of
// blanks and tabs otherwise.
std::vector<std::string> splitFields(std::string_view line, const std::string& name, long number) {
  std::vector<std::string> fields;
  if (line.find(',') != std::string_view::npos) {
    for (std::size_t start = 0;;) {
      const std::size_t comma = line.find(',', start);
      const std::string_view field = trimmed(line.substr(start, comma - start));
      if (field.empty()) {
        throw common::makeError(common::Fault::kTypeMismatch, name,
                                "line " + std::to_string(number),
                                "an empty label in field " + std::to_string(fields.size() + 1));
      }
      fields.emplace_back(field);
      if (comma == std::string_view::npos) return fields;
      start = comma + 1;
    }
  }
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i > start) fields.emplace_back(line.substr(start, i - start));
  }
  return fields;
}

bool finiteNumber(std::string_view text, double& value) {
  return common::parseDecimal(text, value) && std::isfinite(value);
}

}  // namespace

std::vector<LabelRow> readLabelRows(const std::string& name, bool header,
                                    std::vector<std::string>* names) {
  const common::MappedFile file(name);
  std::string_view text = file.text();
  // Some editors put a UTF-8 byte-order mark first: no part of a label.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<LabelRow> rows;
  long number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (trimmed(line).empty()) continue;
    LabelRow row{number, splitFields(line, name, number)};
    if (header) {
      if (names != nullptr) *names = std::move(row.fields);
      header = false;
      continue;
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

Labels::Labels(const std::vector<std::string_view>& all) {
  double value = 0;
  for (std::string_view label : all) numeric_ = numeric_ && finiteNumber(label, value);
  if (numeric_) {
    std::map<double, std::string> spelling;  // each value named as first met
    for (std::string_view label : all) {
      finiteNumber(label, value);
      spelling.try_emplace(value, label);
    }
    for (const auto& [v, text] : spelling) {
      byValue_[v] = names_.size();
      names_.push_back(text);
    }
    return;
  }
  for (std::string_view label : all) byText_.try_emplace(std::string(label), 0);
  for (auto& [text, i] : byText_) {
    i = names_.size();
    names_.push_back(text);
  }
}

std::size_t Labels::index(std::string_view label) const {
  if (numeric_) {
    double value = 0;
    finiteNumber(label, value);
    return byValue_.at(value);
  }
  return byText_.find(label)->second;
}

}  // namespace kappa
