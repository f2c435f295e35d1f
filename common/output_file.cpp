#include "common/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <utility>

#include "common/errors.h"
#include "common/mapped_file.h"
#include "common/temporary_files.h"

namespace common {
namespace {

constexpr std::size_t kBufferBytes = 1 << 16;

// The folder part of "path" with its slash ("" for a bare name).
std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The descriptor that "path" names (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N), or -1.
int namedDescriptor(const std::string& path) {
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    const std::size_t length = std::strlen(prefix);
    if (path.compare(0, length, prefix) != 0 || path.size() == length || path.size() > length + 6) {
      continue;
    }
    int n = 0;
    for (std::size_t i = length; i < path.size(); ++i) {
      if (path[i] < '0' || path[i] > '9') return -1;
      n = n * 10 + (path[i] - '0');
    }
    return n;
  }
  return -1;
}

// "path" with every symbolic link on its last part followed: the file that
// writing "path" would change, which need not exist yet.
std::string followLinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(current.c_str(), link, sizeof link - 1);
    if (n < 0) return current;
    const std::string to(link, static_cast<std::size_t>(n));
    current = to.front() == '/' ? to : folderOf(current) + to;
  }
  throw cannotWrite(path, std::strerror(ELOOP));
}

// The permission bits a new file gets from the process's umask, read without
// changing it (another thread may be creating files).
mode_t newFileMode() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "Umask:") {
      std::string octal;
      status >> octal;
      return 0666 & ~static_cast<mode_t>(std::strtoul(octal.c_str(), nullptr, 8));
    }
  }
  return 0644;
}

bool readOnly(const struct stat& st, const std::string& path) {
  // The write bits count even for root, who may write anything: a file made
  // read-only was made so on purpose.
  return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

// Why "st" (of an existing output) cannot be written, or "" when it can.
std::string whyNotWritable(const struct stat& st, const std::string& target) {
  if (S_ISDIR(st.st_mode)) return "it is a folder";
  if (S_ISREG(st.st_mode) && readOnly(st, target)) return "the file is read-only";
  return "";
}

// ".NAME.XXXXXX.part" beside "target": recognisably this toolkit's, and
// never the name of a file a user keeps.
std::string temporaryTemplate(const std::string& target) {
  std::string name = nameOf(target);
  if (name.size() > NAME_MAX - 13) name.resize(NAME_MAX - 13);
  return folderOf(target) + "." + name + ".XXXXXX.part";
}

bool writeAll(int fd, const char* data, std::size_t size, int& error) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// A committed temporary waiting for the end of its batch.
struct Pending {
  std::string temporary;
  std::string target;
  std::string path;
  int entry;
};

struct Batch {
  std::mutex mutex;
  std::vector<Pending> pending;
};

Batch* openBatch = nullptr;

// Removes "file" and throws when an input changed while it was read.
void dropIfAnInputChanged(const Pending& file) {
  try {
    throwIfInputChanged();
  } catch (...) {
    ::unlink(file.temporary.c_str());
    forgetTemporary(file.entry);
    throw;
  }
}

void putInPlace(const Pending& file) {
  if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) {
    const int error = errno;
    ::unlink(file.temporary.c_str());
    forgetTemporary(file.entry);
    throw cannotWrite(file.path, std::strerror(error));
  }
  forgetTemporary(file.entry);
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  // A name of a descriptor the program was started with (/dev/stdout,
  // /dev/fd/3) is that descriptor, whatever it leads to: written as a shell's
  // ">&3" would write it, never replaced.
  const int descriptor = namedDescriptor(path_);
  if (descriptor >= 0) {
    fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    if (fd_ < 0) throw cannotWrite(path_, std::strerror(errno));
    return;
  }
  target_ = followLinks(path_);
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists) {
    const std::string why = whyNotWritable(st, target_);
    if (!why.empty()) throw cannotWrite(path_, why);
    if (!S_ISREG(st.st_mode)) {
      // A device, FIFO or socket is the place itself: written, never replaced.
      fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
      if (fd_ < 0) throw cannotWrite(path_, std::strerror(errno));
      return;
    }
  }
  std::string name = temporaryTemplate(target_);
  const Temporary made = createTemporary(name);
  if (made.fd < 0) throw cannotWrite(path_, std::strerror(errno));
  fd_ = made.fd;
  entry_ = made.entry;
  temporary_ = name;
  ::fchmod(fd_, exists ? (st.st_mode & 0777) : newFileMode());
  // Root replacing another user's file hands it back; anyone else keeps it
  // as theirs, as the system allows.
  if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
      ::fchown(fd_, st.st_uid, st.st_gid) != 0) {
    // Not root: a shared group file at least stays the group's.
    [[maybe_unused]] const int ignored = ::fchown(fd_, static_cast<uid_t>(-1), st.st_gid);
  }
  buffer_.reserve(kBufferBytes);
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    forgetTemporary(entry_);
  }
}

void OutputFile::write(std::string_view text) {
  if (error_ != 0 || text.empty()) return;
  if (buffer_.size() + text.size() > kBufferBytes) {
    flush();
    if (text.size() >= kBufferBytes) {
      writeAll(fd_, text.data(), text.size(), error_);
      return;
    }
  }
  buffer_.append(text);
}

void OutputFile::writeLine(std::string_view text) {
  write(text);
  write("\r\n");
}

void OutputFile::flush() {
  if (error_ == 0 && !buffer_.empty()) writeAll(fd_, buffer_.data(), buffer_.size(), error_);
  buffer_.clear();
}

void OutputFile::fail(int error) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    forgetTemporary(entry_);
    temporary_.clear();
  }
  throw cannotWrite(path_, std::strerror(error));
}

void OutputFile::commit() {
  flush();
  if (error_ != 0) fail(error_);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) fail(errno);
  if (temporary_.empty()) return;
  Pending file{std::exchange(temporary_, std::string()), target_, path_, entry_};
  if (openBatch != nullptr) {
    std::lock_guard<std::mutex> lock(openBatch->mutex);
    openBatch->pending.push_back(std::move(file));
    return;
  }
  dropIfAnInputChanged(file);
  putInPlace(file);
}

OutputBatch::OutputBatch() { openBatch = new Batch; }

OutputBatch::~OutputBatch() {
  for (const Pending& file : openBatch->pending) {
    ::unlink(file.temporary.c_str());
    forgetTemporary(file.entry);
  }
  delete openBatch;
  openBatch = nullptr;
}

void OutputBatch::publishOpen() {
  if (openBatch != nullptr) publishCommitted();
}

void OutputBatch::publish() { publishCommitted(); }

void OutputBatch::publishCommitted() {
  // What was made of an input that changed while it was read replaces
  // nothing (the batch's end removes the temporaries).
  throwIfInputChanged();
  std::vector<Pending> files;
  {
    std::lock_guard<std::mutex> lock(openBatch->mutex);
    files.swap(openBatch->pending);
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    try {
      putInPlace(files[i]);
    } catch (...) {
      for (std::size_t j = i + 1; j < files.size(); ++j) {
        ::unlink(files[j].temporary.c_str());
        forgetTemporary(files[j].entry);
      }
      throw;
    }
  }
}

void checkNoneIsAnInput(const std::vector<std::string>& inputs,
                        const std::vector<std::string>& outputs) {
  for (const std::string& output : outputs) {
    struct stat st {};
    if (output.empty() || ::stat(output.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    for (const std::string& input : inputs) {
      struct stat in {};
      if (input.empty() || ::stat(input.c_str(), &in) != 0) continue;
      if (in.st_dev == st.st_dev && in.st_ino == st.st_ino) {
        throw cannotWrite(output, "it is the input \"" + input +
                                      "\", which writing it would destroy; name another file");
      }
    }
  }
}

void checkOutputs(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs) {
  checkNoneIsAnInput(inputs, outputs);
  for (const std::string& output : outputs) {
    if (output.empty() || namedDescriptor(output) >= 0) continue;
    const std::string target = followLinks(output);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
      const std::string why = whyNotWritable(st, target);
      if (!why.empty()) throw cannotWrite(output, why);
      if (!S_ISREG(st.st_mode)) continue;  // written where it is
    }
    // A new file, or a file replaced by a new one: its folder must take it.
    const std::string folder = folderOf(target).empty() ? "." : folderOf(target);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0) throw cannotWrite(output, std::strerror(errno));
    if (!S_ISDIR(dir.st_mode)) throw cannotWrite(output, std::strerror(ENOTDIR));
    if (::access(folder.c_str(), W_OK) != 0) throw cannotWrite(output, std::strerror(errno));
  }
}

int standardOutputError() {
  // An error met by an earlier flush left no errno of its own.
  if (std::ferror(stdout) != 0) return EIO;
  errno = 0;
  if (std::fflush(stdout) == 0) return 0;
  return errno != 0 ? errno : EIO;
}

void checkStandardOutput() {
  const int error = standardOutputError();
  if (error != 0) {
    std::clearerr(stdout);
    throw cannotWrite("standard output", std::strerror(error));
  }
}

}  // namespace common
