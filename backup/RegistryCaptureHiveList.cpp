#include "backup/RegistryCaptureHiveList.h"

#include "platform/core/codepage.h"
#include "platform/live_registry/live_registry.h"

namespace corvasta {

namespace {

constexpr std::string_view kUsersPrefix = "\\REGISTRY\\USER";
constexpr std::string_view kMachinePrefix = "\\REGISTRY\\MACHINE";
// The character that tells "\REGISTRY\USER" from "\REGISTRY\MACHINE".
constexpr size_t kRootLetter = 10;

}  // namespace

bool hiveKeyOf(const std::string& valueName, uint32_t& rootKey, std::string& keyPath) {
  if (valueName.size() <= kRootLetter) return false;
  const bool users = platform::ansiUpper(valueName[kRootLetter]) == 'U';
  const size_t prefix = users ? kUsersPrefix.size() : kMachinePrefix.size();
  if (valueName.size() <= prefix) return false;
  rootKey = users ? platform::HKEY_USERS : platform::HKEY_LOCAL_MACHINE;
  keyPath = valueName.substr(prefix);
  return keyPath.front() == '\\';
}

std::string stripDevicePrefix(const std::string& devicePath) {
  const std::string upper = platform::ansiUpper(devicePath);
  const size_t harddisk = upper.find("\\HARDDISK");
  if (harddisk == std::string::npos) return devicePath;
  size_t start = upper.find('\\', harddisk + 1);
  if (start == std::string::npos) return devicePath;
  const size_t partition = upper.find("\\PARTITION");
  if (partition != std::string::npos && partition <= start) {
    start = upper.find('\\', partition + 1);
    if (start == std::string::npos) return devicePath;
  }
  return devicePath.substr(start);
}

}  // namespace corvasta
