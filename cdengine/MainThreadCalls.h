#pragma once
// Calls a worker thread hands to the main (UI) thread: the engine's end
// events and its debug messages run there, in the order they were posted,
// when the main thread processes its messages. A worker can wait for its
// call to have run; shutting the queue down releases every waiting worker
// and drops what was not run, so destroying the engine never deadlocks.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace cdengine {

class MainThreadCalls {
 public:
  // The thread constructing the queue is the main thread.
  MainThreadCalls();

  bool onMainThread() const { return std::this_thread::get_id() == main_; }
  // Queues `call`; runs it at once when posted from the main thread.
  void post(std::function<void()> call);
  // Queues `call` and waits until it has run or the queue was shut down.
  // True when it ran. On the main thread it runs at once.
  bool postAndWait(std::function<void()> call);
  // Runs the queued calls in order (main thread only); returns how many.
  int runPending();
  // Drops the queued calls and releases every waiting worker; later posts
  // are dropped.
  void shutdown();

 private:
  struct Entry {
    std::function<void()> call;
    uint64_t ticket;
  };

  std::thread::id main_;
  std::mutex mutex_;
  std::condition_variable ran_;
  std::deque<Entry> calls_;
  uint64_t nextTicket_ = 1;
  uint64_t lastRun_ = 0;  // tickets are run in order
  bool shutDown_ = false;
};

}  // namespace cdengine
