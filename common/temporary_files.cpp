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
  char path[PATH_MAX];
};

constexpr int kEntries = 64;
Entry entries[kEntries];

// A closed pipe on standard output ends a run as surely as an interrupt.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

void removeListed() {
  for (Entry& entry : entries) {
    if (entry.state.load(std::memory_order_acquire) == kLive) ::unlink(entry.path);
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

int listTemporary(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < kEntries; ++i) {
    int expected = kFree;
    if (!entries[i].state.compare_exchange_strong(expected, kClaimed)) continue;
    std::memcpy(entries[i].path, path.c_str(), path.size() + 1);
    entries[i].state.store(kLive, std::memory_order_release);
    return i;
  }
  return -1;
}

}  // namespace

Temporary createTemporary(std::string& name) {
  static std::once_flag watching;
  std::call_once(watching, watchSignals);
  sigset_t interrupts, before;
  sigemptyset(&interrupts);
  for (int s : kSignals) sigaddset(&interrupts, s);
  pthread_sigmask(SIG_BLOCK, &interrupts, &before);
  Temporary made;
  made.fd = ::mkostemps(name.data(), 5, O_CLOEXEC);
  const int error = errno;
  if (made.fd >= 0) made.entry = listTemporary(name);
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  errno = error;
  return made;
}

void forgetTemporary(int entry) {
  if (entry >= 0 && entry < kEntries) entries[entry].state.store(kFree, std::memory_order_release);
}

}  // namespace common
