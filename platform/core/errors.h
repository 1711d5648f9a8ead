#pragma once
// The one exception family of the program, and the Windows error codes the
// platform layer reports.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>

namespace corvasta {

// Base of every exception the program throws on purpose. The top level shows
// what() in a message box and keeps running.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace corvasta

namespace platform {

// Win32 error codes (GetLastError values) used by the layer.
enum class WinError : uint32_t {
  Success = 0,
  FileNotFound = 2,
  PathNotFound = 3,
  AccessDenied = 5,
  InvalidHandle = 6,
  NotSameDevice = 17,
  NoMoreFiles = 18,
  NotReady = 21,
  WriteFault = 29,
  ReadFault = 30,
  SharingViolation = 32,
  HandleDiskFull = 39,
  NotSupported = 50,
  FileExists = 80,
  InvalidParameter = 87,
  DiskFull = 112,
  CallNotImplemented = 120,
  InvalidName = 123,
  NegativeSeek = 131,
  DirNotEmpty = 145,
  AlreadyExists = 183,
  Directory = 267,
  NotAllAssigned = 1300,
  NoSuchPrivilege = 1313,
  PrivilegeNotHeld = 1314,
  BadFormat = 11,
};

// Text that Windows' FormatMessage gives for a code, e.g. "The system cannot
// find the file specified."
std::string winErrorText(WinError code);

// The code Windows gives where a host call failed with `error` (an errno
// value from platform/host): a missing entry is FileNotFound, a missing
// folder on the way PathNotFound, a full disk DiskFull, and so on; what has
// no closer match is AccessDenied.
WinError winErrorFromHost(const std::error_code& error);

// A failed Windows-style operation: the code, the Windows path it concerned
// and a message that names both.
class OsError : public corvasta::Error {
 public:
  OsError(WinError code, std::string winPath);
  OsError(WinError code, std::string winPath, const std::string& message);
  WinError code() const { return code_; }
  const std::string& path() const { return path_; }

 private:
  WinError code_;
  std::string path_;
};

}  // namespace platform
