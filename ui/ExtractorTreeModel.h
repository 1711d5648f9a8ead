#pragma once
// The Extractor's check tree as a Qt item model: drive roots, folders and
// files of a TCheckTree, with a check box on every file node and the
// style's drive, folder and file icons. A node's rows are made only when the
// view first opens it, so a listing of many thousand files shows at once.
//
// The model reads the tree and never changes it: a new check state is
// handed to `toggle` (the dialog's ToggleNode), and the view calls refresh()
// when the tree was filled anew and refreshChecks() when only marks changed.

#include <QAbstractItemModel>
#include <functional>
#include <vector>

namespace corvasta {

class TCheckTree;

class ExtractorTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  ExtractorTreeModel(const TCheckTree& tree, std::function<void(int node)> toggle,
                     QObject* parent = nullptr);

  // The tree's nodes changed: every row is made again, lazily.
  void refresh();
  // Only check marks changed: the rows made so far are repainted.
  void refreshChecks();

  // The tree node of an index (-1 for the invisible top).
  int nodeOf(const QModelIndex& index) const;
  // The index of a node, its ancestors' rows made when they were not yet.
  QModelIndex reveal(int node);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  // The rows of a node made so far (the roots' always are); empty when the
  // view has not opened the node.
  const std::vector<int>& rows(int node) const;
  bool fetched(int node) const;

  const TCheckTree& tree_;
  std::function<void(int)> toggle_;
  std::vector<int> roots_;
  // Per tree node: its child rows once made, and its row under its parent.
  std::vector<std::vector<int>> children_;
  std::vector<char> fetched_;
  std::vector<int> rowInParent_;
};

}  // namespace corvasta
