#include "common/temporary_files.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace common {
namespace {

// A fixed table, so that the signal handler touches no allocator and no
// lock: an entry's path is written while it is claimed, and the handler
// reads only entries marked live.
enum EntryState : int { kFree = 0, kClaimed = 1, kLive = 2 };

struct Entry {
  std::atomic<int> state{kFree};
  bool folder = false;
  char path[PATH_MAX];
};

constexpr int kEntries = 64;
Entry entries[kEntries];
// Where the search for a free entry starts: entries are taken in turn, so
// one just given up is not written again while a handler may be reading it.
std::atomic<unsigned> nextEntry{0};
// Threads between creating a temporary and listing it.  Their own
// interrupts are held off, but an interrupt another thread takes waits for
// them, so that no temporary is made that the handler does not know.
std::atomic<int> creating{0};

// A closed pipe on standard output ends a run as surely as an interrupt.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

void removeListed() {
  while (creating.load(std::memory_order_acquire) > 0) {
  }
  for (Entry& entry : entries) {
    if (entry.state.load(std::memory_order_acquire) != kLive) continue;
    entry.folder ? ::rmdir(entry.path) : ::unlink(entry.path);
  }
}

void onInterrupt(int signal) {
  removeListed();
  // Blocked while the handler runs: the default action ends the program as
  // soon as it returns.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void watchSignals() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) sigaddset(&action.sa_mask, s);
  for (int s : kSignals) {
    struct sigaction old {};
    if (::sigaction(s, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(s, &action, nullptr);
  }
}

}  // namespace

namespace {

int listTemporary(const std::string& path, bool folder) {
  static std::once_flag watching;
  std::call_once(watching, watchSignals);
  if (path.size() >= PATH_MAX) return -1;
  for (int tried = 0; tried < kEntries; ++tried) {
    const int i = static_cast<int>(nextEntry.fetch_add(1) % kEntries);
    int expected = kFree;
    if (!entries[i].state.compare_exchange_strong(expected, kClaimed)) continue;
    entries[i].folder = folder;
    std::memcpy(entries[i].path, path.c_str(), path.size() + 1);
    entries[i].state.store(kLive, std::memory_order_release);
    return i;
  }
  return -1;
}

}  // namespace

Temporary createTemporary(std::string& name) {
  sigset_t interrupts, before;
  sigemptyset(&interrupts);
  for (int s : kSignals) sigaddset(&interrupts, s);
  pthread_sigmask(SIG_BLOCK, &interrupts, &before);
  creating.fetch_add(1, std::memory_order_acq_rel);
  Temporary made;
  made.fd = ::mkostemps(name.data(), 5, O_CLOEXEC);
  const int error = errno;
  if (made.fd >= 0) made.entry = listTemporary(name, false);
  creating.fetch_sub(1, std::memory_order_acq_rel);
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  errno = error;
  return made;
}

int listTemporaryFolder(const std::string& path) { return listTemporary(path, true); }

void forgetTemporary(int entry) {
  if (entry >= 0 && entry < kEntries) entries[entry].state.store(kFree, std::memory_order_release);
}

}  // namespace common
