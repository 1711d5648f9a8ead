#include "platform/files/file_handle.h"

#include <utility>

#include "platform/core/drive.h"
#include "platform/core/errors.h"
#include "platform/files/file_attributes.h"

namespace platform {

FileHandle::FileHandle(Opened opened) : opened_(std::move(opened)) {}

FileHandle::~FileHandle() {
  close();
}

FileHandle::FileHandle(FileHandle&& other) noexcept
    : opened_(std::exchange(other.opened_, Opened{})),
      position_(other.position_),
      modified_(other.modified_) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
  if (this != &other) {
    close();
    opened_ = std::exchange(other.opened_, Opened{});
    position_ = other.position_;
    modified_ = other.modified_;
  }
  return *this;
}

void FileHandle::close() {
  if (!opened_.file.isOpen()) return;
  opened_.file.close();
  ShareTable::process().release(opened_.token);
  opened_ = Opened{};
}

void FileHandle::requireOpen() const {
  if (!opened_.file.isOpen()) throw OsError(WinError::InvalidHandle, "");
}

uint64_t FileHandle::size() const {
  requireOpen();
  std::optional<uint64_t> size = opened_.file.size();
  if (!size) throw OsError(WinError::ReadFault, opened_.winPath);
  return *size;
}

size_t FileHandle::read(void* buffer, size_t count) {
  requireOpen();
  if (!(accessAsShareBits(opened_.access) & kFileShareRead))
    throw OsError(WinError::AccessDenied, opened_.winPath);
  size_t done = 0;
  if (opened_.file.readAt(position_, buffer, count, done))
    throw OsError(WinError::ReadFault, opened_.winPath);
  position_ += done;
  return done;
}

void FileHandle::noteModified() {
  if (modified_) return;
  modified_ = true;
  opened_.attributes->modified(*opened_.drive, opened_.host);
}

void FileHandle::write(const void* data, size_t count) {
  requireOpen();
  if (!(accessAsShareBits(opened_.access) & kFileShareWrite))
    throw OsError(WinError::AccessDenied, opened_.winPath);
  if (count == 0) return;
  uint64_t oldSize = size();
  uint64_t end = position_ + count;
  if (end > oldSize) opened_.drive->checkRoomFor(oldSize, end, opened_.winPath);
  if (std::error_code error = opened_.file.writeAt(position_, data, count)) {
    // All or nothing: the file goes back to its old length. Bytes overwritten
    // inside the old length cannot be restored; the host only fails this way
    // when it runs out of space, which it does while growing.
    if (end > oldSize && opened_.file.truncate(oldSize))
      error = std::make_error_code(std::errc::io_error);
    throw OsError(
        error == std::errc::no_space_on_device ? WinError::DiskFull : WinError::WriteFault,
        opened_.winPath);
  }
  position_ = end;
  noteModified();
}

uint64_t FileHandle::seek(int64_t distance, SeekOrigin origin) {
  requireOpen();
  int64_t base = 0;
  if (origin == SeekOrigin::Current) base = static_cast<int64_t>(position_);
  if (origin == SeekOrigin::End) base = static_cast<int64_t>(size());
  if (distance < 0 && base + distance < 0) throw OsError(WinError::NegativeSeek, opened_.winPath);
  position_ = static_cast<uint64_t>(base + distance);
  return position_;
}

void FileHandle::setEndOfFile() {
  requireOpen();
  if (!(accessAsShareBits(opened_.access) & kFileShareWrite))
    throw OsError(WinError::AccessDenied, opened_.winPath);
  uint64_t oldSize = size();
  if (position_ > oldSize) opened_.drive->checkRoomFor(oldSize, position_, opened_.winPath);
  if (std::error_code error = opened_.file.truncate(position_))
    throw OsError(
        error == std::errc::no_space_on_device ? WinError::DiskFull : WinError::WriteFault,
        opened_.winPath);
  noteModified();
}

void FileHandle::setFileTime(std::optional<FileTime> creation, std::optional<FileTime> lastAccess,
                             std::optional<FileTime> lastWrite) {
  requireOpen();
  if (!(accessAsShareBits(opened_.access) & kFileShareWrite))
    throw OsError(WinError::AccessDenied, opened_.winPath);
  opened_.attributes->setTimes(*opened_.drive, opened_.host, creation, lastAccess, lastWrite,
                               &opened_.file);
}

}  // namespace platform
