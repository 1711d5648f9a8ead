#include "backup/DirTree.h"

#include <algorithm>

#include "platform/core/codepage.h"
#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

std::string withFinalBackslash(std::string path) {
  if (path.empty() || path.back() != '\\') path += '\\';
  return path;
}

// The components of a folder path after its drive ("C:\A\B\" gives A, B).
std::vector<std::string> componentsOf(const std::string& folder) {
  std::vector<std::string> parts;
  size_t start = 3;
  while (start < folder.size()) {
    const size_t slash = folder.find('\\', start);
    if (slash == std::string::npos) break;
    if (slash > start) parts.push_back(folder.substr(start, slash - start));
    start = slash + 1;
  }
  return parts;
}

}  // namespace

bool isRecycleBinName(const std::string& name) {
  const std::string upper = platform::ansiUpper(name);
  return upper == "RECYCLED" || upper == "RECYCLER" || upper == "RECYCLE BIN";
}

TDirTree::TDirTree(platform::FileSystem& files) : files_(files) {}

void TDirTree::Refresh() {
  ++generation_;
  drives_.clear();
  for (const std::string& root : files_.getLogicalDriveStrings()) {
    const platform::DriveType type = files_.getDriveType(root);
    if (type == platform::DriveType::Remote && !AllowNetwork) continue;
    auto node = std::make_unique<DirTreeNode>();
    node->name = root;
    node->path = platform::ansiUpper(root);
    node->icon = platform::driveIcon(type);
    drives_.push_back(std::move(node));
  }
}

void TDirTree::Expand(DirTreeNode& node) {
  if (node.expanded) return;
  node.expanded = true;
  const std::string parentName = node.path.size() > 3 ? componentsOf(node.path).back() : "";
  if (!GoBelowRecycleBin && isRecycleBinName(parentName)) return;
  std::vector<platform::FindData> found;
  try {
    found = files_.findAll(node.path + "*");
  } catch (const platform::OsError&) {
    return;  // no medium, or a folder that cannot be read: no subfolders
  }
  for (const platform::FindData& entry : found) {
    if (!(entry.attributes & platform::kAttributeDirectory)) continue;
    if (entry.name == "." || entry.name == "..") continue;
    auto sub = std::make_unique<DirTreeNode>();
    sub->name = entry.name;
    sub->path = platform::ansiUpper(node.path + entry.name + "\\");
    sub->icon = platform::folderIcon();
    node.children.push_back(std::move(sub));
  }
  std::sort(node.children.begin(), node.children.end(), [](const auto& a, const auto& b) {
    return platform::ansiUpper(a->name) < platform::ansiUpper(b->name);
  });
}

DirTreeNode* TDirTree::child(DirTreeNode& node, const std::string& name) {
  Expand(node);
  for (const auto& sub : node.children)
    if (platform::ansiEqualNoCase(sub->name, name)) return sub.get();
  return nullptr;
}

void TDirTree::SetDirectory(const std::string& folder) {
  if (drives_.empty()) Refresh();
  const std::string target = platform::ansiUpper(withFinalBackslash(folder));
  for (const auto& drive : drives_) {
    if (target.compare(0, 3, drive->path) != 0) continue;
    DirTreeNode* node = drive.get();
    for (const std::string& part : componentsOf(target)) {
      node = node ? child(*node, part) : nullptr;
      if (!node) break;
    }
  }
  if (target == directory_) return;
  directory_ = target;
  if (OnChange) OnChange();
}

}  // namespace corvasta
