#include "platform/profile/profile_values.h"

#include <charconv>

#include "platform/core/codepage.h"

namespace platform {

std::string profileStringValue(std::string_view stored) {
  if (stored.size() >= 2 && stored.front() == '"' && stored.back() == '"')
    stored = stored.substr(1, stored.size() - 2);
  return std::string(stored.substr(0, kProfileValueLimit));
}

std::string profileDefaultValue(std::string_view defaultValue) {
  while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
  return std::string(defaultValue.substr(0, kProfileValueLimit));
}

std::optional<int32_t> parseProfileInt(std::string_view value) {
  while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    // Up to eight hex digits; values above 0x7FFFFFFF wrap to negative, as a
    // 32-bit hex constant does.
    std::string_view digits = value.substr(2);
    uint32_t result = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<int32_t>(result);
  }
  if (!value.empty() && value.front() == '+') {
    value.remove_prefix(1);
    if (value.empty() || value.front() == '-') return std::nullopt;
  }
  int32_t result = 0;
  auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), result, 10);
  if (ec != std::errc() || end != value.data() + value.size()) return std::nullopt;
  return result;
}

std::string readProfileString(const IniDocument& doc, std::string_view section,
                              std::string_view key, std::string_view defaultValue) {
  auto stored = doc.get(section, key);
  return stored ? profileStringValue(*stored) : profileDefaultValue(defaultValue);
}

int32_t readProfileInt(const IniDocument& doc, std::string_view section, std::string_view key,
                       int32_t defaultValue) {
  auto stored = doc.get(section, key);
  if (!stored) return defaultValue;
  return parseProfileInt(profileStringValue(*stored)).value_or(defaultValue);
}

bool readProfileBool(const IniDocument& doc, std::string_view section, std::string_view key,
                     bool defaultValue) {
  return readProfileInt(doc, section, key, defaultValue ? 1 : 0) != 0;
}

std::vector<std::string> profileSectionLines(const IniDocument& doc, std::string_view section) {
  std::vector<std::string> lines;
  bool inside = false;
  for (const auto& line : doc.lines()) {
    using Kind = IniDocument::Line::Kind;
    if (line.kind == Kind::Section) {
      // Only the first section of that name counts, as for every other read.
      if (inside) break;
      inside = ansiEqualNoCase(line.name, section);
    } else if (inside && line.kind == Kind::Key) {
      lines.push_back(line.name + "=" + line.value);
    }
  }
  return lines;
}

}  // namespace platform
