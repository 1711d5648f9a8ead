#include "backup/OtherFilesSize.h"

#include <cmath>

#include "app/core/Ui.h"
#include "archive/zip_masks.h"
#include "archive/zip_scope.h"
#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

constexpr std::string_view kOwnFolderMarks = "|\\";

class SizeScanner {
 public:
  SizeScanner(const SizeScan& scan, std::vector<std::string> exclusions)
      : scan_(scan), exclusions_(std::move(exclusions)) {}

  void scanEntry(const std::string& entry) {
    if (entry.empty()) return;
    bool recurse = scan_.subDirectories;
    std::string pattern = entry;
    if (entry[0] == '>' || kOwnFolderMarks.find(entry[0]) != std::string_view::npos) {
      recurse = entry[0] == '>';
      pattern.erase(0, 1);
    }
    const std::string folder = archive::folderPart(pattern);
    if (folder.empty()) return;
    scanFolder(folder, pattern.substr(folder.size()), recurse);
  }

  SelectionSize size;

 private:
  void scanFolder(const std::string& folder, const std::string& name, bool recurse) {
    std::vector<platform::SizedEntry> found;
    try {
      found = scan_.files.listFolderSizes(folder);
    } catch (const platform::OsError&) {
      return;  // a missing or unreadable folder adds nothing
    }
    for (const platform::SizedEntry& entry : found) {
      scan_.ui.processMessages();
      if (entry.directory) {
        if (recurse) scanFolder(folder + entry.name + "\\", name, true);
        continue;
      }
      if (!archive::maskMatches(name, entry.name)) continue;
      const std::string path = folder + entry.name;
      if (excluded(folder, path)) continue;
      ++size.files;
      if (entry.size >= kTooBigForTotal) {
        if (scan_.tooBig) scan_.tooBig(tooBigForTotalMessage(path));
      } else {
        size.bytes += entry.size;
      }
    }
  }

  bool excluded(const std::string& folder, const std::string& path) const {
    for (const std::string& exclusion : exclusions_)
      if (archive::scopeMatches(exclusion, folder, path, kOwnFolderMarks)) return true;
    return false;
  }

  const SizeScan& scan_;
  const std::vector<std::string> exclusions_;
};

// "0.##": the value rounded to two decimals, trailing zeros dropped.
std::string twoDecimals(double value) {
  const auto hundredths = static_cast<uint64_t>(std::llround(value * 100));
  std::string text = std::to_string(hundredths / 100);
  const uint64_t fraction = hundredths % 100;
  if (fraction != 0) {
    text += "." + std::string(fraction < 10 ? "0" : "") + std::to_string(fraction);
    if (text.back() == '0') text.pop_back();
  }
  return text;
}

}  // namespace

std::string tooBigForTotalMessage(const std::string& path) {
  return path + " is too big to add to the total size.  It may also cause problems in backup.";
}

SelectionSize FindSizeofZip(const SizeScan& scan, const std::vector<std::string>& inclusions,
                            const std::vector<std::string>& chosenFiles,
                            const std::vector<std::string>& exclusions) {
  std::vector<std::string> includeSet = inclusions;
  std::vector<std::string> excludeSet = exclusions;
  for (const std::string& chosen : chosenFiles) {
    if (chosen.empty()) continue;
    if (chosen[0] == '+')
      includeSet.push_back(chosen.substr(1));
    else if (chosen[0] == '-')
      excludeSet.push_back(chosen.substr(1));
    else
      includeSet.push_back(chosen);
  }
  SizeScanner scanner(scan, std::move(excludeSet));
  for (const std::string& entry : includeSet) scanner.scanEntry(entry);
  return scanner.size;
}

std::string fileCountText(uint64_t files) {
  const std::string digits = std::to_string(files);
  std::string text;
  for (size_t k = 0; k < digits.size(); ++k) {
    if (k != 0 && (digits.size() - k) % 3 == 0) text += ',';
    text += digits[k];
  }
  return text;
}

std::string totalSizeText(uint64_t bytes) {
  if (bytes < 1000) return std::to_string(bytes) + " bytes";
  const double value = static_cast<double>(bytes);
  if (bytes < 1048576) return twoDecimals(value / 1024) + " KB";
  if (bytes < 1073741824) return twoDecimals(value / 1048576) + " MB";
  return twoDecimals(value / 1073741824) + " GB";
}

}  // namespace corvasta
