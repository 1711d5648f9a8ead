#pragma once
// The Other Files editor's view (TForm11, "Files to Backup"): a modal
// dialog with four pages and no tabs (Main, More, Size, Notes), the page the
// form names shown. Every widget shows the form's state and hands each
// change to its handler; the rules are the form's. Each activation shows
// the main page; OK that saved, and Cancel, close the dialog.
//
// The implementation is spread over files by concern:
//   OtherFilesEditor.cpp       the stacked pages, the refresh, closing
//   OtherFiles*Page.cpp        one builder per page (OtherFilesPages.h)
//   OtherFilesTypeButtons.cpp  the main page's file-type buttons

#include <QDialog>
#include <functional>
#include <vector>

class QStackedWidget;

namespace corvasta {

class TForm11;

class OtherFilesEditor : public QDialog {
  Q_OBJECT
 public:
  explicit OtherFilesEditor(TForm11& form, QWidget* parent = nullptr);

  void refresh();
  // Runs a handler (errors reported), then refreshes; closes the dialog
  // when the form closed.
  void press(const std::function<void()>& handler);

  TForm11& form() { return form_; }
  // The close box and Escape: "Cancel".
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TForm11& form_;
  std::vector<std::function<void()>> refreshers_;
  QStackedWidget* pages_ = nullptr;
  std::vector<QWidget*> pageWidgets_;  // in OtherFilesPage order
};

}  // namespace corvasta
