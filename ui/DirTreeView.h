#pragma once
// The folder tree's view over TDirTree: the drives by their display names
// and icons, each folder read when its node is first expanded (through the
// logic), and the tree's current folder selected. A folder the user chooses
// goes to `onChoose`; the logic moves the tree and tells its OnChange.

#include <QTreeWidget>
#include <functional>
#include <string>

namespace platform {
class FileSystem;
}

namespace corvasta {

class TDirTree;
struct DirTreeNode;

class DirTreeView : public QTreeWidget {
  Q_OBJECT
 public:
  DirTreeView(TDirTree& tree, platform::FileSystem& files, QWidget* parent = nullptr);

  // The tree as the logic holds it: nodes made anew after the logic's
  // Refresh, the folders it expanded shown, its current folder selected.
  void refresh();

  std::function<void(const std::string& folder)> onChoose;

 private:
  QTreeWidgetItem* itemFor(DirTreeNode& node, bool drive);
  void showChildren(QTreeWidgetItem& item);
  static DirTreeNode* nodeOf(const QTreeWidgetItem* item);

  TDirTree& tree_;
  platform::FileSystem& files_;
  unsigned shownGeneration_ = 0;
  bool built_ = false;
  bool showing_ = false;  // the view itself moves the selection
};

}  // namespace corvasta
