#include "platform/files/file_attributes.h"

#include "platform/core/errors.h"
#include "platform/files/attribute_file.h"
#include "platform/host/host_files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

struct HostStat {
  bool isDirectory = false;
  uint64_t size = 0;
  FileTime lastAccess, lastWrite;
  std::optional<FileTime> birth;
};

HostStat hostStatOf(const host::EntryStatus& status) {
  HostStat result;
  result.isDirectory = status.kind == host::EntryKind::Directory;
  result.size = status.size;
  result.lastAccess = fileTimeFromHost(status.lastAccess);
  result.lastWrite = fileTimeFromHost(status.lastWrite);
  if (status.birth) result.birth = fileTimeFromHost(*status.birth);
  return result;
}

HostStat statHost(const fs::path& host) {
  std::optional<host::EntryStatus> status = host::entryStatus(host);
  if (!status)
    throw OsError(WinError::FileNotFound, "",
                  host.string() + ": " + winErrorText(WinError::FileNotFound));
  return hostStatOf(*status);
}

// An entry's host status, asked for when first needed: most records are
// worked out without it.
class LazyStat {
 public:
  explicit LazyStat(const fs::path& host, std::optional<HostStat> known = std::nullopt)
      : host_(host), stat_(std::move(known)) {}
  const HostStat& get() {
    if (!stat_) stat_ = statHost(host_);
    return *stat_;
  }

 private:
  const fs::path& host_;
  std::optional<HostStat> stat_;
};

ArchiveStamp stampOf(const HostStat& stat) {
  return ArchiveStamp{stat.size, stat.lastWrite};
}

// A file still has its stamp when the size is the same and the last-write time
// is within two seconds of it: hosts that cache times (FUSE) store them a little
// differently from what they first reported, and FAT keeps only even seconds.
bool stillMatches(const ArchiveStamp& stamp, const ArchiveStamp& now) {
  constexpr uint64_t kTolerance = 2 * 10000000ull;
  uint64_t a = stamp.lastWrite.value, b = now.lastWrite.value;
  return stamp.size == now.size && (a > b ? a - b : b - a) <= kTolerance;
}

// What a new entry with no record has: files carry the archive bit.
StoredAttributes defaultRecord(const HostStat& stat) {
  StoredAttributes stored;
  stored.attributes = stat.isDirectory ? 0 : kAttributeArchive;
  return stored;
}

}  // namespace

FileAttributes::FileAttributes(Machine& machine, BackendChoice choice)
    : machine_(machine), choice_(choice) {}

FileAttributes::~FileAttributes() = default;

AttributeBackend& FileAttributes::backendFor(Drive& drive) {
  fs::path root = drive.hostRoot();
  auto& slot = backends_[root];
  if (!slot) {
    std::string medium = drive.insertedMedium();
    std::string name =
        std::string(1, drive.letter()) + (medium.empty() ? "" : "-" + medium) + ".tsv";
    auto file = std::make_unique<AttributeFile>(root, machine_.stateFolder() / "attributes" / name);
    slot = makeAttributeBackend(root, std::move(file), choice_);
  }
  return *slot;
}

namespace {

// The record of an entry as it stands now, with the archive bit set again
// when the file changed on the host since the bit was cleared.
StoredAttributes currentRecord(AttributeBackend& backend, const fs::path& host, LazyStat& stat,
                               bool* changed) {
  auto stored = backend.load(host);
  if (!stored) return defaultRecord(stat.get());
  stored->attributes &= kSettableAttributes;
  bool clean = !(stored->attributes & kAttributeArchive);
  if (clean && stored->cleanStamp && !backend.hostSetsArchiveBit() && !stat.get().isDirectory &&
      !stillMatches(*stored->cleanStamp, stampOf(stat.get()))) {
    stored->attributes |= kAttributeArchive;
    stored->cleanStamp.reset();
    if (changed) *changed = true;
  }
  if (!clean || stored->attributes & kAttributeArchive) stored->cleanStamp.reset();
  return *stored;
}

}  // namespace

FileInfo FileAttributes::query(Drive& drive, const fs::path& host) {
  HostStat stat = statHost(host);
  FileInfo info;
  info.size = stat.size;
  info.times.lastAccess = stat.lastAccess;
  info.times.lastWrite = stat.lastWrite;
  info.times.creation = stat.birth.value_or(stat.lastWrite);
  uint32_t bits = 0;
  if (host != drive.hostRoot()) {
    AttributeBackend& backend = backendFor(drive);
    bool changed = false;
    LazyStat known(host, stat);
    StoredAttributes stored = currentRecord(backend, host, known, &changed);
    if (changed) {
      // Remember it, so the bit stays set even if the file returns to its old state.
      try {
        backend.save(host, stored);
      } catch (const OsError&) {
        // A read-only host still reports the right bit; it is worked out again next time.
      }
    }
    bits = stored.attributes;
    if (stored.creation) info.times.creation = *stored.creation;
  }
  if (drive.type() == DriveType::CdRom) bits |= kAttributeReadOnly;
  if (stat.isDirectory) bits |= kAttributeDirectory;
  info.attributes = bits ? bits : kAttributeNormal;
  return info;
}

void FileAttributes::set(Drive& drive, const fs::path& host, uint32_t attributes) {
  HostStat stat = statHost(host);
  if (host == drive.hostRoot()) return;  // a root folder has no attributes of its own
  AttributeBackend& backend = backendFor(drive);
  LazyStat known(host, stat);
  bool changed = false;
  const StoredAttributes current = currentRecord(backend, host, known, &changed);
  StoredAttributes stored = current;
  stored.attributes = attributes & kSettableAttributes;
  stored.cleanStamp.reset();
  if (!stat.isDirectory && !(stored.attributes & kAttributeArchive))
    stored.cleanStamp = stampOf(stat);
  // Setting what the record already holds (a restore gives most files the
  // archive bit they have) writes nothing.
  if (changed || !(stored == current)) backend.save(host, stored);
}

void FileAttributes::setTimes(Drive& drive, const fs::path& host, std::optional<FileTime> creation,
                              std::optional<FileTime> lastAccess, std::optional<FileTime> lastWrite,
                              const host::HostFile* open) {
  // By path the entry must be there; an open file vouches for itself, and its
  // status is asked for only when the record needs it.
  LazyStat before(host, open ? std::nullopt : std::optional(statHost(host)));
  // The record as it stood before the times change (its archive stamp is
  // compared with the file's state before).
  AttributeBackend* backend = host == drive.hostRoot() ? nullptr : &backendFor(drive);
  std::optional<StoredAttributes> stored;
  if (backend) stored = currentRecord(*backend, host, before, nullptr);
  if (lastAccess || lastWrite) {
    auto hostTime = [](std::optional<FileTime> time) -> std::optional<host::HostTime> {
      if (!time) return std::nullopt;
      return hostTimeFromFileTime(*time);
    };
    std::error_code error = open ? open->setTimes(hostTime(lastAccess), hostTime(lastWrite))
                                 : host::setTimes(host, hostTime(lastAccess), hostTime(lastWrite));
    if (error) throw OsError(WinError::AccessDenied, "", host.string() + ": times not set");
  }
  if (!backend) return;
  StoredAttributes updated = *stored;
  if (creation) updated.creation = *creation;
  // Setting times is not a change of content: a clear archive bit stays clear.
  if (updated.cleanStamp) updated.cleanStamp = stampOf(statHost(host));
  if (!(updated == *stored)) backend->save(host, updated);
}

void FileAttributes::created(Drive& drive, const fs::path& host, uint32_t attributes,
                             const host::EntryStatus* status) {
  HostStat stat = status ? hostStatOf(*status) : statHost(host);
  AttributeBackend& backend = backendFor(drive);
  StoredAttributes stored;
  stored.attributes = attributes & kSettableAttributes;
  if (!stat.isDirectory) stored.attributes |= kAttributeArchive;
  if (!stat.birth) stored.creation = currentFileTime();
  backend.save(host, stored);
}

void FileAttributes::modified(Drive& drive, const fs::path& host) {
  AttributeBackend& backend = backendFor(drive);
  if (backend.hostSetsArchiveBit()) return;
  // A set bit stays set whatever the file's stamp: no need to ask the host.
  if (auto stored = backend.load(host); stored && (stored->attributes & kAttributeArchive)) return;
  LazyStat stat(host, statHost(host));
  StoredAttributes stored = currentRecord(backend, host, stat, nullptr);
  if (stored.attributes & kAttributeArchive) return;
  stored.attributes |= kAttributeArchive;
  stored.cleanStamp.reset();
  backend.save(host, stored);
}

void FileAttributes::removed(Drive& drive, const fs::path& host) {
  backendFor(drive).removed(host);
}

void FileAttributes::moved(Drive& drive, const fs::path& from, const fs::path& to) {
  backendFor(drive).moved(from, to);
}

}  // namespace platform
