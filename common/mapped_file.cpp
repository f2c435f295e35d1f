#include "common/mapped_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <mutex>

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

// The watched mappings.  The bus error handler reads only the atomic ranges;
// everything else is kept under the mutex by ordinary code.  A slot whose
// file was found changed is never used again, so its name stays for the
// report.
constexpr int kWatchSlots = 64;

struct Range {
  std::atomic<std::uintptr_t> start{0};
  std::atomic<std::size_t> bytes{0};
};

struct Watched {
  std::string name;
  int fd = -1;
  off_t size = 0;
  timespec changeTime{};
  bool used = false;
};

Range gRanges[kWatchSlots];
std::atomic<int> gChanged{-1};  // the slot of the first input found changed
std::uintptr_t gPageSize = 4096;
struct sigaction gPreviousBusAction {};
std::mutex gWatchMutex;
Watched gWatched[kWatchSlots];

void noteChanged(int slot) {
  int none = -1;
  gChanged.compare_exchange_strong(none, slot);
}

// A read of a mapped page whose part of the file is gone: the rest of the
// mapping from that page on is replaced by zero pages, so the read goes on
// and the reader meets zeros; the change is reported once the run ends.
// Any other bus error takes the action there was before.
void onBusError(int signal, siginfo_t* info, void*) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  for (int i = 0; info->si_code > 0 && i < kWatchSlots; ++i) {
    const std::uintptr_t start = gRanges[i].start.load(std::memory_order_acquire);
    const std::size_t bytes = gRanges[i].bytes.load(std::memory_order_acquire);
    if (start == 0 || address < start || address - start >= bytes) continue;
    const std::uintptr_t page = address & ~(gPageSize - 1);
    const std::uintptr_t end = (start + bytes + gPageSize - 1) & ~(gPageSize - 1);
    void* zeros = ::mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                         MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (zeros == MAP_FAILED) break;
    noteChanged(i);
    return;
  }
  ::sigaction(SIGBUS, &gPreviousBusAction, nullptr);
  // A fault strikes again when the instruction is retried; a sent signal
  // must be sent again.
  if (info->si_code <= 0) ::raise(signal);
}

void installBusHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    gPageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &gPreviousBusAction);
  });
}

bool sameTime(const timespec& a, const timespec& b) {
  return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// True when the file of watched slot "i" (under the mutex) now differs in
// size or time of change from when it was opened.
bool changedOnDisk(int i) {
  struct stat now;
  const Watched& w = gWatched[i];
  return ::fstat(w.fd, &now) != 0 || now.st_size != w.size || !sameTime(now.st_mtim, w.changeTime);
}

// Watches the mapping [data, data + bytes) of the open file "fd"; the slot,
// or -1 when all are taken (the file is then read unwatched).
int watch(const std::string& path, int fd, const struct stat& info, const char* data,
          std::size_t bytes) {
  installBusHandler();
  std::lock_guard<std::mutex> lock(gWatchMutex);
  for (int i = 0; i < kWatchSlots; ++i) {
    if (gWatched[i].used) continue;
    gWatched[i] = Watched{path, fd, info.st_size, info.st_mtim, true};
    gRanges[i].bytes.store(bytes, std::memory_order_release);
    gRanges[i].start.store(reinterpret_cast<std::uintptr_t>(data), std::memory_order_release);
    return i;
  }
  return -1;
}

// Ends the watch of slot "i", noting a change found on the way out.
void unwatch(int i) {
  std::lock_guard<std::mutex> lock(gWatchMutex);
  gRanges[i].start.store(0, std::memory_order_release);
  if (changedOnDisk(i)) noteChanged(i);
  ::close(gWatched[i].fd);
  gWatched[i].fd = -1;
  if (gChanged.load() != i) gWatched[i].used = false;
}

}  // namespace

std::size_t MappedFile::mostStreamedBytes() {
  const double memory =
      static_cast<double>(::sysconf(_SC_PHYS_PAGES)) * static_cast<double>(::sysconf(_SC_PAGESIZE));
  return std::max<std::size_t>(std::size_t{64} << 20, static_cast<std::size_t>(memory / 4));
}

MappedFile::MappedFile(const std::string& path, std::size_t mostStreamedBytes) {
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
    const auto bytes = static_cast<std::size_t>(info.st_size);
    void* block = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, fd, 0);
    if (block != MAP_FAILED) {
      ::madvise(block, bytes, MADV_SEQUENTIAL);
      data_ = static_cast<const char*>(block);
      size_ = bytes;
      mapped_ = true;
      // The file stays open while watched, to be checked for changes.
      slot_ = watch(path, fd, info, data_, size_);
      if (slot_ < 0) ::close(fd);
      return;
    }
  }
  try {
    readStream(fd, path, mostStreamedBytes);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  data_ = copy_.data();
  size_ = copy_.size();
}

void MappedFile::readStream(int fd, const std::string& path, std::size_t mostBytes) {
  char buffer[1 << 16];
  std::size_t lineStart = 0;
  long line = 1;
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      cannotOpen(path, errno);
    }
    const std::size_t from = copy_.size();
    const std::size_t need = from + static_cast<std::size_t>(got);
    if (need > mostBytes) {
      throw ToolError(Fault::kTooLarge,
                      path + ": line " + std::to_string(line) + ": more than " +
                          std::to_string(mostBytes >> 20) +
                          " MB from a pipe or device (a quarter of this machine's memory at "
                          "most); give the data as a regular file");
    }
    // Grown by doubling, but never past the bound: the text's memory stays
    // within it.
    if (need > copy_.capacity())
      copy_.reserve(std::min(std::max(need, 2 * copy_.capacity()), mostBytes));
    copy_.append(buffer, static_cast<std::size_t>(got));
    // Lines end as the token reader ends them: LF, CR or CR LF.
    for (std::size_t i = from; i < copy_.size(); ++i) {
      const char c = copy_[i];
      if (c != '\n' && c != '\r') continue;
      if (!(c == '\n' && i > 0 && copy_[i - 1] == '\r')) ++line;
      lineStart = i + 1;
    }
    if (copy_.size() - lineStart > kLongestStreamedLine) {
      throw ToolError(Fault::kTooLarge, path + ": line " + std::to_string(line) +
                                            ": a line longer than " +
                                            std::to_string(kLongestStreamedLine >> 20) + " MB");
    }
  }
}

MappedFile::~MappedFile() {
  if (slot_ >= 0) unwatch(slot_);
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

void throwIfInputChanged() {
  int changed = gChanged.load();
  std::lock_guard<std::mutex> lock(gWatchMutex);
  for (int i = 0; changed < 0 && i < kWatchSlots; ++i) {
    if (gWatched[i].used && gWatched[i].fd >= 0 && changedOnDisk(i)) {
      noteChanged(i);
      changed = gChanged.load();
    }
  }
  if (changed >= 0) {
    throw ToolError(Fault::kPastEndOfFile, gWatched[changed].name + ": changed while being read");
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
