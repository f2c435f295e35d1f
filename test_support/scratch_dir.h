// A scratch folder for tests: made fresh, removed with everything in it.
#ifndef TEST_SUPPORT_SCRATCH_DIR_H_
#define TEST_SUPPORT_SCRATCH_DIR_H_

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace support {

class ScratchDir {
 public:
  // A fresh, empty folder under the system's temporary folder, named after
  // "name" and the process (so that test programs running at once never
  // share one).
  explicit ScratchDir(const std::string& name)
      : dir(std::filesystem::temp_directory_path() /
            ("toolkit_test_" + std::to_string(getpid()) + "_" + name)) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
  }
  ~ScratchDir() { std::filesystem::remove_all(dir); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  // Writes "text" to the file "name" in the folder; returns its path.
  std::string file(const std::string& name, const std::string& text) const {
    std::ofstream(dir / name, std::ios::binary) << text;
    return path(name);
  }
  // The path of "name" in the folder, whether or not it exists.
  std::string path(const std::string& name) const { return (dir / name).string(); }
  // The bytes of the file "name" in the folder ("" when there is none).
  std::string read(const std::string& name) const {
    std::ifstream in(dir / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // How many entries the folder holds.
  long entries() const {
    long n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++n;
    return n;
  }

  const std::filesystem::path dir;
};

}  // namespace support

#endif  // TEST_SUPPORT_SCRATCH_DIR_H_
