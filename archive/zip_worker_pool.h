#pragma once
// A small pool of worker threads that prepares work items while the caller's
// thread consumes them: results come back in submission order, and the
// caller raises every event itself, so handlers never run on a worker.

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

namespace archive {

// Worker threads used when nothing else is set: the cores, at most 8.
inline unsigned defaultZipWorkers() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

template <typename Result>
class OrderedWorkerPool {
 public:
  using Job = std::function<Result()>;

  // workers == 0 runs every job on the caller's thread when it is collected.
  // capacity: jobs in flight before the caller should collect one (0: two
  // more than the workers).
  explicit OrderedWorkerPool(unsigned workers, size_t capacity = 0)
      : capacity_(capacity ? capacity : workers + 2) {
    for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { run(); });
  }
  // Jobs not yet started are dropped; running ones finish first.
  ~OrderedWorkerPool() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
      queue_.clear();
    }
    wake_.notify_all();
    for (auto& worker : workers_) worker.join();
  }
  OrderedWorkerPool(const OrderedWorkerPool&) = delete;
  OrderedWorkerPool& operator=(const OrderedWorkerPool&) = delete;

  void submit(Job job) {
    if (workers_.empty()) {
      inline_.push_back(std::move(job));
      return;
    }
    std::packaged_task<Result()> task(std::move(job));
    results_.push_back(task.get_future());
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(task));
    }
    wake_.notify_one();
  }

  // Jobs submitted and not yet collected.
  size_t pending() const { return workers_.empty() ? inline_.size() : results_.size(); }
  // How many jobs may be in flight before the caller should collect one.
  size_t capacity() const { return workers_.empty() ? 1 : capacity_; }
  bool full() const { return pending() >= capacity(); }

  // The oldest job's result; rethrows what the job threw.
  Result collect() {
    if (workers_.empty()) {
      Job job = std::move(inline_.front());
      inline_.pop_front();
      return job();
    }
    std::future<Result> result = std::move(results_.front());
    results_.pop_front();
    return result.get();
  }

 private:
  void run() {
    for (;;) {
      std::packaged_task<Result()> task;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) return;
        task = std::move(queue_.front());
        queue_.pop_front();
      }
      task();
    }
  }

  size_t capacity_;
  std::vector<std::thread> workers_;
  std::deque<std::packaged_task<Result()>> queue_;
  std::deque<std::future<Result>> results_;
  std::deque<Job> inline_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
};

}  // namespace archive
