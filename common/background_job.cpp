#include "common/background_job.h"

#include <utility>

namespace common {

BackgroundJob::~BackgroundJob() {
  if (thread_.joinable()) thread_.join();
}

void BackgroundJob::start(std::function<void()> job) {
  finish();
  thread_ = std::thread([this, job = std::move(job)] {
    try {
      job();
    } catch (...) {
      error_ = std::current_exception();
    }
  });
}

void BackgroundJob::finish() {
  if (thread_.joinable()) thread_.join();
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

}  // namespace common
