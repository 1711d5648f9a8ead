#include "platform/sample/original_registry.h"

#include "platform/registry/registry_tree.h"
#include "platform/registry/win9x_registry_write.h"

namespace platform::sample {
namespace {

using registry::RegistryKey;
using registry::RegistryValue;

void setString(RegistryKey& key, const std::string& name, const std::string& text) {
  RegistryValue value;
  value.name = name;
  value.type = registry::kRegSz;
  value.data.assign(text.begin(), text.end());
  value.data.push_back(0);
  key.setValue(std::move(value));
}

void setDword(RegistryKey& key, const std::string& name, uint32_t number) {
  RegistryValue value;
  value.name = name;
  value.type = registry::kRegDword;
  for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<uint8_t>(number >> (8 * i)));
  key.setValue(std::move(value));
}

}  // namespace

std::string originalWin9xRegistry(const SampleLayout& layout) {
  registry::RegistryTree tree;
  tree.stringEncoding = registry::StringEncoding::Ansi;
  RegistryKey& root = tree.root;
  for (const char* top : {"Config", "Enum", "Hardware", "Network", "Security", "Software"})
    root.ensurePath(top);

  std::string windows = "C:\\" + layout.windowsFolder;
  RegistryKey& current = root.ensurePath("Software\\Microsoft\\Windows\\CurrentVersion");
  setString(current, "ProgramFilesDir", "C:\\Program Files");
  setString(current, "CommonFilesDir", "C:\\Program Files\\Common Files");
  setString(current, "SystemRoot", windows);
  setString(current, "ProductName", layout.productName);
  setString(current, "VersionNumber", layout.versionNumber);
  setString(current, "RegisteredOwner", layout.users.front());
  setString(current, "RegisteredOrganization", "");
  setString(current, "BootCount", "1");

  RegistryKey& control = root.ensurePath("System\\CurrentControlSet\\Control");
  setDword(control, "InstallType", 1);
  setString(root.ensurePath("System\\CurrentControlSet\\Control\\ComputerName\\ComputerName"),
            "ComputerName", layout.computerName);
  setString(root.ensurePath("System\\CurrentControlSet\\Control\\SessionManager"), "SetupDir",
            windows + "\\OPTIONS\\CABS");
  setString(root.ensurePath("System\\CurrentControlSet\\Services\\VxD\\VNETSUP"), "Workgroup",
            "WORKGROUP");

  std::vector<uint8_t> bytes = registry::writeWin9xRegistry(tree);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace platform::sample
