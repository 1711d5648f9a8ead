#include "archive/zip_worker_pool.h"

#include <algorithm>

namespace archive {

EntryWorkerPool::EntryWorkerPool(unsigned workers) {
  for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { run(); });
}

EntryWorkerPool::~EntryWorkerPool() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (auto& worker : workers_) worker.join();
}

unsigned EntryWorkerPool::defaultWorkers() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
}

void EntryWorkerPool::submit(Job job) {
  if (workers_.empty()) {
    inline_.push_back(std::move(job));
    return;
  }
  std::packaged_task<PreparedEntry()> task(std::move(job));
  results_.push_back(task.get_future());
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(task));
  }
  wake_.notify_one();
}

PreparedEntry EntryWorkerPool::collect() {
  if (workers_.empty()) {
    Job job = std::move(inline_.front());
    inline_.pop_front();
    return job();
  }
  std::future<PreparedEntry> result = std::move(results_.front());
  results_.pop_front();
  return result.get();
}

void EntryWorkerPool::run() {
  for (;;) {
    std::packaged_task<PreparedEntry()> task;
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

}  // namespace archive
