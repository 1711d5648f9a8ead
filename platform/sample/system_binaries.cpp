#include "platform/sample/system_binaries.h"

#include <string>

#include "platform/sample/sample_files.h"

namespace platform::sample {

void addSystemBinaries(SampleTree& drive, const SampleLayout& layout,
                       std::span<const SystemBinary> binaries) {
  for (const auto& binary : binaries) {
    std::string path = binary.path;
    path = path[0] == '\\' ? path.substr(1) : layout.windowsFolder + "\\" + path;
    addSystemBinary(drive, layout, path, binary.role, binary.kilobytes * 1024);
  }
}

}  // namespace platform::sample
