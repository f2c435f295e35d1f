// One job at a time on a thread of its own: a block is written while the
// next one is computed.
#ifndef COMMON_BACKGROUND_JOB_H_
#define COMMON_BACKGROUND_JOB_H_

#include <exception>
#include <functional>
#include <thread>

namespace common {

class BackgroundJob {
 public:
  BackgroundJob() = default;
  // Waits for the job still running; what it threw is dropped (call finish()
  // to hear it).
  ~BackgroundJob();
  BackgroundJob(const BackgroundJob&) = delete;
  BackgroundJob& operator=(const BackgroundJob&) = delete;

  // Waits for the job before (throwing what it threw), then starts "job".
  // What "job" reads must stay as it is until the next start() or finish().
  void start(std::function<void()> job);

  // Waits for the job running; throws what it threw.
  void finish();

 private:
  std::thread thread_;
  std::exception_ptr error_;
};

}  // namespace common

#endif  // COMMON_BACKGROUND_JOB_H_
