#pragma once
// The view of a file list with check marks (TKTChFileList): a list in
// columns, flowing top to bottom and scrolling sideways, several items
// selectable. Each item shows its check bitmap (files only) in front of its
// icon. A click less than the tick zone's width right of an item's left edge
// goes to `onTickClick` (the editor's rule toggles the tick); a double click
// goes to the list's DoubleClick (a folder one level down, a file executed).

#include <QListWidget>
#include <functional>

namespace corvasta {

class TKTChFileList;

class ChFileListView : public QListWidget {
  Q_OBJECT
 public:
  explicit ChFileListView(TKTChFileList& list, QWidget* parent = nullptr);

  // The items as the list holds them: made anew when the names differ,
  // otherwise only their check bitmaps shown again.
  void refresh();

  // The item, the click's distance from its left edge, the screen's
  // logical pixels per inch.
  std::function<void(size_t item, int x, int pixelsPerInch)> onTickClick;
  std::function<void(size_t item)> onDoubleClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  TKTChFileList& list_;
};

}  // namespace corvasta
