// The Extractor dialog's controls bound to TForm10: each press runs the
// form's handler and shows the state it left; the count label and the
// progress bar are repainted while the form lists or extracts.

#include <QCheckBox>
#include <QComboBox>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeView>

#include "extractor/Unit10.h"
#include "ui/ExtractorDialog.h"
#include "ui/ExtractorTreeModel.h"
#include "ui/OperationGuard.h"
#include "ui/QtUi.h"

namespace corvasta {

ExtractorDialog::~ExtractorDialog() {
  form_.PaintCountLabel = nullptr;
  form_.PaintProgressBar = nullptr;
}

void ExtractorDialog::connectControls() {
  form_.PaintCountLabel = [this] {
    // A listing adds nodes as it goes: the tree shows them as they come.
    if (form_.TreeView1.size() != nodesShown_) showTree();
    showCountLabel();
    countArea_->repaint();
  };
  form_.PaintProgressBar = [this] {
    showProgressBar();
    countArea_->repaint();
  };

  connect(browse_, &QPushButton::clicked, this,
          [this] { press([this] { form_.Button7Click(); }, true); });
  connect(notes_, &QPushButton::clicked, this, [this] { press([this] { form_.Button5Click(); }); });
  connect(checkAll_, &QPushButton::clicked, this,
          [this] { press([this] { form_.Button2Click(); }); });
  connect(entireDirectory_, &QPushButton::clicked, this,
          [this] { press([this] { form_.Button3Click(); }); });
  connect(extract_, &QPushButton::clicked, this,
          [this] { press([this] { form_.Button8Click(); }); });
  connect(help_, &QPushButton::clicked, this, [this] { press([this] { form_.Button4Click(); }); });
  connect(exit_, &QPushButton::clicked, this, [this] {
    press([this] { form_.Button1Click(); });
    if (form_.Closed) accept();
  });
  connect(compressed_, &QCheckBox::clicked, this,
          [this](bool checked) { press([this, checked] { form_.CheckBox2Click(checked); }); });
  connect(recurse_, &QCheckBox::clicked, this,
          [this](bool checked) { press([this, checked] { form_.CheckBox1 = checked; }); });
  connect(extractTo_, &QComboBox::activated, this,
          [this](int index) { press([this, index] { form_.ComboBox1Change(index); }); });
  // A click on a file's check box or its text toggles it; any click selects.
  connect(tree_, &QTreeView::clicked, this, [this](const QModelIndex& index) {
    const int node = model_->nodeOf(index);
    if (node >= 0) press([this, node] { form_.ToggleNode(node); });
  });
  connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { form_.Selected = model_->nodeOf(current); });
}

void ExtractorDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  press([this] { form_.FormShow(); }, true);
}

void ExtractorDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // Minimised with the program is not closed: the next show is no opening.
  if (!event->spontaneous()) opened_ = false;
}

void ExtractorDialog::press(const std::function<void()>& handler, bool refill) {
  // A handler that fills the tree anew first clears it: until the nodes
  // come, the view holds only the roots, which stay where they are.
  if (refill) model_->refresh();
  runReportingErrors(form_.core, handler);
  if (refill || form_.TreeView1.size() != nodesShown_) showTree();
  showForm();
}

void ExtractorDialog::showTree() {
  nodesShown_ = form_.TreeView1.size();
  model_->refresh();
  for (int root : form_.TreeView1.Roots()) {
    if (!form_.TreeView1.node(root).expanded) continue;
    // The rows now, not at the view's next layout: the tree is the form's as shown.
    const QModelIndex index = model_->reveal(root);
    if (model_->canFetchMore(index)) model_->fetchMore(index);
    tree_->expand(index);
  }
  if (form_.Selected >= 0) {
    const QSignalBlocker quiet(tree_->selectionModel());
    tree_->setCurrentIndex(model_->reveal(form_.Selected));
  }
}

void ExtractorDialog::showCountLabel() {
  countLabel_->setText(fromAnsi(form_.CountLabel));
}

void ExtractorDialog::showProgressBar() {
  progressBar_->setValue(form_.ProgressBarPosition);
  countArea_->setCurrentWidget(form_.ProgressBarVisible ? static_cast<QWidget*>(progressBar_)
                                                        : countLabel_);
}

void ExtractorDialog::showForm() {
  setWindowTitle(fromAnsi(form_.Caption));
  explanation_->setText(fromAnsi(form_.Label1));
  {
    const QSignalBlocker quiet(compressed_);
    compressed_->setText(fromAnsi(form_.CheckBox2Caption));
    compressed_->setChecked(form_.CheckBox2);
  }
  backupLabel_->setText(fromAnsi(form_.BackupLabel));
  backupField_->setText(fromAnsi(form_.Edit1));
  browse_->setText(fromAnsi(form_.Button7Caption));
  notes_->setText(fromAnsi(form_.Button5Caption));
  notes_->setEnabled(form_.Button5Enabled);
  contentsLabel_->setText(fromAnsi(form_.ContentsLabel));
  model_->refreshChecks();
  showCountLabel();
  showProgressBar();
  checkAll_->setText(fromAnsi(form_.Button2Caption));
  checkAll_->setEnabled(form_.Button2Enabled);
  entireDirectory_->setText(fromAnsi(form_.Button3Caption));
  entireDirectory_->setEnabled(form_.Button3Enabled);
  extractToLabel_->setText(fromAnsi(form_.ExtractToLabel));
  {
    const QSignalBlocker quiet(extractTo_);
    extractTo_->clear();
    for (const std::string& item : form_.ComboBox1Items) extractTo_->addItem(fromAnsi(item));
    extractTo_->setCurrentIndex(form_.ComboBox1Index);
  }
  {
    const QSignalBlocker quiet(recurse_);
    recurse_->setText(fromAnsi(form_.CheckBox1Caption));
    recurse_->setChecked(form_.CheckBox1);
    recurse_->setEnabled(form_.CheckBox1Enabled);
  }
  help_->setText(fromAnsi(form_.Button4Caption));
  extract_->setText(fromAnsi(form_.Button8Caption));
  extract_->setEnabled(form_.Button8Enabled);
  exit_->setText(fromAnsi(form_.Button1Caption));
}

}  // namespace corvasta
