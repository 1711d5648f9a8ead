#include "tests/support/registry_editor_file.h"

#include "platform/sample/windows_binaries.h"

namespace testing_support {

void writeRegistryEditor(platform::FileSystem& files, platform::version::FileVersion version,
                         std::string path) {
  if (path.empty()) path = files.machine().config().windowsDirectory + "\\REGEDIT.EXE";
  const std::string image = platform::sample::registryEditorImage(version);
  platform::FileHandle handle = files.createFile(path, platform::kGenericWrite, 0,
                                                 platform::CreationDisposition::CreateAlways);
  handle.write(image.data(), image.size());
}

}  // namespace testing_support
