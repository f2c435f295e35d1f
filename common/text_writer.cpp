#include "common/text_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "common/errors.h"

namespace common {
namespace {

ToolError writeError(const std::string& path, int error) {
  return cannotWrite(path, std::strerror(error));
}

}  // namespace

TextFileWriter::TextFileWriter(std::string path)
    : path_(std::move(path)), tempPath_(path_ + ".tmp" + std::to_string(getpid())) {
  file_ = std::fopen(tempPath_.c_str(), "wb");
  if (file_ == nullptr) throw writeError(path_, errno);
}

TextFileWriter::~TextFileWriter() {
  if (file_ != nullptr) {
    std::fclose(file_);
    std::remove(tempPath_.c_str());
  }
}

void TextFileWriter::write(std::string_view text) {
  if (text.empty()) return;  // an empty view may hold no pointer at all
  std::fwrite(text.data(), 1, text.size(), file_);
}

void TextFileWriter::writeLine(std::string_view text) {
  write(text);
  write("\r\n");
}

void TextFileWriter::commit() {
  bool failed = std::ferror(file_) != 0;
  int error = errno;
  if (std::fclose(file_) != 0 && !failed) {
    failed = true;
    error = errno;
  }
  file_ = nullptr;
  if (!failed && std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    failed = true;
    error = errno;
  }
  if (failed) {
    std::remove(tempPath_.c_str());
    throw writeError(path_, error == 0 ? EIO : error);
  }
}

}  // namespace common
