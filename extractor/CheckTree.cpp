// The Extractor's file tree: adding paths and naming nodes.

#include "extractor/CheckTree.h"

#include "platform/core/codepage.h"

namespace corvasta {

namespace {

// The drive ("C:") of a path whose second character is ":", upper-cased.
std::optional<std::string> driveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return std::nullopt;
  return platform::ansiUpper(path.substr(0, 2));
}

}  // namespace

void TCheckTree::SetRoots(const std::vector<std::string>& driveRootTexts) {
  rootTexts_ = driveRootTexts;
  rootTexts_.push_back(kNoDriveGiven);
  Clear();
}

void TCheckTree::Clear() {
  nodes_.clear();
  roots_.clear();
  for (const std::string& text : rootTexts_) addNode(NodeKind::Root, text, -1);
}

int TCheckTree::addNode(NodeKind kind, const std::string& text, int parent) {
  const int index = static_cast<int>(nodes_.size());
  TreeNode created;
  created.kind = kind;
  created.text = text;
  created.parent = parent;
  // A drive root's drive is the last "X:" of its text ("Local Disk (C:)",
  // "E:(Not Present)"); the "No Drive Given" root has none.
  const size_t colon = text.rfind(':');
  if (parent < 0 && colon != std::string::npos && colon > 0 && text != kNoDriveGiven)
    created.drive = platform::ansiUpper(text.substr(colon - 1, 2));
  nodes_.push_back(std::move(created));
  if (parent < 0)
    roots_.push_back(index);
  else
    node(parent).children.emplace(
        std::make_tuple(kind == NodeKind::File, platform::ansiUpper(text), text), index);
  return index;
}

std::optional<int> TCheckTree::rootFor(const std::string& path, size_t& restStart) {
  if (const std::optional<std::string> drive = driveOf(path)) {
    restStart = path.size() > 2 && path[2] == '\\' ? 3 : 2;
    for (int root : roots_)
      if (platform::ansiUpper(node(root).text).find(*drive) != std::string::npos) return root;
    return addNode(NodeKind::Root, *drive + "(Not Present)", -1);
  }
  restStart = 0;
  for (int root : roots_)
    if (platform::ansiUpper(node(root).text).find("NO DRIVE GIVEN") != std::string::npos)
      return root;
  return std::nullopt;
}

std::optional<int> TCheckTree::AddPath(const std::string& path, int entry) {
  size_t start = 0;
  const std::optional<int> root = rootFor(path, start);
  if (!root) return std::nullopt;
  // The elements between backslashes; empty ones (doubled or leading
  // backslashes) name nothing.
  std::vector<std::string> elements;
  for (size_t at = start; at <= path.size();) {
    const size_t end = std::min(path.find('\\', at), path.size());
    if (end > at) elements.push_back(path.substr(at, end - at));
    at = end + 1;
  }
  const bool folderOnly = !path.empty() && path.back() == '\\';
  int current = *root;
  for (size_t i = 0; i < elements.size(); ++i) {
    const std::string& text = elements[i];
    const std::string upper = platform::ansiUpper(text);
    auto& children = node(current).children;
    const auto folder = children.find({false, upper, text});
    if (i + 1 < elements.size() || folderOnly) {
      current =
          folder != children.end() ? folder->second : addNode(NodeKind::Folder, text, current);
      continue;
    }
    if (folder != children.end()) return folder->second;
    const auto file = children.find({true, upper, text});
    current = file != children.end() ? file->second : addNode(NodeKind::File, text, current);
    if (entry >= 0) node(current).entries.push_back(entry);
  }
  return current;
}

std::string TCheckTree::PathOfNode(int index) const {
  std::vector<int> chain;
  for (int at = index; at >= 0; at = node(at).parent) chain.push_back(at);
  std::string path = node(chain.back()).drive;
  const bool drive = !path.empty();
  for (auto it = chain.rbegin() + 1; it != chain.rend(); ++it) {
    if (drive || !path.empty()) path += "\\";
    path += node(*it).text;
  }
  return path;
}

std::vector<int> TCheckTree::Children(int index) const {
  std::vector<int> ordered;
  ordered.reserve(node(index).children.size());
  for (const auto& [key, child] : node(index).children) ordered.push_back(child);
  return ordered;
}

std::vector<int> TCheckTree::FileNodes(int index) const {
  std::vector<int> files;
  std::vector<int> pending;
  if (index < 0)
    pending.assign(roots_.rbegin(), roots_.rend());
  else
    pending.push_back(index);
  while (!pending.empty()) {
    const int at = pending.back();
    pending.pop_back();
    if (node(at).kind == NodeKind::File) files.push_back(at);
    const auto& children = node(at).children;
    for (auto it = children.rbegin(); it != children.rend(); ++it) pending.push_back(it->second);
  }
  return files;
}

}  // namespace corvasta
