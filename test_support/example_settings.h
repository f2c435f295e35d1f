// The renderer's example settings file, as tests vary it one line at a time.
#ifndef TEST_SUPPORT_EXAMPLE_SETTINGS_H_
#define TEST_SUPPORT_EXAMPLE_SETTINGS_H_

#include <fstream>
#include <string>

namespace support {

// The text of examples/som/Favomap5.cfg with line "number" (1-based)
// replaced by "text"; every line ends in "\n".  The test program must define
// EXAMPLES_DIR (toolkit_test does).
inline std::string exampleSettingsWith(int number, const std::string& text) {
  std::ifstream in(std::string(EXAMPLES_DIR) + "/som/Favomap5.cfg", std::ios::binary);
  std::string line, out;
  for (int i = 1; std::getline(in, line); ++i) out += (i == number ? text : line) + "\n";
  return out;
}

}  // namespace support

#endif  // TEST_SUPPORT_EXAMPLE_SETTINGS_H_
