#include "archive/zip_read_parts.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "archive/zip_error.h"
#include "archive/zip_file_system.h"
#include "archive/zip_read_directory.h"

namespace archive {
namespace {

constexpr size_t kLastPart = static_cast<size_t>(-1);
const char* const kCancelledLoading = "User canceled loading new disk.";
// How often a wrong disk is asked for again before the reading gives up, so
// that an answer given by rule (the console's answers file) cannot loop.
constexpr int kWrongDiskAsks = 10;

// Asks until the part is there or the user cancels.
std::unique_ptr<FileSource> askForPart(ZipFileSystem& fs, const PartRequest& request, int disk,
                                       std::string name) {
  for (;;) {
    std::string wanted = name;
    if (!request(disk, wanted) || wanted.empty()) throw ZipUserCancel(kCancelledLoading);
    if (fileExists(fs, wanted)) return std::make_unique<FileSource>(fs.openRead(wanted), wanted);
  }
}

// FNV-1a of a piece's bytes.
uint64_t fingerprintOf(FileSource& source) {
  uint64_t hash = 14695981039346656037ull;
  std::vector<uint8_t> chunk(64 * 1024);
  for (uint64_t at = 0; at < source.size(); at += chunk.size()) {
    const size_t length = static_cast<size_t>(std::min<uint64_t>(chunk.size(), source.size() - at));
    source.readAt(at, chunk.data(), length);
    for (size_t i = 0; i < length; ++i) hash = (hash ^ chunk[i]) * 1099511628211ull;
  }
  return hash;
}

}  // namespace

std::optional<std::pair<std::string, int>> numberedPart(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || name.size() - dot != 4) return std::nullopt;
  int number = 0;
  for (size_t i = dot + 1; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return std::nullopt;
    number = number * 10 + (name[i] - '0');
  }
  return std::make_pair(name.substr(0, dot + 1), number);
}

std::string partName(const std::string& stem, int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  return stem + digits;
}

std::string diskLabel(int diskNumber) {
  char label[16];
  std::snprintf(label, sizeof label, "PKBACK# %03d", diskNumber);
  return label;
}

BlockSetSource::BlockSetSource(ZipFileSystem& fs, PartRequest request,
                               std::unique_ptr<FileSource> lastPart, uint64_t lastStart,
                               std::string archiveName, bool numbered)
    : fs_(fs),
      request_(std::move(request)),
      archiveName_(std::move(archiveName)),
      numbered_(numbered),
      lastName_(lastPart->name()),
      lastStart_(lastStart),
      lastSize_(lastPart->size()),
      open_(std::move(lastPart)),
      openIndex_(kLastPart) {
  if (!numbered_) lastFingerprint_ = fingerprintOf(*open_);
}

std::string BlockSetSource::nameOf(int number) const {
  if (!numbered_) return archiveName_;
  return partName(numberedPart(archiveName_)->first, number);
}

FileSource& BlockSetSource::partSource(size_t index) {
  if (open_ && openIndex_ == index) return *open_;
  bool last = index == kLastPart;
  const std::string& name = last ? lastName_ : parts_[index].name;
  uint64_t expected = last ? lastSize_ : parts_[index].size;
  int disk = last ? 0 : static_cast<int>(index) + 1;
  open_.reset();
  std::unique_ptr<FileSource> source;
  if (numbered_ && fileExists(fs_, name))
    source = std::make_unique<FileSource>(fs_.openRead(name), name);
  else
    source = askForPart(fs_, request_, disk, name);
  if (source->size() != expected)
    throw ZipCorruptError(source->name() + " is not the part of the archive that was read before");
  open_ = std::move(source);
  openIndex_ = index;
  return *open_;
}

void BlockSetSource::discoverNext() {
  int number = static_cast<int>(parts_.size()) + 1;
  uint64_t start = parts_.empty() ? 0 : parts_.back().start + parts_.back().size;
  std::string name = nameOf(number);
  open_.reset();
  if (numbered_ && fileExists(fs_, name))
    open_ = std::make_unique<FileSource>(fs_.openRead(name), name);
  else
    open_ = askForPart(fs_, request_, number, name);
  uint64_t size = open_->size();
  if (size == 0 || start + size > lastStart_ ||
      (!numbered_ && size == lastSize_ && fingerprintOf(*open_) == lastFingerprint_))
    throw ZipCorruptError("The parts of the archive " + archiveName_ + " do not fit together");
  parts_.push_back({open_->name(), start, size});
  openIndex_ = parts_.size() - 1;
}

void BlockSetSource::readAt(uint64_t offset, void* buffer, size_t length) {
  if (offset > size() || length > size() - offset)
    throw ZipCorruptError("Archive data ends early", offset);
  auto* out = static_cast<uint8_t*>(buffer);
  while (length > 0) {
    size_t index = kLastPart;
    uint64_t start = lastStart_, end = lastStart_ + lastSize_;
    if (offset < lastStart_) {
      while (parts_.empty() || parts_.back().start + parts_.back().size <= offset) discoverNext();
      for (index = 0; parts_[index].start + parts_[index].size <= offset; ++index) {
      }
      start = parts_[index].start;
      end = start + parts_[index].size;
    }
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(length, end - offset));
    partSource(index).readAt(offset - start, out, chunk);
    out += chunk;
    offset += chunk;
    length -= chunk;
  }
}

SpannedVolumes::SpannedVolumes(ZipFileSystem& fs, PartRequest request,
                               std::unique_ptr<FileSource> current, uint32_t currentDisk,
                               uint32_t lastDisk, bool checkLabels)
    : fs_(fs),
      request_(std::move(request)),
      current_(std::move(current)),
      name_(current_->name()),
      currentDisk_(currentDisk),
      lastDisk_(lastDisk),
      checkLabels_(checkLabels) {}

bool SpannedVolumes::labelMatches(uint32_t disk) {
  if (!checkLabels_ || name_.size() < 3) return true;
  return fs_.volumeLabel(name_.substr(0, 3)) == diskLabel(static_cast<int>(disk) + 1);
}

ZipSource& SpannedVolumes::volume(uint32_t disk) {
  if (disk > lastDisk_)
    throw ZipCorruptError("Archive refers to disk " + std::to_string(disk + 1) + " of " +
                          std::to_string(lastDisk_ + 1));
  if (current_ && disk == currentDisk_) return *current_;
  current_.reset();
  int wanted = disk == lastDisk_ ? 0 : static_cast<int>(disk) + 1;
  // A disk that cannot hold the part asked for is asked for again: nothing
  // is read from it. With label checks off, that is a disk whose own label
  // names another disk of a set, or, for any disk but the last, one whose
  // part ends with an end record (the last disk, or another archive).
  for (int asked = 0;; ++asked) {
    current_ = askForPart(fs_, request_, wanted, name_);
    if (labelMatches(disk) && couldBePart(disk)) break;
    if (asked + 1 >= kWrongDiskAsks)
      throw ZipCorruptError(name_ + " on the disk in the drive is not part " +
                            std::to_string(disk + 1) + " of the archive");
  }
  currentDisk_ = disk;
  return *current_;
}

bool SpannedVolumes::couldBePart(uint32_t disk) {
  if (name_.size() >= 3) {
    const std::string label = fs_.volumeLabel(name_.substr(0, 3));
    const std::string setLabel = diskLabel(1).substr(0, 8);  // "PKBACK# "
    if (label.size() == setLabel.size() + 3 && label.compare(0, setLabel.size(), setLabel) == 0 &&
        label != diskLabel(static_cast<int>(disk) + 1))
      return false;
  }
  return disk == lastDisk_ || !findZipEnd(*current_);
}

}  // namespace archive
