#pragma once
// Large entries (those readsInMemory refuses) read, decrypted, inflated and
// checked on a thread of their own, one after another in the order queued,
// each into a PlainStream the caller writes from. It runs beside the
// read-ahead workers, so a large entry neither keeps the caller's thread
// inflating nor holds more than a few chunks in memory.

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "archive/zip_format.h"
#include "archive/zip_plain_stream.h"
#include "archive/zip_source.h"

namespace archive {

class StreamAhead {
 public:
  // handle: this thread's own reader on the archive.
  explicit StreamAhead(std::unique_ptr<ZipVolumes> handle);
  // Abandons every stream not yet read to its end, then stops.
  ~StreamAhead();
  StreamAhead(const StreamAhead&) = delete;
  StreamAhead& operator=(const StreamAhead&) = delete;

  // Queues an entry whose password is settled.
  std::shared_ptr<PlainStream> queue(const ZipEntryRecord& record, const std::string& password);

 private:
  struct Job {
    ZipEntryRecord record;
    std::string password;
    std::shared_ptr<PlainStream> stream;
  };
  void run();

  std::unique_ptr<ZipVolumes> handle_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  std::shared_ptr<PlainStream> running_;
  bool stopping_ = false;
  std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace archive
