#include "cdengine/IsoTree.h"

#include <algorithm>
#include <unordered_set>

#include "cdengine/IsoNames.h"
#include "platform/core/codepage.h"

namespace cdengine {

namespace {

constexpr uint64_t kSector = 2048;
// Sizes are recorded in 32 bits.
constexpr uint64_t kLargestFile = 0xFFFFFFFFull;

std::string keyOf(std::string_view path) {
  std::string key = platform::ansiUpper(path);
  while (key.size() > 1 && key.back() == '\\') key.pop_back();
  if (key.empty() || key.front() != '\\') key.insert(key.begin(), '\\');
  return key;
}

// Whether the entry's records fit the one-byte record length in both trees.
bool recordsFit(const std::string& isoName, const std::string& longName, bool isFile) {
  return directoryRecordLength(isoIdentifier(isoName, isFile).size()) <= kLongestDirectoryRecord &&
         directoryRecordLength(jolietIdentifier(longName, isFile).size()) <=
             kLongestDirectoryRecord;
}

}  // namespace

IsoTree::IsoTree(DebugMessage debug) : debug_(std::move(debug)) {
  clear(65535, 8191);
}

void IsoTree::debug(const std::string& text, DebugType type) const {
  if (debug_) debug_(text, type);
}

void IsoTree::clear(uint32_t maxFiles, uint32_t maxDirectories) {
  maxFiles_ = maxFiles;
  maxDirectories_ = maxDirectories;
  files_.clear();
  directories_.clear();
  auto root = std::make_unique<TDEntry>();
  root->isoName = "CD_ROOT";
  root->longName = "CD Root Directory";
  root->pathKey = "\\";
  root->level = 1;
  root->parent = root.get();
  byPathKey_.clear();
  byPathKey_[root->pathKey] = root.get();
  directories_.push_back(std::move(root));
  dirty = false;
}

TDEntry* IsoTree::findDir(std::string_view path) {
  const auto found = byPathKey_.find(keyOf(path));
  return found == byPathKey_.end() ? nullptr : found->second;
}

TDEntry* IsoTree::createDir(std::string_view path, const platform::SystemTime& now) {
  if (TDEntry* existing = findDir(path)) return existing;
  std::string trimmed(path);
  while (trimmed.size() > 1 && trimmed.back() == '\\') trimmed.pop_back();
  const size_t slash = trimmed.rfind('\\');
  const std::string parentPath = slash == std::string::npos ? "" : trimmed.substr(0, slash);
  const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
  if (name.empty()) return nullptr;
  TDEntry* parent = createDir(parentPath, now);
  return parent ? createChild(*parent, name, now) : nullptr;
}

TDEntry* IsoTree::createChild(TDEntry& parent, const std::string& name,
                              const platform::SystemTime& now) {
  if (directories_.size() - 1 >= maxDirectories_) {
    debug(">>> MAXIMUM DIRECTORIES CAN BE " + std::to_string(maxDirectories_), DebugType::Warning);
    return nullptr;
  }
  const std::string isoName =
      uniqueIsoName(directoryIsoName(name), false, parent.directoryIsoNames);
  if (!recordsFit(isoName, name, false)) {
    debug("DIRECTORY NAME TOO LONG FOR A DIRECTORY RECORD: " + name, DebugType::Error);
    return nullptr;
  }
  auto directory = std::make_unique<TDEntry>();
  directory->isoName = isoName;
  directory->longName = name;
  directory->pathKey =
      (&parent == &root() ? "" : parent.pathKey) + "\\" + platform::ansiUpper(name);
  directory->level = static_cast<uint8_t>(parent.level + 1);
  directory->parent = &parent;

  auto entry = std::make_unique<TFEntry>();
  entry->isoName = isoName;
  entry->longName = name;
  entry->attributes = 16;
  entry->date = now;
  entry->directory = directory.get();
  parent.entries.push_back(entry.get());
  parent.directoryIsoNames.insert(isoName);
  files_.push_back(std::move(entry));
  byPathKey_[directory->pathKey] = directory.get();
  directories_.push_back(std::move(directory));
  dirty = false;
  return directories_.back().get();
}

TFEntry* IsoTree::entryNamed(TDEntry& directory, std::string_view longName) {
  const auto found = directory.filesByName.find(platform::ansiUpper(longName));
  return found == directory.filesByName.end() ? nullptr : found->second;
}

EnterResult IsoTree::enterFile(TDEntry& directory, FileFacts facts, bool replace) {
  std::string longName = facts.longName;
  if (longName.find('.') == std::string::npos) longName += '.';
  const std::string shortName =
      platform::ansiUpper(facts.shortName.empty() ? longName : facts.shortName);
  if (longName.size() >= kLongNameLimit) return EnterResult::Refused;
  if (facts.size > kLargestFile) {
    debug("FILE TOO LARGE FOR AN ISO 9660 EXTENT: " + longName, DebugType::Error);
    return EnterResult::Refused;
  }
  TFEntry* entry = entryNamed(directory, longName);
  if (entry != nullptr && !replace) return EnterResult::Refused;
  // A replaced entry gives up its own ISO name before the new one is chosen.
  if (entry != nullptr) directory.fileIsoNames.erase(entry->isoName);
  const std::string isoName = uniqueIsoName(shortName, true, directory.fileIsoNames);
  if (!recordsFit(isoName, longName, true)) {
    if (entry != nullptr) directory.fileIsoNames.insert(entry->isoName);
    debug("FILE NAME TOO LONG FOR A DIRECTORY RECORD: " + longName, DebugType::Error);
    return EnterResult::Refused;
  }
  if (entry == nullptr) {
    if (files_.size() >= maxFiles_) {
      debug("MAXIMUM FILES CAN BE " + std::to_string(maxFiles_), DebugType::Warning);
      return EnterResult::Refused;
    }
    files_.push_back(std::make_unique<TFEntry>());
    entry = files_.back().get();
    directory.entries.push_back(entry);
    directory.filesByName[platform::ansiUpper(longName)] = entry;
  }
  directory.fileIsoNames.insert(isoName);
  entry->isoName = isoName;
  entry->longName = longName;
  entry->isoSize = entry->jolietSize = facts.size;
  entry->attributes = facts.attributes;
  entry->date = facts.date;
  entry->sourcePath = facts.sourcePath;
  entry->imported = facts.location.has_value();
  entry->isoLocation = entry->jolietLocation = facts.location.value_or(0);
  dirty = false;
  return EnterResult::Entered;
}

bool IsoTree::removeDir(std::string_view path) {
  TDEntry* target = findDir(path);
  if (target == nullptr) return false;
  std::unordered_set<const TDEntry*> goneDirectories;
  std::unordered_set<const TFEntry*> goneEntries;
  std::vector<TDEntry*> pending{target};
  while (!pending.empty()) {
    TDEntry* directory = pending.back();
    pending.pop_back();
    if (directory != target || target != &root()) goneDirectories.insert(directory);
    for (TFEntry* entry : directory->entries) {
      goneEntries.insert(entry);
      if (entry->isDirectory()) pending.push_back(entry->directory);
    }
  }
  if (target == &root()) {
    target->entries.clear();
    target->filesByName.clear();
    target->fileIsoNames.clear();
    target->directoryIsoNames.clear();
  } else {
    target->parent->directoryIsoNames.erase(target->isoName);
    std::vector<TFEntry*>& siblings = target->parent->entries;
    auto own = std::find_if(siblings.begin(), siblings.end(),
                            [&](const TFEntry* e) { return e->directory == target; });
    if (own != siblings.end()) {
      goneEntries.insert(*own);
      siblings.erase(own);
    }
  }
  std::erase_if(files_, [&](const auto& entry) { return goneEntries.contains(entry.get()); });
  for (const TDEntry* directory : goneDirectories) byPathKey_.erase(directory->pathKey);
  std::erase_if(directories_,
                [&](const auto& directory) { return goneDirectories.contains(directory.get()); });
  dirty = false;
  return true;
}

uint64_t IsoTree::fileAreaSectors() const {
  uint64_t sectors = 0;
  for (const auto& entry : files_)
    if (entry->isNewData()) sectors += (entry->isoSize + kSector - 1) / kSector;
  return sectors;
}

}  // namespace cdengine
