#pragma once
// TDirTree: the folder tree of the Other Files editor, without a toolkit.
// Every drive of the machine (remote drives too while AllowNetwork is set)
// and every folder whatever its attributes, also below a Recycle Bin folder
// while GoBelowRecycleBin is set. Folders are read when their node is first
// expanded; a drive without a medium or a folder that cannot be read simply
// has no subfolders. The current folder is held in upper case with a final
// backslash; OnChange tells the editor when it moves.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/shell_icons.h"

namespace platform {
class FileSystem;
}

namespace corvasta {

struct DirTreeNode {
  std::string name;  // "C:\" for a drive, else the folder's long name
  std::string path;  // with final backslash
  platform::ShellIcon icon;
  bool expanded = false;
  std::vector<std::unique_ptr<DirTreeNode>> children;
};

class TDirTree {
 public:
  explicit TDirTree(platform::FileSystem& files);

  bool AllowNetwork = true;
  bool GoBelowRecycleBin = true;
  std::function<void()> OnChange;

  // The drives, read again.
  void Refresh();
  // Counts the Refresh calls: a view's nodes are stale once it differs.
  unsigned generation() const { return generation_; }
  const std::vector<std::unique_ptr<DirTreeNode>>& drives() const { return drives_; }
  // Reads a node's subfolders, once; sorted by name without case.
  void Expand(DirTreeNode& node);

  const std::string& Directory() const { return directory_; }
  // Moves to `folder` (upper case, a final backslash added), expanding the
  // nodes on the way as far as they exist; OnChange follows a real move.
  void SetDirectory(const std::string& folder);

 private:
  DirTreeNode* child(DirTreeNode& node, const std::string& name);

  platform::FileSystem& files_;
  std::vector<std::unique_ptr<DirTreeNode>> drives_;
  std::string directory_;
  unsigned generation_ = 0;
};

// Whether a folder name is a Recycle Bin ("RECYCLED", "RECYCLER", "Recycle Bin").
bool isRecycleBinName(const std::string& name);

}  // namespace corvasta
