#include "backup/OtherFilesChecks.h"

#include <algorithm>

#include "archive/zip_scope.h"
#include "backup/ChFileList.h"
#include "platform/core/codepage.h"

namespace corvasta {

namespace {

bool isEntryFor(const std::string& entry, char sign, const std::string& path) {
  return !entry.empty() && entry[0] == sign &&
         platform::ansiEqualNoCase(std::string_view(entry).substr(1), path);
}

void removeEntries(std::vector<std::string>& files, char sign, const std::string& path) {
  std::erase_if(files, [&](const std::string& entry) { return isEntryFor(entry, sign, path); });
}

bool holdsEntry(const std::vector<std::string>& files, char sign, const std::string& path) {
  return std::any_of(files.begin(), files.end(),
                     [&](const std::string& entry) { return isEntryFor(entry, sign, path); });
}

ChFileItem* fileNamed(std::vector<ChFileItem>& items, const std::string& name) {
  for (ChFileItem& item : items)
    if (item.isFile() && platform::ansiEqualNoCase(item.name, name)) return &item;
  return nullptr;
}

}  // namespace

bool anyScopeMatch(const std::vector<std::string>& entries, const std::string& folder,
                   const std::string& path) {
  return std::any_of(entries.begin(), entries.end(), [&](const std::string& entry) {
    return archive::scopeMatches(entry, folder, path);
  });
}

void ShowChecks(std::vector<ChFileItem>& items, const std::string& folder, SelectionLists& lists) {
  for (ChFileItem& item : items) {
    if (!item.isFile()) continue;
    const std::string path = folder + item.name;
    item.checked =
        anyScopeMatch(lists.includes, folder, path) && !anyScopeMatch(lists.excludes, folder, path);
  }
  for (size_t k = 0; k < lists.files.size();) {
    const std::string& entry = lists.files[k];
    const std::string path = entry.size() > 1 ? entry.substr(1) : std::string();
    const std::string name = path.substr(archive::folderPart(path).size());
    const bool signed_ = !entry.empty() && (entry[0] == '+' || entry[0] == '-');
    if (!signed_ || name == "*" || !platform::ansiEqualNoCase(archive::folderPart(path), folder)) {
      ++k;
      continue;
    }
    ChFileItem* item = fileNamed(items, name);
    bool drop = item == nullptr;
    if (item && entry[0] == '-') {
      drop = !item->checked;
      item->checked = false;
    } else if (item) {
      drop = item->checked;
      if (!drop) item->checked = !anyScopeMatch(lists.excludes, folder, path);
    }
    if (drop)
      lists.files.erase(lists.files.begin() + static_cast<std::ptrdiff_t>(k));
    else
      ++k;
  }
}

void StoreChecks(const std::vector<ChFileItem>& items, const std::string& folder,
                 SelectionLists& lists) {
  for (const ChFileItem& item : items) {
    if (!item.isFile()) continue;
    const std::string path = folder + item.name;
    bool covered = false;
    bool excluded = false;
    for (const std::string& inclusion : lists.includes) {
      if (!archive::scopeMatches(inclusion, folder, path)) continue;
      covered = true;
      removeEntries(lists.files, '+', path);
    }
    if (covered) {
      for (const std::string& exclusion : lists.excludes) {
        if (!archive::scopeMatches(exclusion, folder, path)) continue;
        excluded = true;
        removeEntries(lists.files, '-', path);
      }
    }
    if (item.checked && covered) removeEntries(lists.files, '-', path);
    const bool coveredByMasks = covered;
    if (holdsEntry(lists.files, '+', path)) covered = true;
    if (item.checked == covered) continue;
    removeEntries(lists.files, '-', path);
    removeEntries(lists.files, '+', path);
    if (excluded) continue;
    // Only a real difference from the masks is kept: unticking a file that
    // only its "+" entry covered leaves no entry at all.
    if (!item.checked && coveredByMasks)
      lists.files.push_back("-" + path);
    else if (item.checked && !coveredByMasks)
      lists.files.push_back("+" + path);
  }
}

}  // namespace corvasta
