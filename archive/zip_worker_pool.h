#pragma once
// A small pool of worker threads that prepares entries while the caller's
// thread writes them: results come back in submission order, and the caller
// raises every event itself, so handlers never run on a worker.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "archive/zip_write_archive.h"

namespace archive {

class EntryWorkerPool {
 public:
  using Job = std::function<PreparedEntry()>;

  // workers == 0 runs every job on the caller's thread when it is collected.
  explicit EntryWorkerPool(unsigned workers);
  ~EntryWorkerPool();
  EntryWorkerPool(const EntryWorkerPool&) = delete;
  EntryWorkerPool& operator=(const EntryWorkerPool&) = delete;

  void submit(Job job);
  // Jobs submitted and not yet collected.
  size_t pending() const { return workers_.empty() ? inline_.size() : results_.size(); }
  // The oldest job's result; rethrows what the job threw.
  PreparedEntry collect();
  // How many jobs may be in flight before the caller should collect one.
  size_t capacity() const { return workers_.empty() ? 1 : workers_.size() + 2; }

  static unsigned defaultWorkers();

 private:
  void run();

  std::vector<std::thread> workers_;
  std::deque<std::packaged_task<PreparedEntry()>> queue_;
  std::deque<std::future<PreparedEntry>> results_;
  std::deque<Job> inline_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stopping_ = false;
};

}  // namespace archive
