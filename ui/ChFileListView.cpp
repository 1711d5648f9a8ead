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
    clear();
    for (const ChFileItem& file : items) addItem(fromAnsi(file.caption));
  }
  for (int k = 0; k < count(); ++k) {
    const ChFileItem& file = items[static_cast<size_t>(k)];
    QListWidgetItem* shown = item(k);
    const int mark = static_cast<int>(markOf(file));
    if (shown->data(kMarkRole).isValid() && shown->data(kMarkRole).toInt() == mark) continue;
    shown->setData(kMarkRole, mark);
    shown->setIcon(checkedItemPicture(markOf(file), shellIconPicture(file.icon)));
  }
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
