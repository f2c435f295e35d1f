#include "som/training_table.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/number_parse.h"
#include "common/tokens.h"

namespace som {

namespace {

bool parsePositive(std::string_view text, int& value) {
  if (text.empty() || text.size() > 6) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value > 0;
}

std::string lineName(long line) { return "line " + std::to_string(line); }

// The fields of one line of the table, as read.
struct Line {
  std::vector<std::string_view> fields;
  long number = 0;
};

class TableBuilder {
 public:
  TableBuilder(const std::string& path, const TableColumns& columns)
      : path_(path), columns_(columns) {}

  void add(const Line& line) {
    const int width = static_cast<int>(line.fields.size());
    if (width_ == 0) start(width, line.number);
    if (width != width_) {
      throw common::makeError(common::Fault::kSubscriptOutOfRange, path_, lineName(line.number),
                              std::to_string(width) + " fields where line " +
                                  std::to_string(firstLine_) + " has " + std::to_string(width_));
    }
    for (int column : variables_) table_.values.push_back(number(line, column));
    table_.labels.push_back(columns_.labels > 0 ? std::string(line.fields[columns_.labels - 1])
                                                : std::to_string(table_.labels.size() + 1));
    if (columns_.classes > 0) table_.classes.emplace_back(line.fields[columns_.classes - 1]);
  }

  TrainingTable finish(long lastLine) {
    if (table_.labels.empty()) {
      throw common::makeError(common::Fault::kPastEndOfFile, path_, lineName(lastLine),
                              "the table holds no object");
    }
    return std::move(table_);
  }

 private:
  void start(int width, long line) {
    width_ = width;
    firstLine_ = line;
    for (int column : {columns_.labels, columns_.classes}) check(column, line);
    variables_ = columns_.variables;
    if (variables_.empty()) {
      for (int c = 1; c <= width; ++c) {
        if (c != columns_.labels && c != columns_.classes) variables_.push_back(c);
      }
    }
    for (int column : variables_) check(column, line);
    if (variables_.empty()) {
      throw common::makeError(common::Fault::kSubscriptOutOfRange, path_, lineName(line),
                              "no column is left for the variables");
    }
    table_.nVars = static_cast<int>(variables_.size());
  }

  void check(int column, long line) const {
    if (column > width_) {
      throw common::makeError(common::Fault::kSubscriptOutOfRange, path_, lineName(line),
                              "column " + std::to_string(column) + " asked for, the line has " +
                                  std::to_string(width_) + " fields");
    }
  }

  double number(const Line& line, int column) const {
    const std::string_view field = line.fields[column - 1];
    // An empty field is a missing value in a table from a spreadsheet: read
    // as 0 it would pull the map towards 0 unseen.
    if (field.empty()) {
      throw common::makeError(common::Fault::kTypeMismatch, path_, lineName(line.number),
                              "column " + std::to_string(column) +
                                  " is empty: somtrain takes no missing values (fill them in, "
                                  "or leave the column out with --columns)");
    }
    double value = 0;
    if (!(common::parseDecimal(field, value) && std::isfinite(value))) {
      throw common::makeError(common::Fault::kTypeMismatch, path_, lineName(line.number),
                              "column " + std::to_string(column) +
                                  ": expected a finite number, got \"" + std::string(field) + "\"");
    }
    return value;
  }

  std::string path_;
  TableColumns columns_;
  std::vector<int> variables_;
  int width_ = 0;
  long firstLine_ = 0;
  TrainingTable table_;
};

}  // namespace

std::vector<int> parseColumnList(const std::string& text, std::string& fault) {
  std::vector<int> columns;
  std::string_view rest = text;
  while (true) {
    const std::size_t comma = rest.find(',');
    const std::string_view part = rest.substr(0, comma);
    const std::size_t dash = part.find('-');
    int first = 0, last = 0;
    const bool ok = dash == std::string_view::npos
                        ? parsePositive(part, first) && (last = first) > 0
                        : parsePositive(part.substr(0, dash), first) &&
                              parsePositive(part.substr(dash + 1), last) && first <= last;
    if (!ok) {
      fault = "\"" + text + "\" is not a list of columns such as 1,3-5";
      return {};
    }
    for (int c = first; c <= last; ++c) columns.push_back(c);
    if (comma == std::string_view::npos) return columns;
    rest = rest.substr(comma + 1);
  }
}

TrainingTable readTrainingTable(const std::string& path, const TableColumns& columns) {
  const common::MappedFile file(path);
  common::TokenReader reader(file.text(), path);
  if (columns.header) reader.skipLine();
  TableBuilder builder(path, columns);
  Line line;
  auto flush = [&] {
    // A line that is empty or blank holds one empty token: no object.
    if (!(line.fields.size() == 1 && line.fields[0].empty()) && !line.fields.empty()) {
      builder.add(line);
    }
    line.fields.clear();
  };
  while (!reader.atEnd()) {
    const std::string_view token = reader.next();
    if (reader.tokenLine() != line.number) {
      flush();
      line.number = reader.tokenLine();
    }
    line.fields.push_back(token);
  }
  flush();
  return builder.finish(std::max(line.number, 1L));
}

}  // namespace som
