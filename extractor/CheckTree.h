#pragma once
// The Extractor's file tree: drive roots in the order Windows lists the
// drives, the "No Drive Given" root, folder nodes and file nodes with a check
// mark. Among a node's children folders come first, then files, each group
// in ascending order of the upper-cased names; the children are kept in an
// ordered map, so a folder of n entries fills in O(n log n).

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace corvasta {

enum class NodeKind { Root, Folder, File };

struct TreeNode {
  NodeKind kind = NodeKind::Root;
  std::string text;
  std::string drive;  // a drive root's "C:"; empty for every other node
  int parent = -1;
  bool checked = false;
  bool expanded = false;
  // The archive entries a file node stands for, in archive order: a path
  // listed twice is shown once and extracts every entry it stands for.
  std::vector<int> entries;
  // Children by (is a file, upper-cased text, text): the display order and
  // the exact-text lookup in one.
  std::map<std::tuple<bool, std::string, std::string>, int> children;
};

class TCheckTree {
 public:
  static constexpr const char* kNoDriveGiven = "No Drive Given (extracted to current drive)";

  // Clears the tree and puts the drive roots back, followed by the
  // "No Drive Given" root.
  void SetRoots(const std::vector<std::string>& driveRootTexts);
  // Removes every node below the roots (and the roots a path added).
  void Clear();

  // Adds a full path: the folder nodes it lacks and its file node. A path
  // ending in "\" (the folder entries of other tools' archives) adds only
  // folders. Returns the node the path names (the existing one when it was
  // listed before); nullopt when no root can take a path without drive.
  std::optional<int> AddPath(const std::string& path, int entry = -1);
  // The full path of a node: the names from the root down joined by "\"; a
  // drive root gives its drive ("C:"), the "No Drive Given" root nothing.
  std::string PathOfNode(int node) const;

  const TreeNode& node(int index) const { return nodes_[static_cast<size_t>(index)]; }
  TreeNode& node(int index) { return nodes_[static_cast<size_t>(index)]; }
  size_t size() const { return nodes_.size(); }
  const std::vector<int>& Roots() const { return roots_; }
  // A node's children in display order.
  std::vector<int> Children(int index) const;
  // Every file node below `index` (all roots when -1), in tree order.
  std::vector<int> FileNodes(int index = -1) const;

 private:
  int addNode(NodeKind kind, const std::string& text, int parent);
  std::optional<int> rootFor(const std::string& path, size_t& restStart);

  std::vector<TreeNode> nodes_;
  std::vector<int> roots_;
  std::vector<std::string> rootTexts_;
};

}  // namespace corvasta
