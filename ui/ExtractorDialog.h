#pragma once
// The Extractor's view (TForm10, "Extract Files from Backup"): a modal
// dialog whose controls show the form's state and whose buttons call its
// handlers; every rule is the form's.
//
// The form's activation (FormShow) runs once each time the dialog opens, not
// each time it becomes active again: Qt activates it again after every
// message box and chooser it shows, and an activation empties the tree.
//
// The implementation is spread over files by concern:
//   ExtractorDialog.cpp        the controls and their layout
//   ExtractorDialogState.cpp   the handlers bound, the form's state shown

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTreeView;

namespace corvasta {

class TForm10;
class ExtractorTreeModel;

class ExtractorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ExtractorDialog(TForm10& form, QWidget* parent = nullptr);
  ~ExtractorDialog() override;

  // Every control as the form's state says.
  void showForm();

  TForm10& form() { return form_; }
  ExtractorTreeModel& treeModel() { return *model_; }
  QTreeView& tree() { return *tree_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void buildControls();
  void buildLayout();
  void connectControls();
  // Runs a handler, then shows the state it left; `refill`: the handler may
  // have filled the tree anew.
  void press(const std::function<void()>& handler, bool refill = false);
  // The tree shown again, its roots opened as the form says.
  void showTree();
  void showCountLabel();
  void showProgressBar();

  TForm10& form_;
  bool opened_ = false;
  size_t nodesShown_ = 0;
  ExtractorTreeModel* model_ = nullptr;

  QLabel* explanation_ = nullptr;
  QCheckBox* compressed_ = nullptr;  // CheckBox2
  QLabel* backupLabel_ = nullptr;
  QLineEdit* backupField_ = nullptr;  // Edit1
  QPushButton* browse_ = nullptr;     // Button7
  QPushButton* notes_ = nullptr;      // Button5
  QLabel* contentsLabel_ = nullptr;
  QTreeView* tree_ = nullptr;            // TreeView1
  QStackedWidget* countArea_ = nullptr;  // the progress bar over the count label
  QLabel* countLabel_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QPushButton* checkAll_ = nullptr;         // Button2
  QPushButton* entireDirectory_ = nullptr;  // Button3
  QLabel* extractToLabel_ = nullptr;
  QComboBox* extractTo_ = nullptr;  // ComboBox1
  QCheckBox* recurse_ = nullptr;    // CheckBox1
  QPushButton* help_ = nullptr;     // Button4
  QPushButton* extract_ = nullptr;  // Button8
  QPushButton* exit_ = nullptr;     // Button1
};

}  // namespace corvasta
