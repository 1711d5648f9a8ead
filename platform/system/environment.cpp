#include "platform/system/environment.h"

namespace platform {

namespace {

std::string userProfileOf(const MachineConfig& config, const std::string& systemDrive) {
  if (config.version == WindowsVersion::Nt4)
    return config.windowsDirectory + "\\Profiles\\" + config.userName;
  return systemDrive + "\\Documents and Settings\\" + config.userName;
}

void addWin9xVariables(const MachineConfig& config, EnvironmentStrings& env) {
  const std::string& windows = config.windowsDirectory;
  env["winbootdir"] = windows;
  env["COMSPEC"] = windows + "\\COMMAND.COM";
  env["TEMP"] = windows + "\\TEMP";
  env["TMP"] = windows + "\\TEMP";
  env["PATH"] = windows + ";" + windows + "\\COMMAND";
  env["PROMPT"] = "$p$g";
}

void addNtVariables(const MachineConfig& config, EnvironmentStrings& env) {
  const std::string& windows = config.windowsDirectory;
  std::string systemDrive = windows.substr(0, 2);
  std::string profile = userProfileOf(config, systemDrive);
  env["SystemRoot"] = windows;
  env["SystemDrive"] = systemDrive;
  env["USERNAME"] = config.userName;
  env["USERPROFILE"] = profile;
  env["COMPUTERNAME"] = config.computerName;
  env["OS"] = "Windows_NT";
  env["ComSpec"] = config.systemDirectory + "\\cmd.exe";
  env["PATH"] = config.systemDirectory + ";" + windows;
  env["HOMEDRIVE"] = profile.substr(0, 2);
  env["HOMEPATH"] = profile.substr(2);
  if (config.version == WindowsVersion::Nt4) {
    env["TEMP"] = env["TMP"] = systemDrive + "\\TEMP";
    return;
  }
  env["TEMP"] = env["TMP"] = profile + "\\Local Settings\\Temp";
  env["ALLUSERSPROFILE"] = systemDrive + "\\Documents and Settings\\All Users";
  env["APPDATA"] = profile + "\\Application Data";
}

}  // namespace

EnvironmentStrings machineEnvironment(const MachineConfig& config) {
  EnvironmentStrings env;
  env["windir"] = config.windowsDirectory;
  if (isNt(config.version))
    addNtVariables(config, env);
  else
    addWin9xVariables(config, env);
  for (const auto& [name, value] : config.environment) {
    // Replace the value but keep a given spelling of the name.
    env.erase(name);
    env[name] = value;
  }
  return env;
}

std::optional<std::string> getEnvironmentVariable(const Machine& machine, std::string_view name) {
  EnvironmentStrings env = machineEnvironment(machine.config());
  auto it = env.find(name);
  if (it == env.end()) return std::nullopt;
  return it->second;
}

std::string expandEnvironmentStrings(const EnvironmentStrings& environment, std::string_view text) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t open = text.find('%', pos);
    if (open == std::string_view::npos) break;
    size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) break;
    out.append(text.substr(pos, open - pos));
    auto it = environment.find(text.substr(open + 1, close - open - 1));
    if (it != environment.end())
      out += it->second;
    else
      out.append(text.substr(open, close - open + 1));
    pos = close + 1;
  }
  out.append(text.substr(pos));
  return out;
}

std::string expandEnvironmentStrings(const Machine& machine, std::string_view text) {
  return expandEnvironmentStrings(machineEnvironment(machine.config()), text);
}

}  // namespace platform
