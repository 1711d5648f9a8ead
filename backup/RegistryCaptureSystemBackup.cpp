#include "backup/RegistryCaptureSystemBackup.h"

#include "platform/core/codepage.h"
#include "platform/files/file_system.h"

namespace corvasta {

std::string newestSystemBackup(platform::FileSystem& files, const std::string& folder) {
  if (folder.empty() || !files.directoryExists(folder)) return {};
  std::string newest;
  uint64_t newestTime = 0;
  for (const platform::FindData& entry : files.findAll(folder + "rb???.cab")) {
    if (entry.attributes & platform::kAttributeDirectory) continue;
    if (platform::ansiEqualNoCase(entry.name, "rbbad.cab")) continue;
    if (newest.empty() || entry.times.lastWrite.value > newestTime) {
      newest = folder + entry.name;
      newestTime = entry.times.lastWrite.value;
    }
  }
  return newest;
}

}  // namespace corvasta
