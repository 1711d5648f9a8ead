#include "backup/SetRegister.h"

#include <algorithm>

#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

SetRegister::SetRegister(platform::Machine& machine, std::string settingsFile)
    : machine_(machine), settingsFile_(std::move(settingsFile)) {}

std::vector<RegisteredSet> SetRegister::entries() const {
  const platform::TIniFile settings(machine_, settingsFile_);
  std::vector<RegisteredSet> sets;
  for (int n = 1;; ++n) {
    const std::string key = std::to_string(n);
    std::string path = settings.ReadString(kBackupDirectories, key, "@");
    if (path == "@") break;
    sets.push_back({std::move(path), settings.ReadString(kBackupDirectories, "Short" + key, "")});
  }
  return sets;
}

std::vector<std::string> SetRegister::paths() const {
  std::vector<std::string> result;
  for (RegisteredSet& set : entries()) result.push_back(std::move(set.path));
  return result;
}

void SetRegister::write(int index, const RegisteredSet& set) {
  platform::TIniFile settings(machine_, settingsFile_);
  const std::string key = std::to_string(index);
  settings.WriteString(kBackupDirectories, key, set.path);
  settings.WriteString(kBackupDirectories, "Short" + key, set.shortPath);
}

void SetRegister::rewrite(const std::vector<RegisteredSet>& sets) {
  platform::TIniFile(machine_, settingsFile_).EraseSection(kBackupDirectories);
  for (size_t i = 0; i < sets.size(); ++i) write(static_cast<int>(i + 1), sets[i]);
}

namespace {

// Moves the entries after `from` down by one while the index stays below
// `maxNum` and a next entry exists; returns the index reached. Indexes are
// 1-based; entries beyond the one reached keep their places.
int closeGap(std::vector<RegisteredSet>& entries, int from, int maxNum) {
  int index = from;
  while (index < maxNum && index + 1 <= static_cast<int>(entries.size())) {
    entries[static_cast<size_t>(index - 1)] = entries[static_cast<size_t>(index)];
    ++index;
  }
  return index;
}

}  // namespace

RotationResult rotateRegister(const RotationInput& input) {
  RotationResult result;
  result.entries = input.entries;
  std::vector<RegisteredSet>& entries = result.entries;
  const int keep = std::max(input.keep, 0);
  int w = input.w;
  std::optional<int> replaceIndex = input.replaceIndex;
  if (input.maxNum < w) {
    const int dropped = keep + 1;
    if (dropped <= static_cast<int>(entries.size())) {
      result.removedSet = entries[static_cast<size_t>(dropped - 1)].path;
      w = closeGap(entries, dropped, input.maxNum);
      // The gap moved the later entries down: a "Replace" target among them
      // is found one place lower, and one that was dropped itself is no
      // longer registered.
      if (replaceIndex) {
        if (*replaceIndex == dropped)
          replaceIndex.reset();
        else if (*replaceIndex > dropped && *replaceIndex <= w)
          --*replaceIndex;
      }
    } else {
      w = dropped;
    }
  }
  if (replaceIndex) w = closeGap(entries, *replaceIndex, input.maxNum);
  // The register must stay contiguous: the new set never lands beyond the
  // first free key.
  w = std::clamp(w, 1, static_cast<int>(entries.size()) + 1);
  if (w == static_cast<int>(entries.size()) + 1)
    entries.push_back(input.newSet);
  else
    entries[static_cast<size_t>(w - 1)] = input.newSet;
  result.newIndex = w;
  return result;
}

int registerIndexForTarget(const std::vector<RegisteredSet>& entries, const std::string& target,
                           std::optional<int>& replaceIndex) {
  replaceIndex.reset();
  const std::string wanted = platform::ansiUpper(target);
  for (size_t i = 0; i < entries.size(); ++i)
    if (platform::ansiUpper(entries[i].path) == wanted) replaceIndex = static_cast<int>(i + 1);
  const int firstFree = static_cast<int>(entries.size()) + 1;
  return replaceIndex ? firstFree - 1 : firstFree;
}

}  // namespace corvasta
