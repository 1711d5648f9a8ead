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
  std::vector<std::string> seen;
  for (const std::string& mask : masksOf(Mask)) {
    std::vector<platform::FindData> found;
    try {
      found = files_.findAll(directory_ + mask);
    } catch (const platform::OsError&) {
      continue;
    }
    for (const platform::FindData& entry : found) {
      if (entry.name == "." || entry.name == "..") continue;
      const std::string key = platform::ansiUpper(entry.name);
      if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
      seen.push_back(key);
      const bool folder = (entry.attributes & platform::kAttributeDirectory) != 0;
      Items.push_back({entry.name, itemCaption(entry.name),
                       folder ? platform::folderIcon() : platform::fileIcon(entry.name),
                       folder ? "dir" : "file", false});
    }
  }
  if (DirLabel) *DirLabel = directory_;
  std::stable_sort(Items.begin(), Items.end(), [](const ChFileItem& a, const ChFileItem& b) {
    if (a.isFile() != b.isFile()) return !a.isFile();
    return platform::ansiUpper(a.name) < platform::ansiUpper(b.name);
  });
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
