#pragma once
// The Preferences dialog's view (TForm8, "Corvasta Preferences"): a modal
// dialog with the navigation tree on the left and the pages on the right,
// the Backup Properties page with its inner tabs at the bottom. Every
// widget shows the form's state and hands each change to its handler; the
// rules are the form's.
//
// The form's activation runs once each time the dialog opens, not each time
// it becomes active again after a message box or chooser it showed.
//
// The implementation is spread over files by concern:
//   PreferencesDialog.cpp   the tree, the pages, the buttons and the refresh
//   Prefs*Page.cpp          one builder per page (PreferencesPages.h)
//   PreferencesWidgets.cpp  check boxes, buttons and labels bound to the form

#include <QDialog>
#include <functional>
#include <vector>

class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace corvasta {

class TForm8;
enum class PrefsPage;

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PreferencesDialog(TForm8& form, QWidget* parent = nullptr);
  ~PreferencesDialog() override;

  // Every widget as the form's state says.
  void refresh();
  // Runs a handler (errors reported), then refreshes.
  void press(const std::function<void()>& handler);

  TForm8& form() { return form_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void reject() override;

 private:
  void buildPages();
  void buildTree();
  void buildLayout();
  void showTreeSelection();

  TForm8& form_;
  bool opened_ = false;
  std::vector<std::function<void()>> refreshers_;
  QTreeWidget* tree_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QTabWidget* propertiesTabs_ = nullptr;
  std::vector<QWidget*> pageWidgets_;  // in PrefsPage order
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* help_ = nullptr;
};

}  // namespace corvasta
