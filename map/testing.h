// Helpers shared by the map renderer's tests: the example settings with a
// line changed, and the program message a pass throws.
#ifndef MAP_TESTING_H_
#define MAP_TESTING_H_

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/errors.h"

namespace map::testing {

// "TITLE|TEXT" of the program's own message that "run" throws, or "" when
// it throws none; other errors pass through.
template <class Run>
std::string programMessageOf(Run&& run) {
  try {
    run();
  } catch (const common::ProgramMessage& m) {
    return m.title() + "|" + m.what();
  }
  return "";
}

// The example settings file with line "number" (1-based) replaced by "text".
inline std::string exampleSettingsWith(int number, const std::string& text) {
  std::ifstream in(std::string(EXAMPLES_DIR) + "/som/Favomap5.cfg", std::ios::binary);
  std::string line, out;
  for (int i = 1; std::getline(in, line); ++i) out += (i == number ? text : line) + "\n";
  return out;
}

}  // namespace map::testing

#endif  // MAP_TESTING_H_
