#include <cstdio>
#include <iostream>
#include <optional>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "platform/registry/regedit4.h"
#include "tools/corvasta-machine/tool_command.h"

namespace tool {
namespace {

using platform::HKEY;
using platform::LiveRegistry;
using platform::WinError;
using platform::registry::RegistryKey;

struct RootName {
  const char* full;
  const char* abbreviation;
  HKEY key;
};

constexpr RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "HKLM", platform::HKEY_LOCAL_MACHINE},
    {"HKEY_USERS", "HKU", platform::HKEY_USERS},
    {"HKEY_CURRENT_USER", "HKCU", platform::HKEY_CURRENT_USER},
    {"HKEY_CLASSES_ROOT", "HKCR", platform::HKEY_CLASSES_ROOT},
    {"HKEY_CURRENT_CONFIG", "HKCC", platform::HKEY_CURRENT_CONFIG},
};

// An open key of the live registry, closed when it goes out of scope.
class OpenedKey {
 public:
  OpenedKey(LiveRegistry& registry, const std::string& name) : registry_(registry) {
    size_t slash = name.find('\\');
    std::string root = name.substr(0, slash);
    std::string rest = slash == std::string::npos ? "" : name.substr(slash + 1);
    const RootName* found = nullptr;
    for (const auto& candidate : kRoots)
      if (platform::ansiEqualNoCase(root, candidate.full) ||
          platform::ansiEqualNoCase(root, candidate.abbreviation))
        found = &candidate;
    if (!found) throw UsageError("'" + root + "' is not a registry root key (e.g. HKLM, HKCU)");
    WinError error = registry.openKeyEx(found->key, rest, platform::REG_OPTION_BACKUP_RESTORE,
                                        platform::KEY_READ, key_);
    if (error != WinError::Success)
      throw corvasta::Error("Cannot open " + name + ": error " +
                            std::to_string(static_cast<uint32_t>(error)));
    path_ = registry.keyPath(key_).value_or(name);
  }
  ~OpenedKey() { registry_.closeKey(key_); }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  HKEY handle() const { return key_; }
  const std::string& path() const { return path_; }

 private:
  LiveRegistry& registry_;
  HKEY key_ = 0;
  std::string path_;
};

// Copies a key of the live registry with its subtree into `out` (ANSI data).
void copyKey(LiveRegistry& registry, HKEY key, RegistryKey& out) {
  std::vector<std::string> names;
  registry.enumValueNames(key, names);
  for (const auto& name : names) {
    platform::registry::RegistryValue value;
    value.name = platform::ansiToUtf8(name);
    if (registry.queryValueEx(key, name, value.type, value.data) == WinError::Success)
      out.values.push_back(std::move(value));
  }
  registry.enumKeyNames(key, names);
  for (const auto& name : names) {
    HKEY sub = 0;
    if (registry.openKeyEx(key, name, platform::REG_OPTION_BACKUP_RESTORE, platform::KEY_READ,
                           sub) != WinError::Success)
      continue;
    RegistryKey child;
    child.name = platform::ansiToUtf8(name);
    copyKey(registry, sub, child);
    registry.closeKey(sub);
    out.subkeys.push_back(std::move(child));
  }
}

const char* typeName(uint32_t type) {
  static const char* const kNames[] = {"REG_NONE",
                                       "REG_SZ",
                                       "REG_EXPAND_SZ",
                                       "REG_BINARY",
                                       "REG_DWORD",
                                       "REG_DWORD_BIG_ENDIAN",
                                       "REG_LINK",
                                       "REG_MULTI_SZ",
                                       "REG_RESOURCE_LIST",
                                       "REG_FULL_RESOURCE_DESCRIPTOR",
                                       "REG_RESOURCE_REQUIREMENTS_LIST",
                                       "REG_QWORD"};
  return type < sizeof kNames / sizeof kNames[0] ? kNames[type] : nullptr;
}

// The data as `reg query` shows it: text, multi-strings joined by "\0",
// numbers in hex, anything else as hex bytes.
std::string dataText(uint32_t type, const std::vector<uint8_t>& data) {
  using namespace platform::registry;
  if (type == kRegSz || type == kRegExpandSz) {
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
  }
  if (type == kRegMultiSz) {
    std::string text(data.begin(), data.end());
    while (!text.empty() && text.back() == '\0') text.pop_back();
    std::string shown;
    for (char c : text) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
    return shown;
  }
  if (type == kRegDword && data.size() == 4) {
    uint32_t number = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", number);
    return text;
  }
  std::string hex;
  for (uint8_t byte : data) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", byte);
    hex += text;
  }
  return hex;
}

std::string typeText(uint32_t type) {
  if (const char* name = typeName(type)) return name;
  char text[24];
  std::snprintf(text, sizeof text, "REG_0x%x", type);
  return text;
}

void printValue(LiveRegistry& registry, HKEY key, const std::string& name) {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  WinError error = registry.queryValueEx(key, name, type, data);
  if (error != WinError::Success)
    throw corvasta::Error("The value '" + name + "' cannot be read: error " +
                          std::to_string(static_cast<uint32_t>(error)));
  std::cout << "    " << (name.empty() ? "(Default)" : name) << "    " << typeText(type) << "    "
            << dataText(type, data) << "\n";
}

int runExport(LiveRegistry& registry, const std::vector<std::string>& keys) {
  std::vector<RegistryKey> copies(keys.size());
  std::vector<platform::registry::ExportRoot> roots;
  for (size_t i = 0; i < keys.size(); ++i) {
    OpenedKey key(registry, keys[i]);
    copyKey(registry, key.handle(), copies[i]);
    roots.push_back({key.path(), &copies[i], platform::registry::StringEncoding::Ansi});
  }
  std::cout << platform::registry::exportRegedit4(roots);
  return 0;
}

int runQuery(LiveRegistry& registry, const std::vector<std::string>& args) {
  OpenedKey key(registry, args[0]);
  std::cout << key.path() << "\n";
  if (args.size() == 2) {
    printValue(registry, key.handle(), args[1]);
    return 0;
  }
  std::vector<std::string> names;
  registry.enumValueNames(key.handle(), names);
  for (const auto& name : names) printValue(registry, key.handle(), name);
  registry.enumKeyNames(key.handle(), names);
  if (!names.empty()) std::cout << "\n";
  for (const auto& name : names) std::cout << key.path() << "\\" << name << "\n";
  return 0;
}

int runReg(const std::vector<std::string>& args) {
  if (args.size() < 2) throw UsageError("missing arguments");
  const std::string& action = args[1];
  std::vector<std::string> rest(args.begin() + 2, args.end());
  if (action == "export") {
    if (rest.size() > 1) throw UsageError("unexpected argument '" + rest[1] + "'");
  } else if (action == "query") {
    if (rest.empty()) throw UsageError("missing arguments");
    if (rest.size() > 2) throw UsageError("unexpected argument '" + rest[2] + "'");
  } else {
    throw UsageError("'" + action + "' is not a reg action (export or query)");
  }
  auto machine = platform::Machine::open(args[0]);
  platform::FileSystem files(*machine);
  LiveRegistry registry(*machine, files);
  // A file that cannot be read shows as an empty hive; say which one it is.
  for (const std::string& damaged : registry.damagedFiles())
    std::fprintf(stderr, "corvasta-machine: damaged registry file %s\n", damaged.c_str());
  if (action == "query") return runQuery(registry, rest);
  if (rest.empty()) return runExport(registry, {"HKEY_LOCAL_MACHINE", "HKEY_USERS"});
  return runExport(registry, rest);
}

}  // namespace

ToolCommand regCommand() {
  return {"reg", "DIR export [KEY] | DIR query KEY [VALUE]",
          "Prints the machine's registry as Windows composes it: 'export' writes REGEDIT4 "
          "text (HKEY_LOCAL_MACHINE and HKEY_USERS without KEY), 'query' a value with its type "
          "or a key's values and subkeys.",
          runReg};
}

}  // namespace tool
