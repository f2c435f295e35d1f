// Every file a program writes, text or picture, goes through one rule:
//
// - a regular file is written whole to an unpredictable temporary in its own
//   folder (".NAME.XXXXXX.part", created exclusively, never through a link),
//   then renamed over the target: a run that fails, or is interrupted, leaves
//   the old file as it was and no temporary behind;
// - the new file keeps an existing file's permission bits (and, where the
//   system allows, its owner); a read-only existing file is refused;
// - a symbolic link is followed and its target replaced, in the target's
//   folder;
// - a device or FIFO is written directly, never replaced, and so is a
//   descriptor the program was given (/dev/stdout, /dev/fd/3); a socket,
//   which cannot be opened, is refused;
// - a file of several hard links is replaced under the name given: its other
//   names keep the old contents;
// - the temporaries of a run are removed on SIGINT, SIGTERM and SIGHUP, and
//   the program then ends by the same signal (a shell shows 128 + signal).
//
// Within an OutputBatch (every batch run has one), committed files are put
// in place together when the whole run has succeeded: a run that fails
// replaces none of its outputs.
#ifndef COMMON_OUTPUT_FILE_H_
#define COMMON_OUTPUT_FILE_H_

#include <string>
#include <string_view>
#include <vector>

namespace common {

class OutputFile {
 public:
  // Starts writing "path".  Throws ToolError(kBadFileName) when it cannot be
  // written: a missing folder, a folder in its place, no permission, a
  // read-only file.
  explicit OutputFile(std::string path);
  ~OutputFile();  // drops the temporary unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Writes "text" as it is.  Errors are kept and reported by commit().
  void write(std::string_view text);

  // Writes "text" and CR LF, the line end of every file the toolkit writes.
  void writeLine(std::string_view text);

  // Flushes and closes the file and puts it in place (at the end of the
  // current OutputBatch, if one is open).  Throws ToolError on a write
  // failure (disk full, ...), leaving any old file untouched.
  void commit();

  // The name the user gave.
  const std::string& path() const { return path_; }

 private:
  void flush();
  [[noreturn]] void fail(int error);

  std::string path_;       // as given, for messages
  std::string target_;     // after following symbolic links
  std::string temporary_;  // empty when the target is written directly
  int entry_ = -1;         // in the list of temporaries removed on an interrupt
  int fd_ = -1;
  int error_ = 0;  // the first write error
  std::string buffer_;
};

// Collects the files committed while it is open and puts them in place on
// publish(); files not yet published when it closes are dropped, their
// targets untouched.  At most one is open at a time.
class OutputBatch {
 public:
  OutputBatch();
  ~OutputBatch();
  OutputBatch(const OutputBatch&) = delete;
  OutputBatch& operator=(const OutputBatch&) = delete;

  // Renames every committed temporary over its target, in the order they
  // were committed.  Throws ToolError when one cannot be put in place.
  void publish();

  // publish() on the batch that is open, if any: for a run that keeps its
  // complete outputs although it then fails.
  static void publishOpen();

 private:
  static void publishCommitted();
};

// Throws ToolError, naming both, when one of "outputs" is the same file as
// one of "inputs" (same device and inode: links and other spellings of a
// name are caught): writing it would destroy the input.  Empty names are
// skipped; devices and FIFOs may serve as both.
void checkNoneIsAnInput(const std::vector<std::string>& inputs,
                        const std::vector<std::string>& outputs);

// checkNoneIsAnInput(), then that every one of "outputs" can be written: not
// a folder, not a read-only file, or in a folder that is there and writable.
// Throws ToolError naming the output and why.  Nothing is created: a run
// checks its outputs before any work.
void checkOutputs(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs);

// Flushes standard output and throws ToolError when anything written to it
// was lost (a full disk, a closed pipe): standard output is an output too.
void checkStandardOutput();

// Flushes standard output: 0 when everything written to it went out, else
// the error (errno) that lost something.
int standardOutputError();

}  // namespace common

#endif  // COMMON_OUTPUT_FILE_H_
