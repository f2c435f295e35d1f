// Read-only access to a whole input file as one block of text.
//
// Regular files are memory-mapped, so even very large inputs are read once,
// sequentially, without a copy; other files (pipes, devices) are read into
// memory in bounded pieces, and refused at the first line longer than
// kLongestStreamedLine, so that an endless input without line ends (a device
// of zeros, a runaway producer) stops the run instead of filling the memory.
//
// A mapped file that shrinks while it is read (a producer rewriting it) would
// end the program on SIGBUS; instead its lost pages read as zeros from then
// on, and the change is recorded: throwIfInputChanged() reports it, and
// runReportingFailures() reports it in place of whatever error or success
// the zeros led to.
#ifndef COMMON_MAPPED_FILE_H_
#define COMMON_MAPPED_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace common {

// The longest line, in bytes, that an input which is not a regular file may
// hold.
inline constexpr std::size_t kLongestStreamedLine = std::size_t{1} << 20;

class MappedFile {
 public:
  // Opens "path".  Throws ToolError with the text
  //   cannot open "PATH": file not found (No such file or directory)
  // when it cannot be opened or read: kFileNotFound for a missing file,
  // kBadFileName ("bad file name or path") for a folder, no permission, ...
  // An input that is not a regular file with a line longer than
  // kLongestStreamedLine throws ToolError(kTooLarge):
  //   PATH: line 1: a line longer than 1 MB
  // Such an input of more than "mostStreamedBytes" in all throws
  // ToolError(kTooLarge) too: an endless pipe stops the run before it takes
  // the machine's memory.
  explicit MappedFile(const std::string& path,
                      std::size_t mostStreamedBytes = MappedFile::mostStreamedBytes());

  // A quarter of the machine's memory (at least 64 MB): the most that an
  // input which is not a regular file may hold in all.
  static std::size_t mostStreamedBytes();
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // The file's bytes; valid while this object lives.  Where a mapped file
  // has lost its end since it was opened, the lost part reads as zeros.
  std::string_view text() const { return {data_, size_}; }

  // Gives back the memory of the text before "offset", which the reader will
  // not look at again (a mapped file's pages are read again from the file
  // if it does): a file read once from start to end then keeps only what is
  // being read in memory, whatever its size.
  void releaseBefore(std::size_t offset);

 private:
  void readStream(int fd, const std::string& path, std::size_t mostBytes);

  const char* data_ = nullptr;
  std::size_t size_ = 0;
  bool mapped_ = false;
  std::size_t released_ = 0;
  std::string copy_;
  // A mapped file's place among the watched inputs (-1 when none).
  int slot_ = -1;
};

// Throws ToolError "FILE: changed while being read" when a mapped input
// (the first one found) lost pages while mapped, or has a different size or
// time of change now, or had when it was closed.  Called before outputs are
// put in place, so that a run whose input changed replaces none.
void throwIfInputChanged();

// Asks the system to back the whole 2 MB blocks inside [data, data + bytes)
// with large pages, before they are first touched: a buffer of many
// megabytes then takes one page fault per 2 MB instead of one per 4 KB.
// Only advice: nothing changes where it is not followed.
void preferLargePages(void* data, std::size_t bytes);

}  // namespace common

#endif  // COMMON_MAPPED_FILE_H_
