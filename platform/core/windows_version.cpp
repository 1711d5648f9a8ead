#include "platform/core/windows_version.h"

#include "platform/core/codepage.h"

namespace platform {
namespace {

struct VersionName {
  WindowsVersion version;
  const char* key;
  const char* name;
};

constexpr VersionName kVersions[] = {
    {WindowsVersion::Win95, "95", "Windows 95"},       {WindowsVersion::Win98, "98", "Windows 98"},
    {WindowsVersion::WinMe, "me", "Windows ME"},       {WindowsVersion::Nt4, "nt4", "Windows NT 4"},
    {WindowsVersion::Win2000, "2000", "Windows 2000"}, {WindowsVersion::WinXp, "xp", "Windows XP"},
};

const VersionName& entry(WindowsVersion version) {
  for (const auto& v : kVersions)
    if (v.version == version) return v;
  return kVersions[2];
}

}  // namespace

std::optional<WindowsVersion> parseWindowsVersion(std::string_view text) {
  for (const auto& v : kVersions)
    if (ansiEqualNoCase(text, v.key)) return v.version;
  return std::nullopt;
}

std::string windowsVersionKey(WindowsVersion version) {
  return entry(version).key;
}
std::string windowsVersionName(WindowsVersion version) {
  return entry(version).name;
}
bool isNt(WindowsVersion version) {
  return version == WindowsVersion::Nt4 || version == WindowsVersion::Win2000 ||
         version == WindowsVersion::WinXp;
}

}  // namespace platform
