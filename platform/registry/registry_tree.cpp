#include "platform/registry/registry_tree.h"

#include <cctype>

namespace platform::registry {
namespace {

// Registry names are compared as Windows does: case-insensitively. For ASCII
// this is exact; other characters compare by their UTF-8 bytes.
bool sameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x < 0x80 && y < 0x80) {
      if (std::tolower(x) != std::tolower(y)) return false;
    } else if (x != y) {
      return false;
    }
  }
  return true;
}

std::string describe(const RegistryKey& a, const RegistryKey& b, const std::string& where) {
  if (!sameName(a.name, b.name)) return where + ": key name '" + a.name + "' vs '" + b.name + "'";
  std::string here = where.empty() ? a.name : where + "\\" + a.name;
  if (a.values.size() != b.values.size())
    return here + ": " + std::to_string(a.values.size()) + " values vs " +
           std::to_string(b.values.size());
  for (const auto& value : a.values) {
    const RegistryValue* other = b.findValue(value.name);
    if (!other) return here + ": value '" + value.name + "' missing";
    if (other->type != value.type) return here + ": value '" + value.name + "' type differs";
    if (other->data != value.data) return here + ": value '" + value.name + "' data differs";
  }
  if (a.subkeys.size() != b.subkeys.size())
    return here + ": " + std::to_string(a.subkeys.size()) + " subkeys vs " +
           std::to_string(b.subkeys.size());
  for (const auto& sub : a.subkeys) {
    const RegistryKey* other = b.findSubkey(sub.name);
    if (!other) return here + ": subkey '" + sub.name + "' missing";
    std::string difference = describe(sub, *other, here);
    if (!difference.empty()) return difference;
  }
  return {};
}

}  // namespace

RegistryKey* RegistryKey::findSubkey(const std::string& wanted) {
  for (auto& key : subkeys)
    if (sameName(key.name, wanted)) return &key;
  return nullptr;
}

const RegistryKey* RegistryKey::findSubkey(const std::string& wanted) const {
  return const_cast<RegistryKey*>(this)->findSubkey(wanted);
}

const RegistryValue* RegistryKey::findValue(const std::string& wanted) const {
  for (const auto& value : values)
    if (sameName(value.name, wanted)) return &value;
  return nullptr;
}

RegistryKey* RegistryKey::findPath(const std::string& path) {
  RegistryKey* key = this;
  for (const auto& part : splitKeyPath(path)) {
    key = key->findSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

const RegistryKey* RegistryKey::findPath(const std::string& path) const {
  return const_cast<RegistryKey*>(this)->findPath(path);
}

RegistryKey& RegistryKey::ensurePath(const std::string& path) {
  RegistryKey* key = this;
  for (const auto& part : splitKeyPath(path)) {
    RegistryKey* next = key->findSubkey(part);
    if (!next) {
      key->subkeys.push_back(RegistryKey{});
      next = &key->subkeys.back();
      next->name = part;
    }
    key = next;
  }
  return *key;
}

void RegistryKey::setValue(RegistryValue value) {
  for (auto& existing : values) {
    if (sameName(existing.name, value.name)) {
      existing = std::move(value);
      return;
    }
  }
  values.push_back(std::move(value));
}

std::vector<std::string> splitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

std::string describeDifference(const RegistryKey& a, const RegistryKey& b) {
  return describe(a, b, "");
}

}  // namespace platform::registry
