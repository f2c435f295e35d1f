// Work on both cores without starting a thread for every piece: one helper
// thread waits for the next piece for as long as the object lives.
#ifndef EBP_PARALLEL_H_
#define EBP_PARALLEL_H_

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace ebp {

class ParallelFor {
 public:
  ParallelFor();
  ~ParallelFor();
  ParallelFor(const ParallelFor&) = delete;
  ParallelFor& operator=(const ParallelFor&) = delete;

  // Calls work(begin, end) over [0, count) in two parts, one on the helper
  // thread, and returns when both are done.  Small counts run here alone.
  // "work" must not throw.
  void run(long count, const std::function<void(long begin, long end)>& work);

 private:
  void helperLoop();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const std::function<void(long, long)>* work_ = nullptr;
  long begin_ = 0, end_ = 0;
  bool pending_ = false;
  bool stop_ = false;
  std::thread helper_;
};

}  // namespace ebp

#endif  // EBP_PARALLEL_H_
