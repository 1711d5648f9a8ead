#include "platform/profile/profile_file.h"

#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/core/errors.h"
#include "platform/core/machine_state.h"

namespace platform {

namespace fs = std::filesystem;

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
  std::error_code ec;
  if (!location.exists || !fs::is_regular_file(location.host, ec)) return {};
  std::ifstream in(location.host, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return IniDocument::parse(text.str());
}

void saveProfile(const Machine& machine, std::string_view winPath, const IniDocument& doc) {
  HostLocation location;
  try {
    location = machine.resolve(winPath);
  } catch (const OsError& error) {
    failWrite(error.code(), winPath);
  }
  if (!location.parentExists) failWrite(WinError::PathNotFound, winPath);
  if (location.drive->type() == DriveType::CdRom) failWrite(WinError::AccessDenied, winPath);
  std::error_code ec;
  uint64_t oldSize = 0;
  if (location.exists) {
    if (!fs::is_regular_file(location.host, ec)) failWrite(WinError::AccessDenied, winPath);
    oldSize = fs::file_size(location.host, ec);
  }
  std::string bytes = doc.serialize("\r\n");
  try {
    location.drive->checkRoomFor(oldSize, bytes.size(), std::string(winPath));
    replaceHostFile(location.host, bytes);
  } catch (const OsError& error) {
    failWrite(error.code(), winPath);
  }
}

}  // namespace platform
