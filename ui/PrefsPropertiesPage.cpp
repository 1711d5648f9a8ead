// The Backup Properties page: the editable config list over the inner tabs
// (at the bottom), and the Introduction tab with "&Display Config Settings".

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "app/core/TextLines.h"
#include "prefs/ConfigReport.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/ConfigReportViewer.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

// The config list: opening it arms the config switch.
class ConfigList : public QComboBox {
 public:
  ConfigList(TForm8& form, QWidget* parent) : QComboBox(parent), form_(form) {}
  void showPopup() override {
    form_.ComboBox9DropDown();
    QComboBox::showPopup();
  }

 private:
  TForm8& form_;
};

// Keys typed into the config list's field pass the form's character check.
class ConfigKeyFilter : public QObject {
 public:
  ConfigKeyFilter(TForm8& form, QObject* parent) : QObject(parent), form_(form) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const std::string typed = toAnsi(static_cast<QKeyEvent*>(event)->text());
    return typed.size() == 1 && static_cast<unsigned char>(typed[0]) >= ' ' &&
           !form_.ComboBox9KeyPress(typed[0]);
  }

 private:
  TForm8& form_;
};

QComboBox* buildConfigList(const PrefsPageContext& context) {
  TForm8& form = context.form;
  auto* list = named(new ConfigList(form, context.parent), "configList");
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->setMinimumContentsLength(static_cast<int>(kConfigNameLength) + 2);
  QLineEdit* field = list->lineEdit();
  field->setObjectName(QStringLiteral("configListField"));
  field->installEventFilter(new ConfigKeyFilter(form, field));
  QObject::connect(list, &QComboBox::activated, list, [context](int index) {
    context.press(
        [&form = context.form, index] { form.ComboBox9Change(static_cast<size_t>(index)); });
  });
  QObject::connect(field, &QLineEdit::textEdited, field, [context, field](const QString& text) {
    const ConfigNameEdit typed{toAnsi(text), static_cast<size_t>(field->cursorPosition()), 0};
    ConfigNameEdit kept;
    context.press([&form = context.form, typed, &kept] { kept = form.ComboBox9Edited(typed); });
    field->setCursorPosition(static_cast<int>(kept.selStart));
  });
  context.onRefresh([&form, list, field] {
    const QSignalBlocker quiet(list);
    const int cursor = field->cursorPosition();
    for (int config = 0; config < 4; ++config) {
      const QString name = fromAnsi(form.core.Form8.configNames[static_cast<size_t>(config)]);
      if (list->count() <= config)
        list->addItem(name);
      else
        list->setItemText(config, name);
    }
    list->setCurrentIndex(form.core.Form8.curConfig - 1);
    field->setText(fromAnsi(form.configListText));
    field->setCursorPosition(cursor);
  });
  return list;
}

}  // namespace

QWidget* buildIntroductionTab(const PrefsPageContext& context) {
  auto* tab = named(new QWidget(context.parent), "introductionTab");
  TForm8& form = context.form;
  QWidget* dialog = context.parent;
  QPushButton* report =
      boundButton(context, "displayConfigButton", "&Display Config Settings", [&form, dialog] {
        form.DisplayConfigSettingsClick();
        showConfigReportViewer(dialog, kConfigReportFile,
                               loadLines(form.core.env.files, configReportPath(form.core)));
      });
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(report, 0, Qt::AlignLeft);
  layout->addStretch(1);
  return tab;
}

QWidget* buildBackupPropertiesPage(const PrefsPageContext& context, QTabWidget** tabs) {
  auto* page = named(new QWidget(context.parent), "backupPropertiesPage");
  QComboBox* list = buildConfigList(context);
  auto* caption = new QLabel(fromAnsi(kConfigListCaption), page);
  caption->setBuddy(list);

  *tabs = named(new QTabWidget(page), "propertiesTabs");
  (*tabs)->setTabPosition(QTabWidget::South);
  const std::vector<QWidget*> inner{buildIntroductionTab(context), buildSettingsTab(context),
                                    buildWinFilesTab(context),     buildOtherFilesTab(context),
                                    buildMiscTab(context),         buildMiscCdTab(context)};
  for (size_t tab = 0; tab < inner.size(); ++tab)
    (*tabs)->addTab(inner[tab], fromAnsi(propertiesTabCaptions()[tab]));

  auto* top = new QHBoxLayout;
  top->addWidget(caption);
  top->addWidget(list);
  top->addStretch(1);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(*tabs, 1);
  return page;
}

}  // namespace corvasta
