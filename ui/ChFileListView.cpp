#include "ui/ChFileListView.h"

#include <QMouseEvent>
#include <QSignalBlocker>

#include "backup/ChFileList.h"
#include "ui/CheckMarkPictures.h"
#include "ui/QtUi.h"
#include "ui/ShellIconPictures.h"

namespace corvasta {
namespace {

CheckMark markOf(const ChFileItem& item) {
  if (!item.isFile()) return CheckMark::None;
  return item.checked ? CheckMark::Checked : CheckMark::Unchecked;
}

constexpr int kMarkRole = Qt::UserRole;

}  // namespace

ChFileListView::ChFileListView(TKTChFileList& list, QWidget* parent)
    : QListWidget(parent), list_(list) {
  setViewMode(QListView::ListMode);
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setIconSize(QSize(2 * kCheckMarkSize, kCheckMarkSize));
  setUniformItemSizes(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ChFileListView::refresh() {
  const QSignalBlocker quiet(this);
  const std::vector<ChFileItem>& items = list_.Items;
  bool same = count() == static_cast<int>(items.size());
  for (int k = 0; same && k < count(); ++k)
    same = item(k)->text() == fromAnsi(items[static_cast<size_t>(k)].caption);
  if (!same) {
    // One batch, laid out once: a folder of ten thousand files is shown as
    // quickly as a small one is.
    setUpdatesEnabled(false);
    clear();
    QStringList captions;
    captions.reserve(static_cast<qsizetype>(items.size()));
    for (const ChFileItem& file : items) captions.push_back(fromAnsi(file.caption));
    addItems(captions);
    setUpdatesEnabled(true);
  }
  for (int k = 0; k < count(); ++k) {
    const ChFileItem& file = items[static_cast<size_t>(k)];
    QListWidgetItem* shown = item(k);
    const int mark = static_cast<int>(markOf(file));
    if (shown->data(kMarkRole).isValid() && shown->data(kMarkRole).toInt() == mark) continue;
    shown->setData(kMarkRole, mark);
    shown->setIcon(pictureOf(markOf(file), file.icon));
  }
}

const QIcon& ChFileListView::pictureOf(CheckMark mark, const platform::ShellIcon& icon) {
  // The picture depends on the mark and the icon's kind only; composing it
  // once per pair, not once per item, keeps large folders quick.
  const auto key = std::make_pair(static_cast<int>(mark), static_cast<int>(icon.kind));
  auto found = pictures_.find(key);
  if (found == pictures_.end())
    found = pictures_.emplace(key, checkedItemPicture(mark, shellIconPicture(icon))).first;
  return found->second;
}

void ChFileListView::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  if (event->button() != Qt::LeftButton || !onTickClick) return;
  const QPoint at = event->position().toPoint();
  const QModelIndex index = indexAt(at);
  if (!index.isValid()) return;
  onTickClick(static_cast<size_t>(index.row()), at.x() - visualRect(index).left(), logicalDpiX());
}

void ChFileListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() != Qt::LeftButton || !index.isValid() || !onDoubleClick) return;
  onDoubleClick(static_cast<size_t>(index.row()));
}

}  // namespace corvasta
