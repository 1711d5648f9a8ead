#pragma once
// An open host file for reading and writing at explicit offsets; closed when
// the object goes. Failures are errno values of the generic category.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/host/host_files.h"
#include "platform/host/host_time.h"

namespace platform::host {

class HostFile {
 public:
  enum class Access { Read, ReadWrite };
  enum class Create { No, New };  // New: the file must not exist yet

  // Opens without following a final symbolic link. `error` receives the
  // reason when the result is not open.
  static HostFile open(const std::filesystem::path& path, Access access, Create create,
                       std::error_code& error);

  HostFile() = default;
  ~HostFile();
  HostFile(HostFile&& other) noexcept;
  HostFile& operator=(HostFile&& other) noexcept;
  HostFile(const HostFile&) = delete;
  HostFile& operator=(const HostFile&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  // Reads up to `count` bytes at `offset`; fewer only at the end of the file.
  std::error_code readAt(uint64_t offset, void* buffer, size_t count, size_t& done) const;
  // Writes all `count` bytes at `offset`. A host that accepts no more bytes
  // gives ENOSPC.
  std::error_code writeAt(uint64_t offset, const void* data, size_t count) const;
  std::optional<uint64_t> size() const;
  // What the host keeps about the open file (kind, size, times, identity);
  // nullopt when it cannot be examined.
  std::optional<EntryStatus> status() const;
  std::error_code truncate(uint64_t size) const;
  // fdatasync: the data written so far is on the disk when this returns.
  std::error_code syncData() const;
  // Sets the times given, keeps the others.
  std::error_code setTimes(std::optional<HostTime> lastAccess,
                           std::optional<HostTime> lastWrite) const;
  void close();

 private:
  explicit HostFile(int fd) : fd_(fd) {}
  std::error_code writeAtUncounted(uint64_t offset, const void* data, size_t count) const;
  int fd_ = -1;
};

}  // namespace platform::host
