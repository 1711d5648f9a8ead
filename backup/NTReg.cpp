#include "backup/NTReg.h"

#include "platform/core/errors.h"
#include "platform/registry/registry_tree.h"

namespace corvasta {

using platform::HKEY;
using platform::WinError;

namespace {

constexpr uint32_t kReducedAccess =
    platform::KEY_READ | platform::KEY_CREATE_SUB_KEY | platform::KEY_SET_VALUE;

}  // namespace

TNTRegistry::TNTRegistry(platform::LiveRegistry& registry) : registry_(registry) {}

TNTRegistry::~TNTRegistry() {
  closeKey();
}

void TNTRegistry::setRootKey(HKEY root) {
  closeKey();
  root_ = root;
}

HKEY TNTRegistry::baseOf(const std::string& path, std::string& rest) const {
  bool fromRoot = !path.empty() && path[0] == '\\';
  rest = fromRoot ? path.substr(1) : path;
  return fromRoot || current_ == 0 ? root_ : current_;
}

WinError TNTRegistry::openWithFallbacks(HKEY base, const std::string& rest, HKEY& result) {
  WinError error = WinError::AccessDenied;
  for (uint32_t access : {platform::KEY_ALL_ACCESS, kReducedAccess, platform::KEY_READ}) {
    error = registry_.openKeyEx(base, rest, 0, access, result);
    if (error == WinError::Success) break;
  }
  return error;
}

bool TNTRegistry::openKey(const std::string& path, bool canCreate) {
  std::string rest;
  HKEY base = baseOf(path, rest);
  bool relative = base == current_ && current_ != 0;
  HKEY opened = 0;
  WinError error = WinError::AccessDenied;
  if (canCreate) {
    for (uint32_t access : {platform::KEY_ALL_ACCESS, kReducedAccess}) {
      error = registry_.createKeyEx(base, rest, 0, access, opened);
      if (error == WinError::Success) break;
    }
  } else {
    error = openWithFallbacks(base, rest, opened);
  }
  if (error != WinError::Success) return false;
  std::string newPath = relative && !rest.empty() ? currentPath_ + "\\" + rest
                        : relative                ? currentPath_
                                                  : rest;
  closeKey();
  current_ = opened;
  currentPath_ = std::move(newPath);
  return true;
}

std::string TNTRegistry::readString(const std::string& name) {
  uint32_t type = 0;
  std::vector<uint8_t> data;
  HKEY key = current_ ? current_ : root_;
  if (registry_.queryValueEx(key, name, type, data) != WinError::Success) return "";
  if (type != platform::registry::kRegSz && type != platform::registry::kRegExpandSz)
    throw Error("Invalid data type for '" + name + "'");
  std::string text(data.begin(), data.end());
  return text.substr(0, text.find('\0'));
}

std::vector<std::string> TNTRegistry::valueNames() {
  std::vector<std::string> names;
  registry_.enumValueNames(current_ ? current_ : root_, names);
  return names;
}

void TNTRegistry::closeKey() {
  if (current_) registry_.closeKey(current_);
  current_ = 0;
  currentPath_.clear();
}

bool TNTRegistry::saveKey(const std::string& path, const std::string& file) {
  std::string rest;
  HKEY base = baseOf(path, rest);
  HKEY key = 0;
  WinError error = openWithFallbacks(base, rest, key);
  for (uint32_t access : {platform::KEY_QUERY_VALUE, platform::KEY_SET_VALUE}) {
    if (error == WinError::Success) break;
    error = registry_.openKeyEx(base, rest, platform::REG_OPTION_BACKUP_RESTORE, access, key);
  }
  if (error != WinError::Success) return false;
  bool saved = registry_.saveKey(key, file) == WinError::Success;
  registry_.closeKey(key);
  return saved;
}

bool TNTRegistry::replaceKey(const std::string& path, const std::string& newFile,
                             const std::string& oldFile) {
  std::string rest;
  HKEY base = baseOf(path, rest);
  return registry_.replaceKey(base, rest, newFile, oldFile) == WinError::Success;
}

}  // namespace corvasta
