#include "ebp/parallel.h"

namespace ebp {

ParallelFor::ParallelFor() : helper_([this] { helperLoop(); }) {}

ParallelFor::~ParallelFor() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  helper_.join();
}

void ParallelFor::helperLoop() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return pending_ || stop_; });
    if (stop_) return;
    const auto* work = work_;
    const long begin = begin_, end = end_;
    lock.unlock();
    (*work)(begin, end);
    lock.lock();
    pending_ = false;
    done_.notify_one();
  }
}

void ParallelFor::run(long count, const std::function<void(long, long)>& work) {
  if (count < 256) {
    work(0, count);
    return;
  }
  const long middle = count / 2;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    work_ = &work;
    begin_ = middle;
    end_ = count;
    pending_ = true;
  }
  wake_.notify_one();
  work(0, middle);
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return !pending_; });
}

}  // namespace ebp
