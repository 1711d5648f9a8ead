#include "platform/boot/wininit_rename.h"

#include "platform/boot/boot_files.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/profile/private_profile.h"

namespace platform::boot {

void runWininit(FileSystem& files, BootLog& log) {
  Machine& machine = files.machine();
  const std::string windows = machine.config().windowsDirectory;
  const std::string wininit = windows + "\\WININIT.INI";
  if (!files.fileExists(wininit)) return;
  log.event("WININIT " + wininit);
  for (const std::string& line : getPrivateProfileSection(machine, "Rename", wininit)) {
    size_t equals = line.find('=');
    std::string destination = line.substr(0, equals);
    std::string source = equals == std::string::npos ? std::string() : line.substr(equals + 1);
    if (source.empty()) {
      log.event("WININIT: no source in line '" + line + "'");
      continue;
    }
    try {
      if (ansiEqualNoCase(destination, "NUL")) {
        deleteAtStart(files, source);
        log.event("WININIT deleted " + source);
      } else {
        moveAtStart(files, source, destination);
        log.event("WININIT moved " + source + " to " + destination);
      }
    } catch (const OsError& e) {
      log.event(std::string("WININIT could not carry out '") + line + "': " + e.what());
    }
  }
  const std::string backup = windows + "\\WININIT.BAK";
  try {
    moveAtStart(files, wininit, backup);
  } catch (const OsError& e) {
    log.event(std::string("WININIT could not rename wininit.ini: ") + e.what());
  }
}

}  // namespace platform::boot
