#include "platform/core/errors.h"

namespace platform {

std::string winErrorText(WinError code) {
  switch (code) {
    case WinError::Success:
      return "The operation completed successfully.";
    case WinError::FileNotFound:
      return "The system cannot find the file specified.";
    case WinError::PathNotFound:
      return "The system cannot find the path specified.";
    case WinError::AccessDenied:
      return "Access is denied.";
    case WinError::InvalidHandle:
      return "The handle is invalid.";
    case WinError::NotSameDevice:
      return "The system cannot move the file to a different disk drive.";
    case WinError::NoMoreFiles:
      return "There are no more files.";
    case WinError::NotReady:
      return "The device is not ready.";
    case WinError::WriteFault:
      return "The system cannot write to the specified device.";
    case WinError::ReadFault:
      return "The system cannot read from the specified device.";
    case WinError::SharingViolation:
      return "The process cannot access the file because it is being used by another process.";
    case WinError::HandleDiskFull:
    case WinError::DiskFull:
      return "There is not enough space on the disk.";
    case WinError::NotSupported:
      return "The request is not supported.";
    case WinError::FileExists:
      return "The file exists.";
    case WinError::InvalidParameter:
      return "The parameter is incorrect.";
    case WinError::CallNotImplemented:
      return "This function is not supported on this system.";
    case WinError::NegativeSeek:
      return "An attempt was made to move the file pointer before the beginning of the file.";
    case WinError::InvalidName:
      return "The filename, directory name, or volume label syntax is incorrect.";
    case WinError::DirNotEmpty:
      return "The directory is not empty.";
    case WinError::AlreadyExists:
      return "Cannot create a file when that file already exists.";
    case WinError::Directory:
      return "The directory name is invalid.";
    case WinError::NotAllAssigned:
      return "Not all privileges or groups referenced are assigned to the caller.";
    case WinError::NoSuchPrivilege:
      return "A specified privilege does not exist.";
    case WinError::PrivilegeNotHeld:
      return "A required privilege is not held by the client.";
    case WinError::BadFormat:
      return "An attempt was made to load a program with an incorrect format.";
  }
  return "Unknown error " + std::to_string(static_cast<uint32_t>(code)) + ".";
}

WinError winErrorFromHost(const std::error_code& error) {
  if (error == std::errc::no_such_file_or_directory) return WinError::FileNotFound;
  if (error == std::errc::not_a_directory) return WinError::PathNotFound;
  if (error == std::errc::no_space_on_device) return WinError::DiskFull;
  if (error == std::errc::file_exists) return WinError::FileExists;
  if (error == std::errc::directory_not_empty) return WinError::DirNotEmpty;
  if (error == std::errc::cross_device_link) return WinError::NotSameDevice;
  if (error == std::errc::device_or_resource_busy) return WinError::SharingViolation;
  return WinError::AccessDenied;
}

OsError::OsError(WinError code, std::string winPath)
    : OsError(code, winPath,
              winPath.empty() ? winErrorText(code) : winPath + ": " + winErrorText(code)) {}

OsError::OsError(WinError code, std::string winPath, const std::string& message)
    : corvasta::Error(message), code_(code), path_(std::move(winPath)) {}

}  // namespace platform
