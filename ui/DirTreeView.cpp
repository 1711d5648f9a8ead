#include "ui/DirTreeView.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include "backup/DirTree.h"
#include "platform/core/codepage.h"
#include "platform/files/drive_display_names.h"
#include "ui/QtUi.h"
#include "ui/ShellIconPictures.h"

namespace corvasta {

DirTreeView::DirTreeView(TDirTree& tree, platform::FileSystem& files, QWidget* parent)
    : QTreeWidget(parent), tree_(tree), files_(files) {
  setHeaderHidden(true);
  setColumnCount(1);
  setIconSize(QSize(16, 16));
  setUniformRowHeights(true);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (DirTreeNode* node = nodeOf(item)) tree_.Expand(*node);
    showChildren(*item);
  });
  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    DirTreeNode* node = nodeOf(current);
    if (showing_ || !node || !onChoose) return;
    onChoose(node->path);
  });
}

DirTreeNode* DirTreeView::nodeOf(const QTreeWidgetItem* item) {
  if (!item) return nullptr;
  return reinterpret_cast<DirTreeNode*>(item->data(0, Qt::UserRole).value<quintptr>());
}

QTreeWidgetItem* DirTreeView::itemFor(DirTreeNode& node, bool drive) {
  const std::string text = drive ? platform::driveDisplayName(files_, node.path) : node.name;
  auto* item = new QTreeWidgetItem(QStringList{fromAnsi(text)});
  item->setIcon(0, shellIconPicture(node.icon));
  item->setData(0, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&node)));
  // Not read yet: it may have subfolders.
  item->setChildIndicatorPolicy(node.expanded ? QTreeWidgetItem::DontShowIndicatorWhenChildless
                                              : QTreeWidgetItem::ShowIndicator);
  return item;
}

void DirTreeView::showChildren(QTreeWidgetItem& item) {
  DirTreeNode* node = nodeOf(&item);
  if (!node || !node->expanded) return;
  item.setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
  if (item.childCount() == 0)
    for (const auto& child : node->children) item.addChild(itemFor(*child, false));
  for (int k = 0; k < item.childCount(); ++k) showChildren(*item.child(k));
}

void DirTreeView::refresh() {
  const QSignalBlocker quiet(this);
  showing_ = true;
  if (!built_ || shownGeneration_ != tree_.generation()) {
    clear();
    for (const auto& drive : tree_.drives()) addTopLevelItem(itemFor(*drive, true));
    shownGeneration_ = tree_.generation();
    built_ = !tree_.drives().empty();
  }
  for (int k = 0; k < topLevelItemCount(); ++k) showChildren(*topLevelItem(k));

  // The current folder: the deepest node on its path.
  const std::string wanted = platform::ansiUpper(tree_.Directory());
  QTreeWidgetItem* current = nullptr;
  for (int k = 0; k < topLevelItemCount() && !current; ++k) {
    QTreeWidgetItem* item = topLevelItem(k);
    while (item) {
      const std::string path = platform::ansiUpper(nodeOf(item)->path);
      if (wanted.compare(0, path.size(), path) != 0) break;
      current = item;
      QTreeWidgetItem* next = nullptr;
      for (int c = 0; c < item->childCount() && !next; ++c) {
        const std::string childPath = platform::ansiUpper(nodeOf(item->child(c))->path);
        if (wanted.compare(0, childPath.size(), childPath) == 0) next = item->child(c);
      }
      item = next;
    }
  }
  for (QTreeWidgetItem* up = current ? current->parent() : nullptr; up; up = up->parent())
    up->setExpanded(true);
  if (current && currentItem() != current) {
    setCurrentItem(current);
    scrollToItem(current);
  }
  showing_ = false;
}

}  // namespace corvasta
