#include "som/map_files.h"

#include <algorithm>
#include <map>

#include "common/errors.h"
#include "common/number_forms.h"
#include "common/output_file.h"

namespace som {

void writeCodebook(const std::string& path, const std::string& comment,
                   const std::vector<double>& codebook, int rows, int cols, int nVars) {
  common::OutputFile file(path);
  file.writeLine(comment);
  file.writeLine(std::to_string(rows) + " " + std::to_string(cols) + " " + std::to_string(nVars));
  std::string line;
  const std::size_t units = static_cast<std::size_t>(rows) * cols;
  for (std::size_t u = 0; u < units; ++u) {
    line.clear();
    for (int v = 0; v < nVars; ++v) {
      if (v > 0) line += ' ';
      const float value = static_cast<float>(codebook[u * nVars + v]);
      line += common::generalForm(value, 9);
    }
    file.writeLine(line);
  }
  file.commit();
}

namespace {

std::string bmuLabel(const std::string& label) {
  const bool plain = label.find_first_of(",\"") == std::string::npos &&
                     (label.empty() || (label.front() != ' ' && label.back() != ' '));
  if (plain) return label;
  std::string quoted = label;
  std::replace(quoted.begin(), quoted.end(), '"', '\'');
  return "\"" + quoted + "\"";
}

}  // namespace

void writeBestUnits(const std::string& path, const std::vector<std::string>& labels,
                    const std::vector<int>& best, int rows, int cols) {
  common::OutputFile file(path);
  file.writeLine("hexa");
  file.writeLine(std::to_string(labels.size()));
  file.writeLine(std::to_string(rows) + " " + std::to_string(cols));
  for (std::size_t i = 0; i < labels.size(); ++i) {
    file.writeLine(bmuLabel(labels[i]) + "," + std::to_string(best[i] / cols + 1) + "," +
                   std::to_string(best[i] % cols + 1));
  }
  file.commit();
}

std::vector<int> numberClasses(const std::vector<std::string>& classes, const std::string& file,
                               std::vector<std::string>& names) {
  std::vector<int> numbers(classes.size());
  const bool ownNumbers = std::all_of(classes.begin(), classes.end(), [](const std::string& c) {
    return (c.size() == 1 && c[0] >= '1' && c[0] <= '9') ||
           (c.size() == 2 && c[0] == '1' && c[1] >= '0' && c[1] <= '5');
  });
  if (ownNumbers) {
    names.clear();
    for (std::size_t i = 0; i < classes.size(); ++i) {
      numbers[i] = std::stoi(classes[i]);
      if (static_cast<int>(names.size()) < numbers[i]) names.resize(numbers[i]);
      names[numbers[i] - 1] = classes[i];
    }
    return numbers;
  }
  std::map<std::string, int> numberOf;
  for (const std::string& c : classes) numberOf.emplace(c, 0);
  if (numberOf.size() > 15) {
    throw common::makeError(
        common::Fault::kOverflow, file, "",
        std::to_string(numberOf.size()) + " classes, more than the 15 a map can colour");
  }
  names.clear();
  for (auto& [name, number] : numberOf) {
    names.push_back(name);
    number = static_cast<int>(names.size());
  }
  for (std::size_t i = 0; i < classes.size(); ++i) numbers[i] = numberOf[classes[i]];
  return numbers;
}

void writeUnitClasses(const std::string& path, const std::vector<int>& objectClasses,
                      const std::vector<int>& best, int rows, int cols) {
  const std::size_t units = static_cast<std::size_t>(rows) * cols;
  std::vector<int> counts(units * 16, 0);
  for (std::size_t i = 0; i < best.size(); ++i) ++counts[best[i] * 16 + objectClasses[i]];
  common::OutputFile file(path);
  std::string line;
  for (int row = 0; row < rows; ++row) {
    line.clear();
    for (int col = 0; col < cols; ++col) {
      const int* count = &counts[(static_cast<std::size_t>(row) * cols + col) * 16];
      const int chosen = static_cast<int>(std::max_element(count, count + 16) - count);
      if (col > 0) line += ' ';
      line += std::to_string(count[chosen] > 0 ? chosen : 0);
    }
    file.writeLine(line);
  }
  file.commit();
}

}  // namespace som
