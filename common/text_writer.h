// Text output files with CR LF line ends, replaced only when complete.
//
// The writer fills a temporary file beside the target and renames it over
// the target on commit(), so a run that fails half-way never leaves a
// half-written file in place of a good old one.
#ifndef COMMON_TEXT_WRITER_H_
#define COMMON_TEXT_WRITER_H_

#include <cstdio>
#include <string>
#include <string_view>

namespace common {

class TextFileWriter {
 public:
  // Starts writing "path".  Throws ToolError(kBadFileName) when the file
  // cannot be created (missing folder, no permission).
  explicit TextFileWriter(std::string path);
  ~TextFileWriter();  // drops the temporary file unless committed
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Writes "text" and CR LF.
  void writeLine(std::string_view text);

  // Writes "text" as it is.
  void write(std::string_view text);

  // Flushes, closes and puts the file in place.  Throws ToolError on a write
  // failure (disk full, ...), leaving any old file untouched.
  void commit();

 private:
  std::string path_;
  std::string tempPath_;
  std::FILE* file_ = nullptr;
};

}  // namespace common

#endif  // COMMON_TEXT_WRITER_H_
