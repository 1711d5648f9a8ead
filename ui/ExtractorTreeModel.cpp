#include "ui/ExtractorTreeModel.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QWidget>

#include "extractor/CheckTree.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

const std::vector<int> kNoRows;

QStyle::StandardPixmap iconOf(const TreeNode& node) {
  switch (node.kind) {
    case NodeKind::Root:
      if (node.drive == "A:" || node.drive == "B:") return QStyle::SP_DriveFDIcon;
      return QStyle::SP_DriveHDIcon;
    case NodeKind::Folder:
      return QStyle::SP_DirIcon;
    case NodeKind::File:
      break;
  }
  return QStyle::SP_FileIcon;
}

}  // namespace

ExtractorTreeModel::ExtractorTreeModel(const TCheckTree& tree, std::function<void(int)> toggle,
                                       QObject* parent)
    : QAbstractItemModel(parent), tree_(tree), toggle_(std::move(toggle)) {
  refresh();
}

void ExtractorTreeModel::refresh() {
  beginResetModel();
  roots_ = tree_.Roots();
  children_.assign(tree_.size(), {});
  fetched_.assign(tree_.size(), 0);
  rowInParent_.assign(tree_.size(), -1);
  for (size_t row = 0; row < roots_.size(); ++row)
    rowInParent_[static_cast<size_t>(roots_[row])] = static_cast<int>(row);
  endResetModel();
}

void ExtractorTreeModel::refreshChecks() {
  for (size_t node = 0; node < children_.size(); ++node) {
    const std::vector<int>& made = children_[node];
    if (made.empty()) continue;
    const QModelIndex parent = createIndex(rowInParent_[node], 0, static_cast<quintptr>(node));
    emit dataChanged(index(0, 0, parent), index(static_cast<int>(made.size()) - 1, 0, parent),
                     {Qt::CheckStateRole});
  }
}

bool ExtractorTreeModel::fetched(int node) const {
  return node >= 0 && static_cast<size_t>(node) < fetched_.size() &&
         fetched_[static_cast<size_t>(node)];
}

const std::vector<int>& ExtractorTreeModel::rows(int node) const {
  if (node < 0) return roots_;
  return fetched(node) ? children_[static_cast<size_t>(node)] : kNoRows;
}

int ExtractorTreeModel::nodeOf(const QModelIndex& index) const {
  return index.isValid() ? static_cast<int>(index.internalId()) : -1;
}

QModelIndex ExtractorTreeModel::reveal(int node) {
  if (node < 0 || static_cast<size_t>(node) >= rowInParent_.size()) return {};
  const int parentNode = tree_.node(node).parent;
  if (parentNode >= 0) {
    const QModelIndex parentIndex = reveal(parentNode);
    if (!parentIndex.isValid()) return {};
    if (canFetchMore(parentIndex)) fetchMore(parentIndex);
  }
  const int row = rowInParent_[static_cast<size_t>(node)];
  return row < 0 ? QModelIndex() : createIndex(row, 0, static_cast<quintptr>(node));
}

QModelIndex ExtractorTreeModel::index(int row, int column, const QModelIndex& parent) const {
  const std::vector<int>& made = rows(nodeOf(parent));
  if (column != 0 || row < 0 || row >= static_cast<int>(made.size())) return {};
  return createIndex(row, 0, static_cast<quintptr>(made[static_cast<size_t>(row)]));
}

QModelIndex ExtractorTreeModel::parent(const QModelIndex& child) const {
  const int node = nodeOf(child);
  if (node < 0 || static_cast<size_t>(node) >= tree_.size()) return {};
  const int parentNode = tree_.node(node).parent;
  if (parentNode < 0 || static_cast<size_t>(parentNode) >= rowInParent_.size()) return {};
  return createIndex(rowInParent_[static_cast<size_t>(parentNode)], 0,
                     static_cast<quintptr>(parentNode));
}

int ExtractorTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  return static_cast<int>(rows(nodeOf(parent)).size());
}

int ExtractorTreeModel::columnCount(const QModelIndex&) const {
  return 1;
}

bool ExtractorTreeModel::hasChildren(const QModelIndex& parent) const {
  const int node = nodeOf(parent);
  if (node < 0) return !roots_.empty();
  return static_cast<size_t>(node) < tree_.size() && !tree_.node(node).children.empty();
}

bool ExtractorTreeModel::canFetchMore(const QModelIndex& parent) const {
  const int node = nodeOf(parent);
  return node >= 0 && static_cast<size_t>(node) < fetched_.size() && !fetched(node) &&
         hasChildren(parent);
}

void ExtractorTreeModel::fetchMore(const QModelIndex& parent) {
  if (!canFetchMore(parent)) return;
  const auto node = static_cast<size_t>(nodeOf(parent));
  std::vector<int> made = tree_.Children(static_cast<int>(node));
  // Children a later listing added beyond the rows known are left for the
  // next refresh.
  std::erase_if(made, [this](int child) { return static_cast<size_t>(child) >= fetched_.size(); });
  fetched_[node] = 1;
  if (made.empty()) return;
  beginInsertRows(parent, 0, static_cast<int>(made.size()) - 1);
  for (size_t row = 0; row < made.size(); ++row)
    rowInParent_[static_cast<size_t>(made[row])] = static_cast<int>(row);
  children_[node] = std::move(made);
  endInsertRows();
}

QVariant ExtractorTreeModel::data(const QModelIndex& index, int role) const {
  const int node = nodeOf(index);
  if (node < 0 || static_cast<size_t>(node) >= tree_.size()) return {};
  const TreeNode& shown = tree_.node(node);
  switch (role) {
    case Qt::DisplayRole:
      return fromAnsi(shown.text);
    case Qt::DecorationRole:
      return QApplication::style()->standardIcon(iconOf(shown));
    case Qt::CheckStateRole:
      if (shown.kind == NodeKind::File) return shown.checked ? Qt::Checked : Qt::Unchecked;
      return {};
    default:
      return {};
  }
}

bool ExtractorTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const int node = nodeOf(index);
  if (role != Qt::CheckStateRole || node < 0 || static_cast<size_t>(node) >= tree_.size() ||
      tree_.node(node).kind != NodeKind::File)
    return false;
  const bool wanted = value.toInt() == Qt::Checked;
  if (wanted != tree_.node(node).checked && toggle_) toggle_(node);
  emit dataChanged(index, index, {Qt::CheckStateRole});
  return true;
}

Qt::ItemFlags ExtractorTreeModel::flags(const QModelIndex& index) const {
  const int node = nodeOf(index);
  if (node < 0 || static_cast<size_t>(node) >= tree_.size()) return Qt::NoItemFlags;
  // A click anywhere on a file's row toggles it (the view's clicked signal),
  // so the check box is not the delegate's to change as well.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace corvasta
