#include "platform/simulators/registry_compaction.h"

#include "platform/registry/win9x_registry_write.h"
#include "platform/simulators/registry_files.h"
#include "platform/simulators/system_backups.h"

namespace platform {

void compactRegistryFiles(FileSystem& files) {
  struct Rebuilt {
    std::string path;
    std::vector<uint8_t> bytes;
  };
  std::vector<Rebuilt> rebuilt;
  for (const std::string& path : backedUpRegistryFiles(files.machine())) {
    rebuilt.push_back({path, registry::writeWin9xRegistry(readRegistryFile(files, path))});
  }
  for (const Rebuilt& file : rebuilt) replaceRegistryFile(files, file.path, file.bytes);
}

}  // namespace platform
