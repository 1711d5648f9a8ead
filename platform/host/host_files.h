#pragma once
// Host file and folder operations by host path. Failures come back as
// std::error_code values of the generic category (errno values), so the
// layers above decide which Windows error each one is; nothing here throws
// for a failure of the host.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/host/host_time.h"

namespace platform::host {

enum class EntryKind { None, File, Directory, Other };

// A host file's identity, whatever name it is reached by.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t inode = 0;
  friend auto operator<=>(const FileIdentity&, const FileIdentity&) = default;
};

// What the host keeps about an entry itself (a final symbolic link is not
// followed).
struct EntryStatus {
  EntryKind kind = EntryKind::None;
  uint64_t size = 0;  // 0 for folders
  HostTime lastAccess;
  HostTime lastWrite;
  std::optional<HostTime> birth;  // when the host file system records it
  FileIdentity identity;
};

// nullopt when there is no such entry (or it cannot be examined).
std::optional<EntryStatus> entryStatus(const std::filesystem::path& path);
// True when an entry of that name exists, a dangling symbolic link included.
bool entryExists(const std::filesystem::path& path);
// These follow symbolic links, as opening the path does.
// What the path leads to; None when nothing (a dangling link included).
EntryKind kindOf(const std::filesystem::path& path);
bool isDirectory(const std::filesystem::path& path);
bool isRegularFile(const std::filesystem::path& path);
std::optional<uint64_t> fileSize(const std::filesystem::path& path);
// An identity of zeros when the path cannot be examined.
FileIdentity fileIdentity(const std::filesystem::path& path);
// The identity of the folder the path leads to; nullopt when it leads to
// no folder.
std::optional<FileIdentity> folderIdentity(const std::filesystem::path& path);
bool isEmptyDirectory(const std::filesystem::path& path);

// The path made absolute against the current directory and normalised.
std::filesystem::path absolutePath(const std::filesystem::path& path);

// The whole content of a file; nullopt when it cannot be opened or read.
std::optional<std::string> readFile(const std::filesystem::path& path);
// Creates or truncates the file and writes `bytes`.
std::error_code writeFile(const std::filesystem::path& path, std::string_view bytes);
// Adds `bytes` at the end of the file (created as needed) in one write, so
// that lines appended by two processes never interleave.
std::error_code appendFile(const std::filesystem::path& path, std::string_view bytes);
// The same for a file of lines, `line` ending in LF: a last line without its
// LF, which a process that ended in the middle of writing it leaves, is cut
// off first, so that the new line never continues a broken one.
std::error_code appendLine(const std::filesystem::path& path, std::string_view line);

// A file that records are appended to as appendFile appends them, kept open
// from one record to the next while its name still leads to it: a record
// costs one stat and one write instead of an open, a write and a close. A
// file renamed over it or removed (by another process too) is opened afresh;
// its folders are made when missing.
class AppendFile {
 public:
  explicit AppendFile(std::filesystem::path path);
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  std::error_code append(std::string_view bytes);
  // Lets the file go (it is opened again by the next append).
  void close();

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  FileIdentity identity_;
};

// Writes `bytes` to a sibling temporary file, flushes it to the disk and
// renames it over `path`: a failure leaves the old file as it was. Failures
// while writing or flushing that are not a full disk are reported as EIO.
std::error_code replaceFile(const std::filesystem::path& path, std::string_view bytes);

std::error_code removeFile(const std::filesystem::path& path);
std::error_code removeDirectory(const std::filesystem::path& path);
std::error_code renameEntry(const std::filesystem::path& from, const std::filesystem::path& to);
std::error_code makeDirectory(const std::filesystem::path& path);
// The folder and its missing parents; no error when it exists.
std::error_code makeDirectories(const std::filesystem::path& path);

// Sets the last-access and last-write times given (the others are kept).
enum class FollowLinks { No, Yes };
std::error_code setTimes(const std::filesystem::path& path, std::optional<HostTime> lastAccess,
                         std::optional<HostTime> lastWrite, FollowLinks follow = FollowLinks::No);

}  // namespace platform::host
