#include "archive/zip_read_ahead.h"

#include "archive/zip_read_entry.h"

namespace archive {
namespace {

// Worker handles when the archive is one file, none otherwise.
std::vector<std::unique_ptr<ZipVolumes>> openHandles(OpenedArchive& archive, ZipFileSystem& fs,
                                                     unsigned workers) {
  std::vector<std::unique_ptr<ZipVolumes>> handles;
  for (unsigned i = 0; i < workers; ++i) {
    std::unique_ptr<ZipVolumes> handle = archive.openAnotherReader(fs);
    if (!handle) break;
    handles.push_back(std::move(handle));
  }
  return handles;
}

}  // namespace

// A worker's handle for one read, given back afterwards. Without worker
// handles the read runs on the caller's thread with the archive's own.
class EntryReadAhead::HandleLease {
 public:
  explicit HandleLease(EntryReadAhead& owner) : owner_(owner) {
    std::lock_guard lock(owner_.handlesMutex_);
    if (!owner_.freeHandles_.empty()) {
      handle_ = std::move(owner_.freeHandles_.back());
      owner_.freeHandles_.pop_back();
    }
  }
  ~HandleLease() {
    if (!handle_) return;
    std::lock_guard lock(owner_.handlesMutex_);
    owner_.freeHandles_.push_back(std::move(handle_));
  }
  HandleLease(const HandleLease&) = delete;
  HandleLease& operator=(const HandleLease&) = delete;
  ZipVolumes& volumes() { return handle_ ? *handle_ : owner_.archive_.volumes(); }

 private:
  EntryReadAhead& owner_;
  std::unique_ptr<ZipVolumes> handle_;
};

EntryReadAhead::EntryReadAhead(OpenedArchive& archive, ZipFileSystem& fs, unsigned workers,
                               Keep keep)
    : archive_(archive),
      fs_(fs),
      keep_(keep),
      freeHandles_(openHandles(archive, fs, workers)),
      workerCount_(freeHandles_.size()),
      pool_(static_cast<unsigned>(workerCount_), kMaxQueuedItems) {}

EntryReadAhead::~EntryReadAhead() = default;

std::vector<EntryReadAhead::Item> EntryReadAhead::readBatch(const std::vector<Queued>& batch) {
  HandleLease lease(*this);
  std::vector<Item> items(batch.size());
  std::vector<BatchedEntry> entries;
  for (size_t i = 0; i < batch.size(); ++i) {
    Item& item = items[i];
    item.tag = batch[i].tag;
    BatchedEntry entry{&batch[i].record, &batch[i].password};
    if (keep_ == Keep::PlainBytes) {
      item.bytes = takeBuffer(static_cast<size_t>(batch[i].record.uncompressedSize));
      entry.plain = item.bytes.data.get();
    }
    entries.push_back(entry);
  }
  std::exception_ptr failure;
  size_t finished = readEntryBatch(lease.volumes(), entries, failure);
  if (failure) {
    // Nothing after the failed entry is ever taken.
    items.resize(finished + 1);
    items.back().failure = failure;
  }
  return items;
}

EntryBytes EntryReadAhead::takeBuffer(size_t length) {
  {
    std::lock_guard lock(buffersMutex_);
    auto best = spareBuffers_.end();
    for (auto it = spareBuffers_.begin(); it != spareBuffers_.end(); ++it)
      if (it->capacity >= length && (best == spareBuffers_.end() || it->capacity < best->capacity))
        best = it;
    if (best != spareBuffers_.end()) {
      EntryBytes bytes = std::move(*best);
      spareBuffers_.erase(best);
      spareBytes_ -= bytes.capacity;
      bytes.length = length;
      return bytes;
    }
  }
  EntryBytes bytes;
  bytes.capacity = length;
  bytes.length = length;
  bytes.data.reset(new uint8_t[length]);
  return bytes;
}

void EntryReadAhead::recycle(EntryBytes bytes) {
  if (!bytes.data) return;
  std::lock_guard lock(buffersMutex_);
  if (spareBytes_ + bytes.capacity > kMaxSpareBytes) return;
  spareBytes_ += bytes.capacity;
  spareBuffers_.push_back(std::move(bytes));
}

EntryReadAhead::Item EntryReadAhead::readStreamed(const Queued& entry) {
  HandleLease lease(*this);
  Item item;
  item.tag = entry.tag;
  try {
    readSettledEntry(lease.volumes(), entry.record, entry.password, [](const uint8_t*, size_t) {});
  } catch (...) {
    item.failure = std::current_exception();
  }
  return item;
}

void EntryReadAhead::submitBatch() {
  if (batch_.empty()) return;
  pool_.submit([this, batch = std::move(batch_)] { return readBatch(batch); });
  batch_.clear();
  batchBytes_ = 0;
}

void EntryReadAhead::queueStreamed(int tag, const ZipEntryRecord& record,
                                   const std::string& password) {
  if (!streamsAhead()) throw ZipError("Entry \"" + record.name + "\" cannot be streamed ahead");
  if (!streamAhead_) {
    std::unique_ptr<ZipVolumes> handle = archive_.openAnotherReader(fs_);
    if (!handle) throw ZipError("Entry \"" + record.name + "\" cannot be streamed ahead");
    streamAhead_ = std::make_unique<StreamAhead>(std::move(handle));
  }
  Item item;
  item.tag = tag;
  item.stream = streamAhead_->queue(record, password);
  streamed_.push_back(std::move(item));
  order_.push_back(true);
}

void EntryReadAhead::queueEntry(int tag, const ZipEntryRecord& record,
                                const std::string& password) {
  order_.push_back(false);
  if (keep_ == Keep::PlainBytes) queuedBytes_ += record.uncompressedSize;
  if (readsInMemory(record)) {
    batch_.push_back({tag, record, password});
    batchBytes_ += record.compressedSize;
    // Only encrypted entries gain from company; the others go at once.
    if (!record.encrypted() || batch_.size() >= kBatchEntries || batchBytes_ >= kBatchBytes)
      submitBatch();
    return;
  }
  if (keep_ == Keep::PlainBytes) throw ZipError("Entry \"" + record.name + "\" is too large");
  submitBatch();
  pool_.submit([this, entry = Queued{tag, record, password}] {
    std::vector<Item> items;
    items.push_back(readStreamed(entry));
    return items;
  });
}

void EntryReadAhead::queueNothing(int tag) {
  order_.push_back(false);
  submitBatch();
  pool_.submit([tag] {
    std::vector<Item> items(1);
    items.front().tag = tag;
    return items;
  });
}

EntryReadAhead::Item EntryReadAhead::next() {
  bool streamed = order_.front();
  order_.pop_front();
  if (streamed) {
    Item item = std::move(streamed_.front());
    streamed_.pop_front();
    return item;
  }
  if (ready_.empty()) {
    if (pool_.pending() == 0) submitBatch();
    for (Item& item : pool_.collect()) ready_.push_back(std::move(item));
  }
  Item item = std::move(ready_.front());
  ready_.pop_front();
  queuedBytes_ -= item.bytes.length;
  if (item.failure) std::rethrow_exception(item.failure);
  return item;
}

}  // namespace archive
