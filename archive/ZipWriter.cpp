#include "archive/ZipWriter.h"

#include <algorithm>
#include <map>

#include "archive/zip_file_system.h"
#include "archive/zip_paths.h"
#include "archive/zip_read_archive.h"
#include "archive/zip_read_entry.h"
#include "archive/zip_unicode_path.h"
#include "archive/zip_worker_pool.h"
#include "archive/zip_write_entry.h"
#include "archive/zip_write_file_output.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

// Files up to this size are read whole and compressed on a worker; larger
// ones stream through the caller's thread in chunks.
constexpr uint64_t kWholeFileLimit = 8u << 20;
// A batch of small files for one worker: up to this many files or bytes (so
// at most a few dozen files are open ahead of the one being written).
constexpr size_t kBatchFiles = 16;
constexpr uint64_t kBatchBytes = 512u << 10;

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string storedKey(const std::string& stored) {
  return platform::ansiUpper(toWindowsSeparators(stored));
}

// Reads up to size bytes from the start of the file into buffer; fewer when
// the file shrank while it was being stored.
size_t readWhole(ZipInputFile& in, uint8_t* buffer, size_t size) {
  size_t got = 0;
  while (got < size) {
    size_t n = in.readAt(got, buffer + got, size - got);
    if (n == 0) break;
    got += n;
  }
  return got;
}

}  // namespace

TZipWriter::TZipWriter(ZipFileSystem& fileSystem) : TZipReader(fileSystem) {}

void TZipWriter::SetStoreVolumes(bool on) {
  storeVolumes_ = on;
  if (on) storePaths_ = true;
}

bool TZipWriter::askDisk(int nextDisk, std::string& name) {
  // Without a handler nobody can swap disks. That is fine where every part
  // stays on one fixed drive; spanning a removable disk would write the next
  // part over the disk still in the drive, so it stops instead.
  if (!OnGetNextDisk) return fs_.driveType(zipName_.substr(0, 3)) != DriveType::Removable;
  OnGetNextDisk(nextDisk, name);
  return !name.empty();
}

ZipEntryRecord TZipWriter::headerFor(const PendingFile& file) const {
  ZipEntryRecord header;
  header.name = file.storedName;
  header.dosTime = fileTimeToDos(fs_.toLocalTime(file.source.times.lastWrite));
  header.externalAttributes = file.source.attributes & (dosattr::kReadOnly | dosattr::kHidden |
                                                        dosattr::kSystem | dosattr::kArchive);
  return header;
}

std::shared_ptr<ZipInputFile> TZipWriter::openSource(int index, const std::string& path) {
  for (;;) {
    try {
      return fs_.openRead(path);
    } catch (const platform::OsError&) {
      bool retry = false;
      if (OnSkippingFile) OnSkippingFile(srSourceNotOpened, retry, index, path);
      if (!retry) return nullptr;
    }
  }
}

std::string TZipWriter::temporaryName(const std::string& folder) {
  std::string base = withBackslash(folder.empty() ? folderOf(zipName_) : folder);
  for (int n = 0;; ++n) {
    std::string name = base + "~zip" + std::to_string(n) + ".tmp";
    if (!fs_.attributes(name)) return name;
  }
}

void TZipWriter::copyFile(const std::string& from, const std::string& to) {
  auto in = fs_.openRead(from);
  BufferedFile out(fs_, to);
  Bytes buffer(1u << 20);
  for (uint64_t at = 0;;) {
    size_t n = in->readAt(at, buffer.data(), buffer.size());
    if (n == 0) break;
    out.write(buffer.data(), n);
    at += n;
  }
  out.close();
}

int TZipWriter::CreateArchive() {
  if (zipName_.empty()) throw ZipError("No archive name is set");
  lastPercent_ = -1;
  FileListOptions listOptions;
  listOptions.recurse = Recurse;
  listOptions.rootDir = RootDir;
  listOptions.skipIfArchiveBitNotSet = SkipIfArchiveBitNotSet;
  listOptions.excludeList = ExcludeList;
  listOptions.neverAdd = {zipName_};
  std::vector<SourceFile> files = expandFilesList(fs_, FilesList, listOptions);

  StoredPathOptions pathOptions{storePaths_, storeVolumes_};
  std::vector<PendingFile> toStore;
  std::vector<ZipEntryRecord> kept;
  bool updating = fileExists(fs_, zipName_);
  if (updating) {
    ReadDirectory();
    std::map<std::string, size_t> byName;
    for (size_t i = 0; i < entries_.size(); ++i)
      byName.emplace(storedKey(entries_[i].record.name), i);
    std::vector<bool> replaced(entries_.size(), false);
    for (const SourceFile& file : files) {
      std::string stored = storedName(file.path, pathOptions);
      auto found = byName.find(storedKey(stored));
      if (found != byName.end()) {
        // DOS date/time values order chronologically as plain numbers.
        uint32_t fileTime = fileTimeToDos(fs_.toLocalTime(file.times.lastWrite));
        if (entries_[found->second].record.dosTime >= fileTime) continue;
        replaced[found->second] = true;
      }
      toStore.push_back({file, stored});
    }
    for (size_t i = 0; i < entries_.size(); ++i)
      if (!replaced[i]) kept.push_back(entries_[i].record);
  } else {
    for (const SourceFile& file : files)
      toStore.push_back({file, storedName(file.path, pathOptions)});
  }
  if (toStore.empty()) {
    CloseArchive();
    return 0;
  }
  WriteResult result = writeArchive(kept, toStore, MultiVolumeInfo.MultiMode);
  if (ResetArchiveBitOnZip) clearArchiveBits(result.storedPaths);
  return result.stored;
}

void TZipWriter::RenameEntry(int index, const std::string& newPath) {
  if (!directoryRead_) ReadDirectory();
  entry(index);
  std::vector<ZipEntryRecord> records;
  for (const TZipEntry& e : entries_) records.push_back(e.record);
  records[static_cast<size_t>(index)].name = storedName(newPath, {storePaths_, storeVolumes_});
  writeArchive(records, {}, mmNone);
}

TZipWriter::WriteResult TZipWriter::writeArchive(const std::vector<ZipEntryRecord>& kept,
                                                 const std::vector<PendingFile>& toStore,
                                                 TMultiMode mode) {
  if (mode == mmSpan && fs_.driveType(zipName_.substr(0, 3)) != DriveType::Removable) mode = mmNone;
  std::string oldCopy;
  if (!kept.empty() && mode == mmSpan) {
    // The disks are about to be swapped: read the old entries from a copy.
    if (openArchive().volumes().lastDisk() > 0)
      throw ZipError("The spanned archive " + zipName_ + " cannot be updated");
    oldCopy = temporaryName(TempPath.empty() ? RootDir : TempPath);
    archive_.reset();
    copyFile(zipName_, oldCopy);
    ArchiveOpenEvents events;
    archive_ = OpenedArchive::open(fs_, oldCopy, events);
  }
  if (!kept.empty()) openArchive();

  DiskRequest request = [this](int nextDisk, std::string& name) { return askDisk(nextDisk, name); };
  std::unique_ptr<ZipOutput> output;
  std::string tempName;
  PartedOutput* parted = nullptr;
  if (mode == mmBlocks) {
    auto blocks = std::make_unique<BlockOutput>(fs_, zipName_, MultiVolumeInfo, request);
    parted = blocks.get();
    output = std::move(blocks);
  } else if (mode == mmSpan) {
    auto span = std::make_unique<SpanOutput>(fs_, zipName_, MultiVolumeInfo, request);
    parted = span.get();
    output = std::move(span);
  } else {
    tempName = temporaryName(TempPath);
    output = std::make_unique<SingleFileOutput>(fs_, tempName);
  }

  bool namesBeyondAscii =
      std::any_of(kept.begin(), kept.end(),
                  [](const ZipEntryRecord& r) { return needsUnicodePath(r.name); }) ||
      std::any_of(toStore.begin(), toStore.end(),
                  [](const PendingFile& f) { return needsUnicodePath(f.storedName); });
  WriteResult result;
  Bytes table;
  try {
    ZipArchiveWriter writer(*output, namesBeyondAscii);
    uint64_t total = 0, done = 0;
    for (const ZipEntryRecord& record : kept) total += record.compressedSize;
    for (const PendingFile& file : toStore) total += file.source.size;
    for (const ZipEntryRecord& record : kept) {
      checkCancel();
      writer.addCopied(record, openEntryData(archive_->volumes(), record));
      done += record.compressedSize;
      reportPercent(done, total);
    }
    storeFiles(writer, toStore, result, done, total);
    table = writer.finish();
    if (parted)
      parted->close();
    else
      static_cast<SingleFileOutput&>(*output).close();
  } catch (...) {
    output.reset();
    archive_.reset();
    std::vector<std::string> leftovers =
        parted ? std::vector<std::string>{} : std::vector{tempName};
    if (!oldCopy.empty()) leftovers.push_back(oldCopy);
    for (const std::string& name : leftovers) {
      try {
        if (fileExists(fs_, name)) fs_.deleteFile(name);
      } catch (const corvasta::Error&) {
        // Cleaning up must not hide the failure that stopped the archive.
      }
    }
    throw;
  }
  archive_.reset();
  if (!oldCopy.empty()) fs_.deleteFile(oldCopy);

  std::vector<std::string> parts = parted ? parted->parts() : std::vector<std::string>{};
  std::string finalName = zipName_;
  if (!parted) {
    if (fileExists(fs_, zipName_)) fs_.deleteFile(zipName_);
    fs_.moveFile(tempName, zipName_);
  } else if (mode == mmBlocks && parts.size() == 1) {
    if (fileExists(fs_, zipName_)) fs_.deleteFile(zipName_);
    fs_.moveFile(parts.front(), zipName_);
  } else if (mode == mmBlocks) {
    // The blocks replace an archive of the archive's own name.
    if (fileExists(fs_, zipName_) &&
        std::none_of(parts.begin(), parts.end(), [&](const std::string& part) {
          return platform::ansiEqualNoCase(part, zipName_);
        }))
      fs_.deleteFile(zipName_);
    finalName = parts.back();
  }
  if (parts.size() > 1 && MultiVolumeInfo.SaveZipInfoOnFirstDisk) saveTableOfContents(parts, table);
  CloseArchive();
  zipName_ = finalName;
  return result;
}

void TZipWriter::storeFiles(ZipArchiveWriter& writer, const std::vector<PendingFile>& toStore,
                            WriteResult& result, uint64_t& done, uint64_t total) {
  // Small files go to the workers in batches: one hand-over per file cost
  // more than compressing the smallest ones.
  struct SmallFile {
    std::shared_ptr<ZipInputFile> in;
    ZipEntryRecord header;
    uint64_t size;
  };
  OrderedWorkerPool<std::vector<PreparedEntry>> pool(Workers);
  EntryOptions options{std::clamp(PackLevel, 0, 9), Password, Workers};
  std::vector<SmallFile> batch;
  uint64_t batchBytes = 0;
  auto writeOldest = [&] {
    for (const PreparedEntry& entry : pool.collect()) {
      writer.addPrepared(entry);
      done += entry.record.uncompressedSize;
      reportPercent(done, total);
    }
  };
  auto submitBatch = [&] {
    if (batch.empty()) return;
    pool.submit([files = std::move(batch), options] {
      thread_local ScratchBuffer source;
      std::vector<PreparedEntry> entries;
      entries.reserve(files.size());
      for (const SmallFile& file : files) {
        uint8_t* data = source.reserve(static_cast<size_t>(file.size));
        size_t length = readWhole(*file.in, data, static_cast<size_t>(file.size));
        entries.push_back(prepareEntry(file.header, data, length, options));
      }
      return entries;
    });
    batch.clear();
    batchBytes = 0;
    while (pool.full()) writeOldest();
  };
  for (size_t i = 0; i < toStore.size(); ++i) {
    checkCancel();
    const PendingFile& file = toStore[i];
    std::shared_ptr<ZipInputFile> in = openSource(static_cast<int>(i), file.source.path);
    if (!in) continue;
    ZipEntryRecord header = headerFor(file);
    uint64_t size = in->size();
    if (size <= kWholeFileLimit) {
      batch.push_back({in, header, size});
      batchBytes += size;
      if (batch.size() >= kBatchFiles || batchBytes >= kBatchBytes) submitBatch();
    } else {
      submitBatch();
      while (pool.pending() > 0) writeOldest();
      uint64_t at = 0;
      streamEntry(
          writer, header, size, options,
          [&](uint8_t* buffer, size_t length) {
            checkCancel();
            size_t n = in->readAt(at, buffer, length);
            at += n;
            return n;
          },
          [&](uint64_t plainBytes) {
            done += plainBytes;
            reportPercent(done, total);
          });
    }
    ++result.stored;
    result.storedPaths.push_back(file.source.path);
  }
  submitBatch();
  while (pool.pending() > 0) writeOldest();
}

void TZipWriter::saveTableOfContents(const std::vector<std::string>& parts, const Bytes& table) {
  std::string first = parts.front();
  if (!askDisk(1, first)) throw ZipUserCancel("User Cancelled");
  std::string tableName = tableOfContentsName(first);
  std::unique_ptr<BufferedFile> out;
  try {
    if (fileExists(fs_, tableName)) fs_.deleteFile(tableName);
    out = std::make_unique<BufferedFile>(fs_, tableName);
  } catch (const corvasta::Error&) {
    if (OnMessage) OnMessage("Unable to create Zip Configuration File to disk");
  }
  if (out) {
    try {
      out->write(table.data(), table.size());
      out->close();
    } catch (const corvasta::Error&) {
      if (OnMessage) OnMessage("Unable to save Zip Configuration File to disk");
    }
  }
  std::string last = parts.back();
  askDisk(0, last);
}

void TZipWriter::clearArchiveBits(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    auto attributes = fs_.attributes(path);
    if (!attributes || !(*attributes & dosattr::kArchive)) continue;
    uint32_t cleared = *attributes & ~dosattr::kArchive;
    fs_.setAttributes(path, cleared == 0 ? dosattr::kNormal : cleared);
  }
}

}  // namespace archive
