#include "platform/simulators/registry_files.h"

#include "platform/cabinet/cabinet_read.h"
#include "platform/core/machine_state.h"
#include "platform/files/whole_file_write.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/registry/win9x_registry_write.h"
#include "platform/simulators/system_backups.h"

namespace platform {

registry::RegistryTree readRegistryFile(FileSystem& files, const std::string& winPath,
                                        std::string* bytes) {
  try {
    const std::string content = readMachineFile(files, winPath);
    registry::RegistryTree tree = registry::readWin9xRegistry(
        reinterpret_cast<const uint8_t*>(content.data()), content.size());
    if (bytes) *bytes = content;
    return tree;
  } catch (const corvasta::Error& e) {
    throw corvasta::Error("the registry file " + winPath + " cannot be read: " + e.what());
  }
}

void replaceRegistryFile(FileSystem& files, const std::string& winPath,
                         const std::vector<uint8_t>& bytes) {
  // The registry writes its files itself: the hives Windows holds open do
  // not stop it.
  FileSystem registryWriter(files.machine(), {.windowsStarted = false});
  writeWholeFile(registryWriter, winPath,
                 std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

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
