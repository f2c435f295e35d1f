#include "common/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "common/errors.h"

namespace common {
namespace {

// "file not found" for a name that leads nowhere, "bad file name or path"
// for one that leads to something that cannot be read as a file.
[[noreturn]] void cannotOpen(const std::string& path, int error) {
  const Fault fault =
      (error == ENOENT || error == ENOTDIR) ? Fault::kFileNotFound : Fault::kBadFileName;
  throw common::cannotOpen(fault, path, std::strerror(error));
}

}  // namespace

MappedFile::MappedFile(const std::string& path) {
  if (path.empty()) cannotOpen(path, ENOENT);
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) cannotOpen(path, errno);
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    int error = errno;
    ::close(fd);
    cannotOpen(path, error);
  }
  if (S_ISDIR(info.st_mode)) {
    ::close(fd);
    cannotOpen(path, EISDIR);
  }
  if (S_ISREG(info.st_mode) && info.st_size > 0) {
    void* block =
        ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (block != MAP_FAILED) {
      ::madvise(block, static_cast<std::size_t>(info.st_size), MADV_SEQUENTIAL);
      ::close(fd);
      data_ = static_cast<const char*>(block);
      size_ = static_cast<std::size_t>(info.st_size);
      mapped_ = true;
      return;
    }
  }
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      cannotOpen(path, error);
    }
    copy_.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  data_ = copy_.data();
  size_ = copy_.size();
}

MappedFile::~MappedFile() {
  if (mapped_) ::munmap(const_cast<char*>(data_), size_);
}

void MappedFile::releaseBefore(std::size_t offset) {
  if (!mapped_) return;
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t end = std::min(offset, size_) / page * page;
  if (end > released_) {
    ::madvise(const_cast<char*>(data_) + released_, end - released_, MADV_DONTNEED);
    released_ = end;
  }
}

void preferLargePages(void* data, std::size_t bytes) {
  constexpr std::uintptr_t kLarge = std::uintptr_t{1} << 21;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (start + kLarge - 1) & ~(kLarge - 1);
  const std::uintptr_t last = (start + bytes) & ~(kLarge - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace common
