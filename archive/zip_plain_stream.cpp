#include "archive/zip_plain_stream.h"

#include <algorithm>
#include <cstring>

namespace archive {

void PlainStream::pushFilled() {
  filled_.push_back(std::move(current_));
  current_ = Chunk{};
  changed_.notify_all();
}

void PlainStream::write(const uint8_t* data, size_t length) {
  while (length > 0) {
    if (!current_.data) {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return abandoned_ || filled_.size() < kMaxChunks; });
      if (abandoned_) throw Abandoned{};
      if (!spare_.empty()) {
        current_.data = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    if (!current_.data) current_.data.reset(new uint8_t[kChunkBytes]);
    size_t n = std::min(length, kChunkBytes - current_.length);
    std::memcpy(current_.data.get() + current_.length, data, n);
    current_.length += n;
    data += n;
    length -= n;
    if (current_.length == kChunkBytes) {
      std::lock_guard lock(mutex_);
      pushFilled();
    }
  }
}

void PlainStream::finish(std::exception_ptr failure) {
  std::lock_guard lock(mutex_);
  if (current_.length > 0) pushFilled();
  failure_ = failure;
  finished_ = true;
  changed_.notify_all();
}

bool PlainStream::next(Chunk& chunk) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !filled_.empty() || finished_; });
  if (filled_.empty()) {
    if (failure_) std::rethrow_exception(failure_);
    return false;
  }
  chunk = std::move(filled_.front());
  filled_.pop_front();
  changed_.notify_all();
  return true;
}

void PlainStream::recycle(Chunk chunk) {
  if (!chunk.data) return;
  std::lock_guard lock(mutex_);
  spare_.push_back(std::move(chunk.data));
}

void PlainStream::abandon() {
  std::lock_guard lock(mutex_);
  abandoned_ = true;
  filled_.clear();
  changed_.notify_all();
}

}  // namespace archive
