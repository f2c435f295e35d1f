// Helpers shared by the map renderer's tests: a toolkit that records its
// message boxes, and scratch folders with input files.
#ifndef MAP_TESTING_H_
#define MAP_TESTING_H_

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/errors.h"
#include "ui/toolkit.h"

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

class RecordingToolkit : public ui::Toolkit {
 public:
  void messageBox(std::string_view prompt, std::string_view title) override {
    messages.push_back(std::string(title) + "|" + std::string(prompt));
  }
  std::vector<std::string> messages;
};

// A fresh folder for one test, removed by the destructor.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("map_test_" + std::to_string(getpid()) + "_" + name)) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() { std::filesystem::remove_all(path_); }

  // Writes "text" to the file "name" in the folder and returns its path.
  std::string file(const std::string& name, const std::string& text) const {
    const auto p = path_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  std::string path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// The example settings file with line "number" (1-based) replaced by "text".
inline std::string exampleSettingsWith(int number, const std::string& text) {
  std::ifstream in(std::string(EXAMPLES_DIR) + "/som/Favomap5.cfg", std::ios::binary);
  std::string line, out;
  for (int i = 1; std::getline(in, line); ++i) out += (i == number ? text : line) + "\n";
  return out;
}

}  // namespace map::testing

#endif  // MAP_TESTING_H_
