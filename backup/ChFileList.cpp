#include "backup/ChFileList.h"

#include <algorithm>

#include "app/core/Ui.h"
#include "backup/OtherFilesChecks.h"
#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/files/current_directory.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

std::vector<std::string> masksOf(const std::string& mask) {
  std::vector<std::string> masks;
  size_t start = 0;
  for (;;) {
    const size_t semicolon = mask.find(';', start);
    const std::string part = mask.substr(start, semicolon - start);
    if (!part.empty()) masks.push_back(part);
    if (semicolon == std::string::npos) break;
    start = semicolon + 1;
  }
  return masks;
}

// Folders first, each group by name without case; the upper-case keys are
// made once, not at every comparison.
void sortFoldersFirst(std::vector<ChFileItem>& items) {
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(items.size());
  for (size_t k = 0; k < items.size(); ++k)
    keys.emplace_back((items[k].isFile() ? "1" : "0") + platform::ansiUpper(items[k].name), k);
  std::stable_sort(keys.begin(), keys.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<ChFileItem> sorted;
  sorted.reserve(items.size());
  for (const auto& key : keys) sorted.push_back(std::move(items[key.second]));
  items = std::move(sorted);
}

}  // namespace

std::string itemCaption(const std::string& name) {
  return name == platform::ansiUpper(name) ? platform::ansiLower(name) : name;
}

int tickZoneWidth(int pixelsPerInch) {
  return pixelsPerInch > 0 ? 1536 / pixelsPerInch : 16;
}

TKTChFileList::TKTChFileList(platform::FileSystem& files, platform::CurrentDirectory& current,
                             Ui& ui)
    : files_(files), current_(current), ui_(ui) {}

void TKTChFileList::SetDirectory(const std::string& folder) {
  directory_ = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
  try {
    current_.set(directory_);
  } catch (const platform::OsError&) {
    // A folder that does not exist stays listed as empty.
  }
  ReadFolder();
}

void TKTChFileList::ReadFolder() {
  ui_.setBusyCursor(true);
  Items.clear();
  // The folder is listed once and every mask tried on each entry, as one
  // search per mask would find them, each entry once however many masks it
  // matches.
  const std::vector<std::string> masks = masksOf(Mask);
  std::vector<platform::ListedEntry> entries;
  try {
    if (!masks.empty()) entries = files_.listFolderNames(directory_);
  } catch (const platform::OsError&) {
    // a missing or unreadable folder lists nothing
  }
  for (const platform::ListedEntry& entry : entries) {
    const bool matched = std::any_of(masks.begin(), masks.end(), [&](const std::string& mask) {
      return platform::searchMatches(mask, entry.name, entry.alternateName);
    });
    if (!matched) continue;
    Items.push_back({entry.name, itemCaption(entry.name),
                     entry.directory ? platform::folderIcon() : platform::fileIcon(entry.name),
                     entry.directory ? "dir" : "file", false});
  }
  if (DirLabel) *DirLabel = directory_;
  sortFoldersFirst(Items);
  if (Lists) ShowChecks(Items, directory_, *Lists);
  ui_.setBusyCursor(false);
}

void TKTChFileList::DoubleClick(size_t item) {
  if (item >= Items.size()) return;
  const ChFileItem& chosen = Items[item];
  if (!chosen.isFile()) {
    if (OnDownOneLevel) OnDownOneLevel(directory_ + chosen.name + "\\");
  } else if (OnExecute) {
    OnExecute(chosen.name);
  }
}

}  // namespace corvasta
