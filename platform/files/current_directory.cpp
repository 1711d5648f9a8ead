#include "platform/files/current_directory.h"

#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/host/host_files.h"

namespace platform {

namespace {

bool isAbsolute(std::string_view path) {
  return path.size() >= 2 && path[1] == ':';
}

}  // namespace

CurrentDirectory::CurrentDirectory(Machine& machine) : machine_(machine) {
  const std::string& programDir = machine.config().programDirectory;
  directory_ = programDir.empty() ? std::string("C:\\") : parseWinPath(programDir).str();
}

std::string CurrentDirectory::get() const {
  return directory_;
}

void CurrentDirectory::set(std::string_view path) {
  std::string full(path);
  if (!isAbsolute(full)) full = directory_ + (directory_.back() == '\\' ? "" : "\\") + full;
  const HostLocation location = machine_.resolve(full);
  if (!location.exists || !host::isDirectory(location.host))
    throw OsError(WinError::PathNotFound, full);
  directory_ = location.path.str();
}

}  // namespace platform
