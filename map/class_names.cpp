#include "map/class_names.h"

#include "common/mapped_file.h"
#include "common/program_run.h"
#include "common/strings.h"
#include "map/controls.h"

namespace map {

std::vector<std::string> classNamesIn(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    names.emplace_back(common::trimBlanks(line));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return names;
}

std::vector<std::string> readClassNames(const std::string& path, std::size_t classes) {
  const common::MappedFile file(path);
  std::vector<std::string> names = classNamesIn(file.text());
  if (names.size() < classes) {
    common::warn(kProgram, path,
                 "names " + std::to_string(names.size()) +
                     " classes, one a line, but the map has " + std::to_string(classes) +
                     ": the classes after line " + std::to_string(names.size()) +
                     " show their numbers in the legend");
  }
  return names;
}

}  // namespace map
