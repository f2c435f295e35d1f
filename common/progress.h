// The progress line of a long batch run: on standard error, only when that
// is a terminal (scripts and pipes see nothing), redrawn in place a few times
// a second, erased when the work ends or fails, so that nothing of it stays
// between the program's real output and messages.
#ifndef COMMON_PROGRESS_H_
#define COMMON_PROGRESS_H_

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace common {

class ProgressLine {
 public:
  // "delaySeconds": nothing shows before the work has taken that long, so a
  // short run prints nothing at all.  "out" is the terminal (standard error
  // by default; a test passes another stream and says it is a terminal).
  explicit ProgressLine(std::string_view program, double delaySeconds = 0, std::FILE* out = stderr,
                        bool terminal = false);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // "done" of "total" (total 0: unknown), "what" the step in words ("level
  // 2 of 6, input 5 of 30").  Draws "PROGRAM: what, 37%, 12 s left".
  void show(double done, double total, std::string_view what);

  // Erases the line (also done by the destructor).
  void finish();

  // The line as show() draws it, for "elapsed" seconds into the work.
  static std::string text(std::string_view program, double done, double total,
                          std::string_view what, double elapsed);

 private:
  using Clock = std::chrono::steady_clock;
  std::string program_;
  double delay_;
  std::FILE* out_;
  bool enabled_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastDrawn_{};
  std::size_t drawnWidth_ = 0;
};

}  // namespace common

#endif  // COMMON_PROGRESS_H_
