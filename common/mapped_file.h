// Read-only access to a whole input file as one block of text.
//
// Regular files are memory-mapped, so even very large inputs are read once,
// sequentially, without a copy; other files (pipes, devices) are read into
// memory.
#ifndef COMMON_MAPPED_FILE_H_
#define COMMON_MAPPED_FILE_H_

#include <string>
#include <string_view>

namespace common {

class MappedFile {
 public:
  // Opens "path".  Throws ToolError with the text
  //   cannot open "PATH": file not found (No such file or directory)
  // when it cannot be opened or read: kFileNotFound for a missing file,
  // kBadFileName ("bad file name or path") for a folder, no permission, ...
  explicit MappedFile(const std::string& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // The file's bytes; valid while this object lives.
  std::string_view text() const { return {data_, size_}; }

  // Gives back the memory of the text before "offset", which the reader will
  // not look at again (a mapped file's pages are read again from the file
  // if it does): a file read once from start to end then keeps only what is
  // being read in memory, whatever its size.
  void releaseBefore(std::size_t offset);

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;
  std::size_t released_ = 0;
  std::string copy_;
};

// Asks the system to back the whole 2 MB blocks inside [data, data + bytes)
// with large pages, before they are first touched: a buffer of many
// megabytes then takes one page fault per 2 MB instead of one per 4 KB.
// Only advice: nothing changes where it is not followed.
void preferLargePages(void* data, std::size_t bytes);

}  // namespace common

#endif  // COMMON_MAPPED_FILE_H_
