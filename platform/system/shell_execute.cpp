#include "platform/system/shell_execute.h"

#include <string>

#include "platform/core/errors.h"
#include "platform/host/host_files.h"
#include "platform/system/journal.h"

namespace platform {

int shellExecute(const Machine& machine, std::string_view verb, std::string_view file,
                 std::string_view directory) {
  std::string document;
  try {
    const HostLocation location = machine.resolve(file);
    if (!location.exists || !host::isRegularFile(location.host)) return kShellExecuteFileNotFound;
    document = location.longPath;
  } catch (const OsError&) {
    return kShellExecuteFileNotFound;
  }
  std::string details = std::string(verb) + " " + document;
  if (!directory.empty()) details += " in " + std::string(directory);
  appendJournal(machine, "shell", details);
  return kShellExecuteDone;
}

}  // namespace platform
