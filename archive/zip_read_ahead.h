#pragma once
// Reads entries ahead of the caller on worker threads, so testing and
// extracting use every core, and the traditional cipher (a serial chain per
// entry) runs on several entries at once. Each worker reads through its own
// handle on the archive file. Items come back in the order they were queued;
// the caller's thread raises every event and writes every file.

#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "archive/zip_file_system.h"
#include "archive/zip_format.h"
#include "archive/zip_plain_stream.h"
#include "archive/zip_read_archive.h"
#include "archive/zip_stream_ahead.h"
#include "archive/zip_worker_pool.h"

namespace archive {

// An entry's plain bytes, read whole.
struct EntryBytes {
  std::unique_ptr<uint8_t[]> data;
  size_t length = 0;
  size_t capacity = 0;
};

class EntryReadAhead {
 public:
  // Nothing: entries are read and checked only (testing). PlainBytes: entries
  // that fit in memory come back with their bytes (extracting).
  enum class Keep { Nothing, PlainBytes };

  // Archives of several parts are read on the caller's thread, as each item
  // is taken: their parts may have to be asked for.
  EntryReadAhead(OpenedArchive& archive, ZipFileSystem& fs, unsigned workers, Keep keep);
  ~EntryReadAhead();
  EntryReadAhead(const EntryReadAhead&) = delete;
  EntryReadAhead& operator=(const EntryReadAhead&) = delete;

  // Queues an entry whose password is settled. With Keep::PlainBytes the
  // entry must be one readsInMemory accepts.
  void queueEntry(int tag, const ZipEntryRecord& record, const std::string& password);
  // Queues an item with nothing to read (a folder, a skipped entry, one the
  // caller streams itself), so it keeps its place in the order.
  void queueNothing(int tag);
  // Whether large entries can be streamed ahead (queueStreamed): only when
  // the archive is one file that workers read.
  bool streamsAhead() const { return workerCount_ > 0; }
  // Queues an entry too large for memory whose password is settled: it is
  // read, inflated and checked on a thread of its own, and its item brings
  // the stream of its plain bytes.
  void queueStreamed(int tag, const ZipEntryRecord& record, const std::string& password);

  bool full() const {
    return pool_.full() || queuedBytes_ >= kMaxQueuedBytes || order_.size() >= kMaxQueuedItems;
  }
  bool empty() const { return order_.empty(); }

  struct Item {
    int tag = 0;
    EntryBytes bytes;                     // Keep::PlainBytes and a queued entry only
    std::shared_ptr<PlainStream> stream;  // queueStreamed only
    std::exception_ptr failure;
  };
  // The oldest item; rethrows the failure of its read.
  Item next();
  // Hands back the bytes of an item once they are written, so later entries
  // reuse the memory instead of faulting in fresh pages.
  void recycle(EntryBytes bytes);

 private:
  class HandleLease;
  struct Queued {
    int tag;
    ZipEntryRecord record;
    std::string password;
  };
  // Entries that fit in memory wait in batch_ and are read by one job, so
  // encrypted ones are decrypted side by side.
  void submitBatch();
  std::vector<Item> readBatch(const std::vector<Queued>& batch);
  Item readStreamed(const Queued& entry);
  EntryBytes takeBuffer(size_t length);

  // Items may run far ahead of the oldest, so one large entry does not leave
  // the other workers idle; plain bytes held are limited instead.
  static constexpr size_t kMaxQueuedItems = 64;
  static constexpr uint64_t kMaxQueuedBytes = uint64_t{64} << 20;
  static constexpr uint64_t kMaxSpareBytes = uint64_t{32} << 20;
  static constexpr size_t kBatchEntries = 64;
  static constexpr uint64_t kBatchBytes = uint64_t{16} << 20;

  OpenedArchive& archive_;
  ZipFileSystem& fs_;
  Keep keep_;
  // Where each queued item comes from, in order: true for a streamed entry.
  std::deque<bool> order_;
  std::deque<Item> streamed_;
  std::unique_ptr<StreamAhead> streamAhead_;
  uint64_t queuedBytes_ = 0;
  std::vector<Queued> batch_;
  uint64_t batchBytes_ = 0;
  std::deque<Item> ready_;
  std::mutex buffersMutex_;
  std::vector<EntryBytes> spareBuffers_;
  size_t spareBytes_ = 0;
  std::mutex handlesMutex_;
  std::vector<std::unique_ptr<ZipVolumes>> freeHandles_;
  size_t workerCount_;
  OrderedWorkerPool<std::vector<Item>> pool_;  // last: its workers stop before the handles go
};

}  // namespace archive
