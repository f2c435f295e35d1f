// Helpers of the fuzz targets: the input as a file on disk, for readers that
// open files by name, and the faults a reader is allowed to report.
#ifndef FUZZ_FUZZ_SUPPORT_H_
#define FUZZ_FUZZ_SUPPORT_H_

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/errors.h"

namespace fuzz {

// A file holding "data", removed when the object goes.
class TempFile {
 public:
  TempFile(const std::uint8_t* data, std::size_t size, const char* suffix = ".txt") {
    path_ =
        "/tmp/toolkit_fuzz_" + std::to_string(getpid()) + "_" + std::to_string(counter_++) + suffix;
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (f) {
      std::fwrite(data, 1, size, f);
      std::fclose(f);
    }
  }
  ~TempFile() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::string path_;
};

// Runs "f", letting through the faults a reader may report for bad input:
// its errors and the program's own messages.  Anything else (a crash, an
// uncaught exception) is a finding.
template <typename F>
void tolerant(F&& f) {
  try {
    f();
  } catch (const common::ToolError&) {
  } catch (const common::ProgramMessage&) {
  }
}

}  // namespace fuzz

#endif  // FUZZ_FUZZ_SUPPORT_H_
