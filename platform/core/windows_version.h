#pragma once
// The Windows versions a machine can hold.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class WindowsVersion { Win95, Win98, WinMe, Nt4, Win2000, WinXp };

// "95", "98", "me", "nt4", "2000", "xp" (case-insensitive).
std::optional<WindowsVersion> parseWindowsVersion(std::string_view text);
std::string windowsVersionKey(WindowsVersion version);   // "me", "xp" ...
std::string windowsVersionName(WindowsVersion version);  // "Windows ME" ...
bool isNt(WindowsVersion version);

}  // namespace platform
