// The Extractor dialog's controls, named after the form's fields, and their
// layout: the explanation and the mode box on top, the backup field with its
// browse and Notes buttons, the tree with the count label under it, the
// check buttons and the destination on the right, the command buttons at the
// bottom.

#include "ui/ExtractorDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "extractor/Unit10.h"
#include "ui/ExtractorTreeModel.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

ExtractorDialog::ExtractorDialog(TForm10& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("Form10"));
  setModal(true);
  buildControls();
  buildLayout();
  connectControls();
  showForm();
}

void ExtractorDialog::buildControls() {
  explanation_ = named(new QLabel(this), "explanation");
  explanation_->setWordWrap(true);
  compressed_ = named(new QCheckBox(this), "compressedBox");
  backupLabel_ = named(new QLabel(this), "backupLabel");
  backupField_ = named(new QLineEdit(this), "backupField");
  backupField_->setReadOnly(true);
  backupLabel_->setBuddy(backupField_);
  browse_ = named(new QPushButton(this), "browseButton");
  browse_->setFixedWidth(28);
  notes_ = named(new QPushButton(this), "notesButton");

  contentsLabel_ = named(new QLabel(this), "contentsLabel");
  model_ = new ExtractorTreeModel(
      form_.TreeView1, [this](int node) { form_.ToggleNode(node); }, this);
  tree_ = named(new QTreeView(this), "tree");
  tree_->setModel(model_);
  tree_->setHeaderHidden(true);
  tree_->setUniformRowHeights(true);
  tree_->setMinimumSize(300, 220);
  contentsLabel_->setBuddy(tree_);

  countLabel_ = named(new QLabel(this), "countLabel");
  countLabel_->setTextFormat(Qt::PlainText);
  progressBar_ = named(new QProgressBar(this), "progressBar");
  progressBar_->setRange(0, 100);
  countArea_ = named(new QStackedWidget(this), "countArea");
  countArea_->addWidget(countLabel_);
  countArea_->addWidget(progressBar_);
  countArea_->setFixedHeight(progressBar_->sizeHint().height());

  checkAll_ = named(new QPushButton(this), "checkAllButton");
  entireDirectory_ = named(new QPushButton(this), "entireDirectoryButton");
  extractToLabel_ = named(new QLabel(this), "extractToLabel");
  extractTo_ = named(new QComboBox(this), "extractTo");
  extractTo_->setMinimumContentsLength(18);
  extractTo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  extractToLabel_->setBuddy(extractTo_);
  recurse_ = named(new QCheckBox(this), "recurseBox");
  help_ = named(new QPushButton(this), "helpButton");
  extract_ = named(new QPushButton(this), "extractButton");
  exit_ = named(new QPushButton(this), "exitButton");
  // Enter in the dialog presses nothing by itself: an extraction is asked for.
  for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
}

void ExtractorDialog::buildLayout() {
  auto* backupRow = new QHBoxLayout;
  backupRow->addWidget(backupLabel_);
  backupRow->addWidget(backupField_, 1);
  backupRow->addWidget(browse_);
  backupRow->addWidget(notes_);

  auto* treeColumn = new QVBoxLayout;
  treeColumn->addWidget(contentsLabel_);
  treeColumn->addWidget(tree_, 1);
  treeColumn->addWidget(countArea_);

  auto* side = new QVBoxLayout;
  side->addWidget(checkAll_);
  side->addWidget(entireDirectory_);
  side->addSpacing(16);
  side->addWidget(extractToLabel_);
  side->addWidget(extractTo_);
  side->addWidget(recurse_);
  side->addStretch(1);

  auto* middle = new QHBoxLayout;
  middle->addLayout(treeColumn, 1);
  middle->addLayout(side);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(help_);
  buttons->addStretch(1);
  buttons->addWidget(extract_);
  buttons->addWidget(exit_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(explanation_);
  layout->addWidget(compressed_);
  layout->addLayout(backupRow);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);
  resize(560, 420);
}

}  // namespace corvasta
