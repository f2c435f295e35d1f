// A scratch folder for the network tools' tests.
#ifndef EBP_TESTING_H_
#define EBP_TESTING_H_

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ebp::testing {

// A fresh folder, removed with everything in it when the object goes.
struct Scratch {
  std::filesystem::path dir;
  explicit Scratch(const std::string& name)
      : dir(std::filesystem::temp_directory_path() / (name + "_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir);
  }
  ~Scratch() { std::filesystem::remove_all(dir); }
  std::string file(const std::string& name, const std::string& text) const {
    std::ofstream(dir / name, std::ios::binary) << text;
    return (dir / name).string();
  }
  std::string read(const std::string& name) const {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

}  // namespace ebp::testing

#endif  // EBP_TESTING_H_
