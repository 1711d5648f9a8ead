#include "platform/simulators/checker_settings.h"

#include <algorithm>
#include <charconv>

#include "platform/core/codepage.h"

namespace platform {
namespace {

constexpr int kDefaultBackupCopies = 5;
constexpr int kMostBackupCopies = 99;

std::string_view trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

int backupCopiesOf(std::string_view value) {
  int copies = 0;
  auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), copies);
  if (error != std::errc() || end != value.data() + value.size()) return kDefaultBackupCopies;
  return std::clamp(copies, 1, kMostBackupCopies);
}

}  // namespace

CheckerSettings parseCheckerSettings(std::string_view text) {
  CheckerSettings settings;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    if (ansiEqualNoCase(name, "MaxBackupCopies"))
      settings.maxBackupCopies = backupCopiesOf(value);
    else if (ansiEqualNoCase(name, "BackupDirectory"))
      settings.backupDirectory = std::string(value);
  }
  return settings;
}

}  // namespace platform
