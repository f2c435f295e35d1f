#include "map/draw/labels.h"

#include <algorithm>

#include "common/strings.h"

namespace map::draw {

int countLabels(std::string_view labels) {
  const std::string_view s = common::trimBlanks(labels);
  if (s.empty()) return 0;
  return 1 + static_cast<int>(std::count(s.begin(), s.end(), ' '));
}

}  // namespace map::draw
