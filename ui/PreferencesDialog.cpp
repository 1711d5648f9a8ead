// The Preferences dialog: the navigation tree, the stacked pages, "O K",
// "Cancel", "&Apply" and "&Help", and the refresh that shows the form.

#include "ui/PreferencesDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/OperationGuard.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kPageRole = Qt::UserRole;
constexpr int kTabRole = Qt::UserRole + 1;
constexpr int kNoTab = -1;

QTreeWidgetItem* treeItem(const PrefsTreeNode& node) {
  auto* item = new QTreeWidgetItem(QStringList{fromAnsi(node.text)});
  item->setData(0, kPageRole, static_cast<int>(node.page));
  item->setData(0, kTabRole, node.tab ? static_cast<int>(*node.tab) : kNoTab);
  for (const PrefsTreeNode& child : node.children) item->addChild(treeItem(child));
  return item;
}

PrefsTreeNode nodeOf(const QTreeWidgetItem& item) {
  PrefsTreeNode node{toAnsi(item.text(0)),
                     static_cast<PrefsPage>(item.data(0, kPageRole).toInt()),
                     std::nullopt,
                     {}};
  const int tab = item.data(0, kTabRole).toInt();
  if (tab != kNoTab) node.tab = static_cast<PropertiesTab>(tab);
  return node;
}

}  // namespace

PreferencesDialog::PreferencesDialog(TForm8& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("Form8"));
  setModal(true);
  setWindowTitle(fromAnsi(kPreferencesCaption));
  buildTree();
  buildPages();
  buildLayout();
  refresh();
}

PreferencesDialog::~PreferencesDialog() {
  form_.CloseDialog = nullptr;
}

void PreferencesDialog::buildTree() {
  tree_ = named(new QTreeWidget(this), "tree");
  tree_->setHeaderHidden(true);
  tree_->setFixedWidth(170);
  for (const PrefsTreeNode& node : form_.tree()) tree_->addTopLevelItem(treeItem(node));
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    const PrefsTreeNode node = nodeOf(*item);
    press([this, node] { form_.TreeView1Click(node); });
  });
}

void PreferencesDialog::buildPages() {
  const PrefsPageContext context{
      {this, [this](const std::function<void()>& handler) { press(handler); }, &refreshers_},
      form_};
  pages_ = named(new QStackedWidget(this), "pages");
  pageWidgets_ = {
      buildBackupManagerPage(context), buildBackupPropertiesPage(context, &propertiesTabs_),
      buildBackupNamesPage(context),   buildSystemBackupsPage(context),
      buildAutomationPage(context),    buildDesktopIconsPage(context),
      buildCdFormatPage(context),      buildAdvancedPage(context)};
  for (QWidget* page : pageWidgets_) pages_->addWidget(page);
  connect(propertiesTabs_, &QTabWidget::currentChanged, this, [this](int tab) {
    press([this, tab] { form_.PropertiesTabChange(static_cast<PropertiesTab>(tab)); });
  });

  ok_ = boundButton(context, "okButton", "O K", [this] { form_.OKClick(); });
  cancel_ = boundButton(context, "cancelButton", "Cancel", [this] { form_.CancelClick(); });
  apply_ = boundButton(
      context, "applyButton", "&Apply", [this] { form_.ApplyClick(); },
      [this] { return form_.applyEnabled; });
  help_ = boundButton(context, "helpButton", "&Help", [this] { form_.HelpClick(); });
}

void PreferencesDialog::buildLayout() {
  auto* middle = new QHBoxLayout;
  middle->addWidget(tree_);
  middle->addWidget(pages_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {ok_, cancel_, apply_, help_}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);
  resize(640, 470);
}

void PreferencesDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (opened_) return;
  opened_ = true;
  // "O K" and "Cancel" close the dialog that opened last.
  form_.CloseDialog = [this] { QDialog::done(QDialog::Accepted); };
  press([this] { form_.FormActivate(); });
}

void PreferencesDialog::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // Minimised with the program is not closed: the next show is no opening.
  if (!event->spontaneous()) opened_ = false;
}

void PreferencesDialog::reject() {
  // The window's close box and Escape are "Cancel".
  press([this] { form_.CancelClick(); });
}

void PreferencesDialog::press(const std::function<void()>& handler) {
  runReportingErrors(form_.core, handler);
  refresh();
}

void PreferencesDialog::refresh() {
  for (const std::function<void()>& refresher : refreshers_) refresher();
  pages_->setCurrentWidget(pageWidgets_[static_cast<size_t>(form_.page)]);
  {
    const QSignalBlocker quiet(propertiesTabs_);
    propertiesTabs_->setCurrentIndex(static_cast<int>(form_.propertiesTab));
  }
  if (form_.treeExpanded)
    for (int item = 0; item < tree_->topLevelItemCount(); ++item)
      tree_->topLevelItem(item)->setExpanded(true);
  showTreeSelection();
}

void PreferencesDialog::showTreeSelection() {
  // The node of the page shown, the Backup Properties child of its tab.
  QTreeWidgetItem* shown = nullptr;
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    const PrefsTreeNode node = nodeOf(**it);
    if (node.page != form_.page) continue;
    if (!shown || (node.tab == form_.propertiesTab && (*it)->parent())) shown = *it;
  }
  const QSignalBlocker quiet(tree_);
  tree_->setCurrentItem(shown);
}

}  // namespace corvasta
