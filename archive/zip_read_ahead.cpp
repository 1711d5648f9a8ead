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
      keep_(keep),
      freeHandles_(openHandles(archive, fs, workers)),
      pool_(static_cast<unsigned>(freeHandles_.size()), kMaxQueuedItems) {}

EntryReadAhead::~EntryReadAhead() = default;

void EntryReadAhead::read(const ZipEntryRecord& record, const std::string& password, Item& item) {
  HandleLease lease(*this);
  EntryReadResult result;
  if (keep_ == Keep::PlainBytes) {
    item.bytes.length = static_cast<size_t>(record.uncompressedSize);
    item.bytes.data.reset(new uint8_t[item.bytes.length]);
    result = readEntryInto(lease.volumes(), record, password, item.bytes.data.get());
  } else {
    result = readEntry(lease.volumes(), record, password, [](const uint8_t*, size_t) {});
  }
  // The caller settles the password before queuing, so this is damage.
  if (result == EntryReadResult::BadPassword)
    throw ZipCorruptError("The password of \"" + record.name + "\" no longer fits");
}

void EntryReadAhead::queueEntry(int tag, const ZipEntryRecord& record,
                                const std::string& password) {
  if (keep_ == Keep::PlainBytes) queuedBytes_ += record.uncompressedSize;
  pool_.submit([this, tag, record, password] {
    Item item;
    item.tag = tag;
    read(record, password, item);
    return item;
  });
}

void EntryReadAhead::queueNothing(int tag) {
  pool_.submit([tag] {
    Item item;
    item.tag = tag;
    return item;
  });
}

EntryReadAhead::Item EntryReadAhead::next() {
  Item item = pool_.collect();
  queuedBytes_ -= item.bytes.length;
  return item;
}

}  // namespace archive
