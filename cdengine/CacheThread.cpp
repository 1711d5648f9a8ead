#include "cdengine/CacheThread.h"

#include <utility>

#include "cdengine/DiscTypes.h"
#include "platform/host/host_thread_priority.h"

namespace cdengine {

using platform::host::setCurrentThreadPriority;
using platform::host::ThreadPriority;

namespace {

constexpr uint32_t kLeastCache = 2 * 1024 * 1024;

}  // namespace

uint32_t writeUnitBytes(int discType) {
  return discType == disc::CdR || discType == disc::CdRw ? 27 * 2048 : 32 * 2048;
}

uint32_t usableCacheSize(uint32_t cacheSize) {
  return cacheSize < kLeastCache ? kLeastCache : cacheSize / 2048 * 2048;
}

TCacheThread::TCacheThread(SessionStream& stream, std::recursive_mutex& criticalSection,
                           platform::Clock& clock, uint32_t cacheSize, uint32_t unitBytes)
    : stream_(stream),
      lock_(criticalSection),
      clock_(clock),
      unit_(unitBytes),
      limit_(usableCacheSize(cacheSize) / unitBytes),
      toDeliver_(stream.totalBytes()) {}

TCacheThread::~TCacheThread() {
  stop();
}

void TCacheThread::start() {
  thread_ = std::thread([this] { run(); });
}

void TCacheThread::stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

std::string TCacheThread::error() const {
  std::lock_guard lock(lock_);
  return error_;
}

std::string TCacheThread::currentFile() const {
  std::lock_guard lock(lock_);
  return currentFile_;
}

long TCacheThread::take(WriteBlock& out) {
  std::lock_guard lock(lock_);
  if (!error_.empty()) return 0;
  if (queue_.empty()) return produced_ || finished_ ? 0 : -1;
  out = std::move(queue_.front());
  queue_.pop_front();
  queuedBytes_ -= out.length;
  toDeliver_ -= out.length;
  return static_cast<long>(out.length);
}

WriteBlock TCacheThread::freshBlock() const {
  WriteBlock block;
  block.bytes.assign(unit_, 0);
  return block;
}

void TCacheThread::run() {
  setCurrentThreadPriority(ThreadPriority::Lower);
  try {
    produce();
  } catch (const std::exception& e) {  // corvasta::Error: a source that cannot be read
    std::lock_guard lock(lock_);
    error_ = e.what();
  }
  primed_ = true;
  finished_ = true;
}

// The stream already pads every file to whole sectors and the track with
// zeros up to its size (at least 300 sectors with the post-gap), so the
// blocks are simply the stream cut into write units.
void TCacheThread::produce() {
  WriteBlock staging = freshBlock();
  while (!stop_) {
    const size_t n = stream_.read(staging.bytes.data() + staging.length, unit_ - staging.length);
    {
      std::lock_guard lock(lock_);
      const auto& files = stream_.delivered();
      if (!files.empty()) currentFile_ = files.back().sourcePath;
    }
    staging.length += n;
    if (n == 0 || staging.length == unit_) {
      if (staging.length > 0) enqueue(std::exchange(staging, freshBlock()));
      if (n == 0) break;
      waitForRoom();
      adjustPriority();
    }
  }
  std::lock_guard lock(lock_);
  produced_ = true;
}

void TCacheThread::enqueue(WriteBlock block) {
  std::lock_guard lock(lock_);
  queuedBytes_ += block.length;
  queue_.push_back(std::move(block));
}

void TCacheThread::waitForRoom() {
  auto size = [this] {
    std::lock_guard lock(lock_);
    return queue_.size();
  };
  if (size() + 1 < limit_) return;
  primed_ = true;
  setCurrentThreadPriority(ThreadPriority::Idle);
  while (!stop_ && size() + 1 >= limit_) clock_.sleepMs(1);
}

void TCacheThread::adjustPriority() {
  size_t fill = 0;
  {
    std::lock_guard lock(lock_);
    fill = queue_.size();
  }
  if (fill < limit_ / 4)
    setCurrentThreadPriority(ThreadPriority::Normal);
  else if (fill < limit_ / 2)
    setCurrentThreadPriority(ThreadPriority::Lower);
  else
    setCurrentThreadPriority(ThreadPriority::Lowest);
}

}  // namespace cdengine
