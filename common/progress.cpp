#include "common/progress.h"

#include <unistd.h>

#include <cmath>

namespace common {

ProgressLine::ProgressLine(std::string_view program, double delaySeconds, std::FILE* out,
                           bool terminal)
    : program_(program),
      delay_(delaySeconds),
      out_(out),
      enabled_(terminal || (out == stderr && ::isatty(STDERR_FILENO))) {}

ProgressLine::~ProgressLine() { finish(); }

std::string ProgressLine::text(std::string_view program, double done, double total,
                               std::string_view what, double elapsed) {
  std::string line(program);
  line += ": ";
  line += what;
  if (total > 0 && done >= 0 && done <= total) {
    char part[64];
    std::snprintf(part, sizeof part, ", %d%%", static_cast<int>(100 * done / total));
    line += part;
    if (done > 0 && done < total) {
      const double left = elapsed * (total - done) / done;
      if (left < 120) {
        std::snprintf(part, sizeof part, ", %.0f s left", std::ceil(left));
      } else {
        std::snprintf(part, sizeof part, ", %.0f min left", std::ceil(left / 60));
      }
      line += part;
    }
  }
  return line;
}

void ProgressLine::show(double done, double total, std::string_view what) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  if (elapsed < delay_) return;
  // A few times a second is enough for the eye and costs nothing.
  if (drawnWidth_ > 0 && now - lastDrawn_ < std::chrono::milliseconds(200)) return;
  lastDrawn_ = now;
  const std::string line = text(program_, done, total, what, elapsed);
  // Blanks over what a longer line before left.
  const std::size_t pad = drawnWidth_ > line.size() ? drawnWidth_ - line.size() : 0;
  std::fprintf(out_, "\r%s%*s", line.c_str(), static_cast<int>(pad), "");
  std::fflush(out_);
  drawnWidth_ = line.size() + pad;
}

void ProgressLine::finish() {
  if (drawnWidth_ == 0) return;
  std::fprintf(out_, "\r%*s\r", static_cast<int>(drawnWidth_), "");
  std::fflush(out_);
  drawnWidth_ = 0;
}

}  // namespace common
