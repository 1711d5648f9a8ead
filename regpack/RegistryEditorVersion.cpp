#include "regpack/RegistryEditorVersion.h"

#include "platform/files/file_system.h"
#include "platform/version/file_version.h"
#include "platform/version/fixed_file_info.h"

namespace corvasta {

namespace {

std::string readBuild(platform::FileSystem& files, const std::string& file) {
  namespace version = platform::version;
  platform::WinError lastError = platform::WinError::Success;
  const uint32_t size = version::getFileVersionInfoSize(files, file, lastError);
  if (size == 0) return "0";
  std::string block;
  if (!version::getFileVersionInfo(files, file, size, block, lastError)) return "0";
  std::string value;
  if (!version::verQueryValue(block, "\\", value)) return "0";
  const std::optional<version::FixedFileInfo> info = version::decodeFixedFileInfo(value);
  if (!info) return "0";
  return std::to_string(info->fileVersion.revision);
}

}  // namespace

std::string GetVer(platform::FileSystem& files, const std::string& file) {
  try {
    return readBuild(files, file);
  } catch (const std::exception&) {
    // A file that cannot be read has no version to show either.
    return "0";
  }
}

}  // namespace corvasta
