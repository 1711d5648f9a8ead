#include "archive/ZipReader.h"

#include <algorithm>

#include "archive/zip_file_system.h"
#include "archive/zip_folder_maker.h"
#include "archive/zip_masks.h"
#include "archive/zip_paths.h"
#include "archive/zip_plain_stream.h"
#include "archive/zip_read_ahead.h"
#include "archive/zip_read_archive.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_worker_pool.h"
#include "platform/core/codepage.h"

namespace archive {

TZipReader::TZipReader(ZipFileSystem& fileSystem) : Workers(defaultZipWorkers()), fs_(fileSystem) {}

TZipReader::~TZipReader() = default;

void TZipReader::SetZipName(const std::string& name) {
  CloseArchive();
  zipName_ = name;
}

void TZipReader::CloseArchive() {
  archive_.reset();
  entries_.clear();
  directoryRead_ = false;
  incomplete_ = false;
}

const TZipEntry& TZipReader::entry(int index) const {
  if (index < 0 || index >= EntryCount())
    throw ZipError("List index out of bounds (" + std::to_string(index) + ")");
  return entries_[static_cast<size_t>(index)];
}

TZipEntry& TZipReader::entryRef(int index) {
  entry(index);
  return entries_[static_cast<size_t>(index)];
}

bool TZipReader::requestDisk(int nextDisk, std::string& name) {
  if (!OnGetNextDisk) return false;
  OnGetNextDisk(nextDisk, name);
  return !name.empty();
}

OpenedArchive& TZipReader::openArchive() {
  if (!archive_) {
    ArchiveOpenEvents events;
    events.incomplete = [this] {
      TIncompleteMode mode = izAssumeBad;
      if (OnInCompleteZip) OnInCompleteZip(mode);
      return mode;
    };
    events.requestPart = [this](int nextDisk, std::string& name) {
      return requestDisk(nextDisk, name);
    };
    events.checkDiskLabels = MultiVolumeInfo.CheckDiskLabels;
    archive_ = OpenedArchive::open(fs_, zipName_, events);
  }
  return *archive_;
}

void TZipReader::releaseFiles() {
  if (!KeepZipOpen) archive_.reset();
}

void TZipReader::checkCancel() {
  if (!Cancel) return;
  Cancel = false;
  throw ZipUserCancel("User Cancelled");
}

void TZipReader::reportPercent(uint64_t done, uint64_t total) {
  int percent = total == 0 ? 100 : static_cast<int>(done * 100 / total);
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  if (OnTotalPercentDone) OnTotalPercentDone(percent);
}

void TZipReader::ReadDirectory() {
  CloseArchive();
  if (zipName_.empty()) throw ZipError("No archive name is set");
  OpenedArchive& archive = openArchive();
  FileTime now = fs_.toLocalTime(fs_.now());
  for (const ZipEntryRecord& record : archive.records()) {
    TZipEntry e;
    e.record = record;
    e.Name = entryFileName(record.name);
    e.Folder = entryFolder(record.name);
    e.Time = dosToFileTime(record.dosTime).value_or(now);
    e.Encrypted = record.encrypted();
    e.Size = record.uncompressedSize;
    e.Attributes = record.dosAttributes();
    entries_.push_back(std::move(e));
  }
  incomplete_ = archive.incomplete();
  directoryRead_ = true;
  releaseFiles();
}

uint64_t TZipReader::ArchiveSize() {
  return zipName_.empty() ? 0 : fileSize(fs_, zipName_);
}

std::vector<int> TZipReader::chosenEntries(Selection selection) const {
  std::vector<int> chosen;
  for (int i = 0; i < EntryCount(); ++i) {
    const TZipEntry& e = entries_[static_cast<size_t>(i)];
    bool take = false;
    if (selection == Selection::Selected) {
      take = e.Selected;
    } else if (DoAll) {
      take = true;
    } else {
      std::string full = e.Folder + e.Name;
      for (const std::string& wanted : FilesList)
        if (maskMatches(wanted, wanted.find('\\') == std::string::npos ? e.Name : full))
          take = true;
    }
    if (take) chosen.push_back(i);
  }
  return chosen;
}

bool TZipReader::resolvePassword(int index, std::string& password) {
  const ZipEntryRecord& record = entries_[static_cast<size_t>(index)].record;
  while (!passwordMatches(openArchive().volumes(), record, password)) {
    std::string newPassword;
    if (OnBadPassword) OnBadPassword(index, newPassword);
    if (newPassword.empty()) return false;
    password = newPassword;
  }
  return true;
}

bool TZipReader::passwordSettled(int index, std::string& password, EntryReadAhead& ahead,
                                 const std::function<void()>& finishOne) {
  const ZipEntryRecord& record = entries_[static_cast<size_t>(index)].record;
  if (passwordMatches(openArchive().volumes(), record, password)) return true;
  // The question comes after everything queued before this entry is done,
  // so events keep the order of the entries.
  while (!ahead.empty()) finishOne();
  return resolvePassword(index, password);
}

bool TZipReader::clearReadOnly(const std::string& target) {
  try {
    std::optional<uint32_t> attributes = fs_.attributes(target);
    if (!attributes || !(*attributes & dosattr::kReadOnly) || (*attributes & dosattr::kDirectory))
      return false;
    fs_.setAttributes(target, *attributes & ~dosattr::kReadOnly);
    return true;
  } catch (const platform::OsError&) {
    return false;  // the target's own failure is what is reported
  }
}

std::string TZipReader::arrivalName(const std::string& target) {
  const size_t slash = target.find_last_of('\\');
  const size_t name = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, name) + kArrivalPrefix + target.substr(name);
}

bool TZipReader::askRetry(int index, const std::string& target) {
  bool retry = false;
  if (OnSkippingFile) OnSkippingFile(srDestinationNotCreated, retry, index, target);
  return retry;
}

bool TZipReader::makeFoldersFor(FolderMaker& folders, int index, const std::string& target) {
  // A folder that cannot be made (a read-only drive, a file of that name)
  // skips its entry, as a file that cannot be created does: the handler is
  // told and may retry, and the other entries are still extracted.
  while (true) {
    try {
      folders.makeFor(target);
      return true;
    } catch (const platform::OsError&) {
      bool retry = false;
      if (OnSkippingFile) OnSkippingFile(srFolderNotCreated, retry, index, target);
      if (!retry) return false;
    }
  }
}

void TZipReader::removeArrival(const std::string& written) {
  try {
    if (fileExists(fs_, written)) fs_.deleteFile(written);
  } catch (const corvasta::Error&) {
    // The partial file stays under its arrival name; the target is untouched.
  }
}

bool TZipReader::writeExtracted(int index, const std::string& target, const ExtractSource& source,
                                FolderMaker& folders,
                                const std::function<void(uint64_t)>& progress) {
  const TZipEntry& e = entries_[static_cast<size_t>(index)];
  if (RecreateDirs && !makeFoldersFor(folders, index, target)) return false;
  // The entry is written beside its target and renamed into place when it is
  // whole: damage anywhere in it, a full disk or the end of the process leave
  // an existing file as it was, and never a part of the new one.
  const std::string written = arrivalName(target);
  PlainStream::Chunk chunk;
  bool more = source.stream && source.stream->next(chunk);
  FileTime stamp = fs_.toUtcTime(e.Time);
  FileTimes times{stamp, stamp, stamp};
  bool timesSet = false;
  // An existing file that already holds an entry's bytes (most of them,
  // when a damaged tree is restored) keeps its content: no second write of
  // the same bytes, no new file whose old one frees its blocks.
  bool keeping = source.bytes != nullptr;
  bool unchanged = false;
  std::unique_ptr<ZipOutputFile> out;
  bool readOnlyCleared = false;
  // Only a target that failed is looked at, so files that are not read-only
  // cost no extra question of the host.
  auto clearReadOnlyOnce = [&] {
    if (!ReplaceReadOnly || readOnlyCleared) return false;
    readOnlyCleared = true;
    return clearReadOnly(target);
  };
  while (!out) {
    try {
      if (keeping) {
        out = fs_.reopenHolding(target, source.bytes->data.get(), source.bytes->length);
        unchanged = out != nullptr;
        keeping = unchanged;
      }
      if (!out) out = fs_.create(written);
    } catch (const platform::OsError&) {
      if (keeping && clearReadOnlyOnce()) continue;
      if (!askRetry(index, target)) return false;
    }
  }
  try {
    if (unchanged) {
      // The bytes are there already.
    } else if (source.bytes) {
      if (source.bytes->length > 0) out->write(source.bytes->data.get(), source.bytes->length);
    } else if (source.stream) {
      uint64_t done = 0;
      while (more) {
        out->write(chunk.data.get(), chunk.length);
        done += chunk.length;
        source.stream->recycle(std::move(chunk));
        progress(done);
        checkCancel();
        more = source.stream->next(chunk);
      }
    } else {
      readSettledEntry(openArchive().volumes(), e.record, *source.password,
                       [&](const uint8_t* data, size_t length) { out->write(data, length); });
    }
    timesSet = out->setTimes(times);
    out->close();
  } catch (...) {
    out.reset();
    if (!unchanged) removeArrival(written);  // a file kept whole is not removed
    throw;
  }
  // A target in use or read-only refuses the rename; the handler may free it
  // (retry) or take the entry over itself.
  while (!unchanged) {
    try {
      fs_.replaceFile(written, target);
      break;
    } catch (const platform::OsError&) {
      if (clearReadOnlyOnce() || askRetry(index, target)) continue;
      removeArrival(written);
      return false;
    }
  }
  if (!timesSet) fs_.setFileTimes(target, times);
  // Created or reopened, the file has the archive attribute alone (the file
  // system's contract), which is what most entries store.
  const uint32_t stored =
      e.Attributes & (dosattr::kReadOnly | dosattr::kHidden | dosattr::kSystem | dosattr::kArchive);
  if (RetainAttributes && stored != dosattr::kArchive) fs_.setAttributes(target, stored);
  return true;
}

int TZipReader::extractEntries(Selection selection) {
  if (!directoryRead_) ReadDirectory();
  std::vector<int> chosen = chosenEntries(selection);
  ExtractPlacement placement{DestDir, RecreateDirs, RootDir};
  // Every destination is checked before anything is written.
  std::vector<std::string> targets;
  uint64_t total = 0;
  for (int index : chosen) {
    const TZipEntry& e = entries_[static_cast<size_t>(index)];
    std::string name = e.record.name;
    if (e.record.isDirectory() && namesOnlyTheRoot(name)) {
      targets.emplace_back();  // "./" of bsdtar's archives: the destination itself
    } else {
      if (e.record.isDirectory()) name.pop_back();
      targets.push_back(extractionTarget(name, placement).path);
    }
    total += e.Size;
  }
  lastPercent_ = -1;
  std::string password = Password;
  int written = 0;
  uint64_t done = 0;
  FolderMaker folders(fs_);
  // How each chosen entry is finished when its turn comes. Entries that fit
  // in memory are read ahead on the workers; larger ones stream ahead on a
  // thread of their own, or, when the archive has several parts, on this
  // thread in their turn, with the password settled for them.
  enum class Plan { Folder, Skip, FromMemory, StreamAhead, Stream };
  struct Planned {
    Plan plan = Plan::Skip;
    std::string password;
  };
  std::vector<Planned> plans(chosen.size());
  try {
    EntryReadAhead ahead(openArchive(), fs_, Workers, EntryReadAhead::Keep::PlainBytes);
    std::function<void()> finishOne = [&] {
      checkCancel();
      EntryReadAhead::Item item = ahead.next();
      // A stream not read to its end is given up, so its thread goes on.
      struct GiveUp {
        PlainStream* stream;
        ~GiveUp() {
          if (stream) stream->abandon();
        }
      } giveUp{item.stream.get()};
      size_t i = static_cast<size_t>(item.tag);
      const Planned& planned = plans[i];
      uint64_t size = entries_[static_cast<size_t>(chosen[i])].Size;
      if (planned.plan == Plan::Folder) {
        if (RecreateDirs) makeFoldersFor(folders, chosen[i], targets[i] + "\\");
      } else if (planned.plan != Plan::Skip) {
        ExtractSource source;
        if (planned.plan == Plan::FromMemory) source.bytes = &item.bytes;
        source.stream = item.stream.get();
        source.password = &planned.password;
        auto progress = [&](uint64_t part) { reportPercent(done + std::min(part, size), total); };
        if (writeExtracted(chosen[i], targets[i], source, folders, progress)) ++written;
        ahead.recycle(std::move(item.bytes));
      }
      done += size;
      reportPercent(done, total);
    };
    for (size_t i = 0; i < chosen.size(); ++i) {
      checkCancel();
      const ZipEntryRecord& record = entries_[static_cast<size_t>(chosen[i])].record;
      Planned& planned = plans[i];
      int tag = static_cast<int>(i);
      if (record.isDirectory()) {
        planned.plan = targets[i].empty() ? Plan::Skip : Plan::Folder;
      } else if (passwordSettled(chosen[i], password, ahead, finishOne)) {
        if (readsInMemory(record))
          planned.plan = Plan::FromMemory;
        else
          planned.plan = ahead.streamsAhead() ? Plan::StreamAhead : Plan::Stream;
        if (planned.plan == Plan::Stream) planned.password = password;
      }
      if (planned.plan == Plan::FromMemory)
        ahead.queueEntry(tag, record, password);
      else if (planned.plan == Plan::StreamAhead)
        ahead.queueStreamed(tag, record, password);
      else
        ahead.queueNothing(tag);
      while (ahead.full()) finishOne();
    }
    while (!ahead.empty()) finishOne();
  } catch (...) {
    releaseFiles();
    throw;
  }
  releaseFiles();
  return written;
}

int TZipReader::Extract() {
  return extractEntries(Selection::ByListOrAll);
}

int TZipReader::ExtractSelected() {
  return extractEntries(Selection::Selected);
}

bool TZipReader::TestArchive() {
  try {
    if (!directoryRead_) ReadDirectory();
    if (incomplete_) return false;
    lastPercent_ = -1;
    uint64_t total = 0, done = 0;
    for (const TZipEntry& e : entries_) total += e.Size;
    std::string password = Password;
    bool passed = true;
    {
      EntryReadAhead ahead(openArchive(), fs_, Workers, EntryReadAhead::Keep::Nothing);
      std::function<void()> finishOne = [&] {
        checkCancel();
        EntryReadAhead::Item item = ahead.next();
        done += entries_[static_cast<size_t>(item.tag)].Size;
        reportPercent(done, total);
      };
      for (int i = 0; i < EntryCount() && passed; ++i) {
        checkCancel();
        if (!passwordSettled(i, password, ahead, finishOne)) {
          passed = false;
          break;
        }
        ahead.queueEntry(i, entries_[static_cast<size_t>(i)].record, password);
        while (ahead.full()) finishOne();
      }
      while (passed && !ahead.empty()) finishOne();
    }
    releaseFiles();
    return passed;
  } catch (const ZipUserCancel&) {
    releaseFiles();
    throw;
  } catch (const corvasta::Error&) {
    releaseFiles();
    return false;
  }
}

}  // namespace archive
