#include "platform/profile/profile_file.h"

#include "platform/core/errors.h"
#include "platform/core/machine_state.h"
#include "platform/files/file_attributes.h"
#include "platform/host/host_files.h"

namespace platform {

namespace {

[[noreturn]] void failWrite(WinError code, std::string_view winPath) {
  throw OsError(code, std::string(winPath), "Unable to write to " + std::string(winPath));
}

bool isFullPath(std::string_view name) {
  return (name.size() >= 3 && name[1] == ':' && (name[2] == '\\' || name[2] == '/')) ||
         name.substr(0, 2) == "\\\\";
}

}  // namespace

std::string profileWinPath(const Machine& machine, std::string_view fileName) {
  if (isFullPath(fileName)) return std::string(fileName);
  while (!fileName.empty() && (fileName.front() == '\\' || fileName.front() == '/'))
    fileName.remove_prefix(1);
  return machine.config().windowsDirectory + "\\" + std::string(fileName);
}

IniDocument loadProfile(const Machine& machine, std::string_view winPath) {
  HostLocation location;
  try {
    location = machine.resolve(winPath);
  } catch (const OsError&) {
    return {};
  }
  if (!location.exists || !host::isRegularFile(location.host)) return {};
  std::optional<std::string> text = host::readFile(location.host);
  if (!text) return {};
  return IniDocument::parse(*text);
}

void saveProfile(Machine& machine, std::string_view winPath, const IniDocument& doc) {
  HostLocation location;
  try {
    location = machine.resolve(winPath);
  } catch (const OsError& error) {
    failWrite(error.code(), winPath);
  }
  if (!location.parentExists) failWrite(WinError::PathNotFound, winPath);
  Drive& drive = *location.drive;
  if (drive.type() == DriveType::CdRom) failWrite(WinError::AccessDenied, winPath);
  if (location.exists && !host::isRegularFile(location.host))
    failWrite(WinError::AccessDenied, winPath);
  std::string bytes = doc.serialize("\r\n");
  try {
    FileAttributes attributes(machine);
    std::optional<FileInfo> before;
    if (location.exists) {
      before = attributes.query(drive, location.host);
      if (before->attributes & kAttributeReadOnly) failWrite(WinError::AccessDenied, winPath);
    }
    drive.checkRoomFor(before ? before->size : 0, bytes.size(), std::string(winPath));
    replaceHostFile(location.host, bytes);
    // The rename gave the host a new file: carry over what Windows keeps when
    // it rewrites a file in place.
    if (before) {
      attributes.set(drive, location.host,
                     (before->attributes & kSettableAttributes) | kAttributeArchive);
      attributes.setTimes(drive, location.host, before->times.creation, std::nullopt, std::nullopt);
    } else {
      attributes.created(drive, location.host, 0);
      machine.shortNameOf(machine.resolve(winPath));
    }
  } catch (const OsError& error) {
    failWrite(error.code(), winPath);
  }
}

}  // namespace platform
