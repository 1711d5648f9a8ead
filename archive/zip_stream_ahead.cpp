#include "archive/zip_stream_ahead.h"

#include "archive/zip_read_entry.h"

namespace archive {

StreamAhead::StreamAhead(std::unique_ptr<ZipVolumes> handle)
    : handle_(std::move(handle)), thread_([this] { run(); }) {}

StreamAhead::~StreamAhead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    for (Job& job : jobs_) job.stream->abandon();
    jobs_.clear();
    if (running_) running_->abandon();
  }
  wake_.notify_all();
  thread_.join();
}

std::shared_ptr<PlainStream> StreamAhead::queue(const ZipEntryRecord& record,
                                                const std::string& password) {
  auto stream = std::make_shared<PlainStream>();
  {
    std::lock_guard lock(mutex_);
    jobs_.push_back({record, password, stream});
  }
  wake_.notify_one();
  return stream;
}

void StreamAhead::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      running_ = job.stream;
    }
    PlainStream& stream = *job.stream;
    try {
      readSettledEntry(*handle_, job.record, job.password,
                       [&](const uint8_t* data, size_t length) { stream.write(data, length); });
      stream.finish(nullptr);
    } catch (const PlainStream::Abandoned&) {
      // Nobody reads this entry any more.
    } catch (...) {
      stream.finish(std::current_exception());
    }
    std::lock_guard lock(mutex_);
    running_.reset();
  }
}

}  // namespace archive
