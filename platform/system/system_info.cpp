#include "platform/system/system_info.h"

#include "platform/system/environment.h"

namespace platform {

std::string getWindowsDirectory(const Machine& machine) {
  return machine.config().windowsDirectory;
}

std::string getSystemDirectory(const Machine& machine) {
  return machine.config().systemDirectory;
}

std::string getTempPath(const Machine& machine) {
  EnvironmentStrings env = machineEnvironment(machine.config());
  std::string path = machine.config().windowsDirectory;
  std::vector<const char*> sources = {"TMP", "TEMP"};
  if (isNt(machine.version())) sources.push_back("USERPROFILE");
  for (const char* name : sources) {
    auto it = env.find(name);
    if (it != env.end() && !it->second.empty()) {
      path = it->second;
      break;
    }
  }
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

std::string getUserName(const Machine& machine) {
  return machine.config().userName;
}

std::string getComputerName(const Machine& machine) {
  return machine.config().computerName;
}

int getCleanBootMetric(const Machine& machine) {
  return machine.config().safeMode ? 1 : 0;
}

}  // namespace platform
