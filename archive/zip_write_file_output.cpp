#include "archive/zip_write_file_output.h"

#include <algorithm>

#include "archive/zip_file_system.h"
#include "archive/zip_paths.h"
#include "archive/zip_read_parts.h"

namespace archive {
namespace {

constexpr size_t kBufferSize = 1u << 20;
const char* const kUserCancelled = "User Cancelled";

bool endsWithExactZip(const std::string& name) {
  return name.size() >= 4 && name.compare(name.size() - 4, 4, ".ZIP") == 0;
}

std::string stemOf(const std::string& name) {
  return withoutExtension(name) + ".";
}

}  // namespace

BufferedFile::BufferedFile(ZipFileSystem& fs, const std::string& name)
    : file_(fs.create(name)), name_(name) {
  buffer_.reserve(kBufferSize);
}

void BufferedFile::write(const uint8_t* data, size_t length) {
  if (buffer_.size() + length > kBufferSize) {
    file_->write(buffer_.data(), buffer_.size());
    buffer_.clear();
  }
  if (length >= kBufferSize)
    file_->write(data, length);
  else
    buffer_.insert(buffer_.end(), data, data + length);
}

void BufferedFile::close() {
  if (!buffer_.empty()) file_->write(buffer_.data(), buffer_.size());
  buffer_.clear();
  file_->close();
}

void SingleFileOutput::write(const uint8_t* data, size_t length) {
  file_.write(data, length);
  offset_ += length;
}

void PartedOutput::write(const uint8_t* data, size_t length) {
  while (length > 0) {
    if (left_ == 0) nextPart();
    size_t chunk = static_cast<size_t>(std::min<uint64_t>(length, left_));
    file_->write(data, chunk);
    data += chunk;
    length -= chunk;
    left_ -= chunk;
    offset_ += chunk;
  }
}

BlockOutput::BlockOutput(ZipFileSystem& fs, const std::string& archiveName,
                         const TMultiVolumeInfo& info, DiskRequest request)
    : fs_(fs),
      stem_(stemOf(archiveName)),
      firstSize_(
          static_cast<uint64_t>(info.FirstBlockSize > 0 ? info.FirstBlockSize : info.BlockSize)),
      blockSize_(static_cast<uint64_t>(std::max<int64_t>(info.BlockSize, 1))),
      request_(std::move(request)) {
  if (firstSize_ == 0) firstSize_ = blockSize_;
  file_ = std::make_unique<BufferedFile>(fs_, partName(stem_, 1));
  parts_.push_back(file_->name());
  left_ = firstSize_;
}

void BlockOutput::nextPart() {
  file_->close();
  std::string finished = parts_.back();
  int next = static_cast<int>(parts_.size()) + 1;
  if (request_ && (!request_(next, finished) || finished.empty()))
    throw ZipUserCancel(kUserCancelled);
  parts_.back() = finished;
  // A block the handler renamed to ".ZIP" has been taken away; the next block
  // is written under that name again.
  std::string name = endsWithExactZip(finished) ? finished : partName(stem_, next);
  file_ = std::make_unique<BufferedFile>(fs_, name);
  parts_.push_back(name);
  left_ = blockSize_;
}

void BlockOutput::close() {
  file_->close();
}

SpanOutput::SpanOutput(ZipFileSystem& fs, const std::string& archiveName,
                       const TMultiVolumeInfo& info, DiskRequest request)
    : fs_(fs),
      name_(archiveName),
      root_(archiveName.substr(0, 3)),
      info_(info),
      request_(std::move(request)) {
  startDisk();
}

void SpanOutput::startDisk() {
  if (fileExists(fs_, name_)) fs_.deleteFile(name_);
  uint64_t free = fs_.freeSpace(root_);
  uint64_t reserved =
      disk_ == 0 ? static_cast<uint64_t>(std::max<int64_t>(info_.SaveOnFirstDisk, 0)) : 0;
  left_ = free > reserved ? free - reserved : 0;
  file_ = std::make_unique<BufferedFile>(fs_, name_);
  parts_.push_back(name_);
  offset_ = 0;
}

void SpanOutput::finishDisk() {
  file_->close();
  bool floppy =
      !root_.empty() && (root_[0] == 'A' || root_[0] == 'a' || root_[0] == 'B' || root_[0] == 'b');
  if (info_.WriteDiskLabels && floppy)
    fs_.setVolumeLabel(root_, diskLabel(static_cast<int>(disk_) + 1));
}

void SpanOutput::nextPart() {
  finishDisk();
  std::string finished = name_;
  if (!request_ || !request_(static_cast<int>(disk_) + 2, finished) || finished.empty())
    throw ZipUserCancel(kUserCancelled);
  ++disk_;
  startDisk();
  if (left_ == 0) throw platform::OsError(platform::WinError::DiskFull, name_);
}

void SpanOutput::keepTogether(uint64_t length) {
  if (left_ < length && offset_ > 0) nextPart();
}

void SpanOutput::close() {
  finishDisk();
}

}  // namespace archive
