#include "regpack/UndoCopies.h"

#include "app/core/Core.h"
#include "platform/cabinet/cabinet_read.h"
#include "platform/files/file_system.h"
#include "platform/registry/win9x_registry_read.h"

namespace corvasta {

namespace {

bool readsAsRegistry(platform::FileSystem& files, const std::string& path) {
  try {
    const std::string bytes = platform::readMachineFile(files, path);
    platform::registry::readWin9xRegistry(reinterpret_cast<const uint8_t*>(bytes.data()),
                                          bytes.size());
    return true;
  } catch (const corvasta::Error&) {
    return false;
  }
}

}  // namespace

UndoCopies FindUndoCopies(Core& core, bool withClasses) {
  platform::FileSystem& files = core.env.files;
  const std::string& w = core.loc.windowsDir;
  UndoCopies found;
  std::vector<std::string> names{"system", "user"};
  if (withClasses) names.push_back("classes");
  for (const std::string& name : names) {
    UndoCopy copy{w + name + ".zzz", w + name + ".dat", ""};
    if (found.windowsFault.empty() && !readsAsRegistry(files, copy.copy))
      found.windowsFault = copy.copy;
    found.windows.push_back(copy);
  }

  const std::string profiles = w + "Profiles\\";
  if (!files.directoryExists(profiles)) return found;
  for (const platform::FindData& entry : files.findAll(profiles + "*.*")) {
    if (!(entry.attributes & platform::kAttributeDirectory) || entry.name == "." ||
        entry.name == "..")
      continue;
    const std::string folder = profiles + entry.name + "\\";
    if (!files.fileExists(folder + "user.dat")) continue;
    // Without its undo copy a profile keeps the user.dat it has.
    if (!files.fileExists(folder + "user.zzz")) continue;
    if (!readsAsRegistry(files, folder + "user.zzz")) {
      found.damaged.push_back(folder + "user.zzz");
      continue;
    }
    found.profiles.push_back({folder + "user.zzz", folder + "user.dat", entry.name});
  }
  return found;
}

}  // namespace corvasta
