// The Settings tab of Backup Properties: backup type, target with its
// browse button, compression level and verification.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/core/Core.h"
#include "backup/model/BackupTypes.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kBackupTypes = 5;
constexpr int kCompressionLevels = 6;

// A list of fixed captions whose index is a value of the form.
QComboBox* boundChoice(const PrefsPageContext& context, const char* name,
                       const std::vector<QString>& captions, std::function<int()> index,
                       std::function<void(int)> chosen) {
  auto* list = named(new QComboBox(context.parent), name);
  for (const QString& caption : captions) list->addItem(caption);
  QObject::connect(list, &QComboBox::activated, list,
                   [context, chosen](int to) { context.press([chosen, to] { chosen(to); }); });
  context.onRefresh([list, index] {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index());
  });
  return list;
}

}  // namespace

QWidget* buildSettingsTab(const PrefsPageContext& context) {
  TForm8& form = context.form;
  BackupConfigRecord& config = form.core.Form8.config;
  auto* tab = named(new QWidget(context.parent), "settingsTab");

  std::vector<QString> types, levels;
  for (int type = 0; type < kBackupTypes; ++type)
    types.push_back(fromAnsi(backupTypeRules(type).caption));
  for (int level = 0; level < kCompressionLevels; ++level)
    levels.push_back(fromAnsi(compressionRules(level).caption));
  QComboBox* backupType = boundChoice(
      context, "backupType", types, [&config] { return config.backupType; },
      [&form](int type) { form.BackupTypeChange(type); });
  QComboBox* compression = boundChoice(
      context, "compression", levels, [&config] { return config.compress; },
      [&form, &config](int level) {
        config.compress = level;
        form.PreferenceChange();
      });

  QLineEdit* target = boundField(
      context, "target", [&config] { return config.target; },
      [&form](const std::string& typed) { form.TargetChange(typed); });
  QPushButton* browse =
      boundButton(context, "targetBrowse", "...", [&form] { form.TargetBrowseClick(); });
  browse->setFixedWidth(28);
  QCheckBox* verify = preferenceCheckBox(context, "verifyBox", kVerifyCaption, config.verifyBackup);

  auto* grid = new QGridLayout(tab);
  const auto caption = [tab](const char* text, QWidget* buddy) {
    auto* label = new QLabel(fromAnsi(text), tab);
    label->setBuddy(buddy);
    return label;
  };
  grid->addWidget(caption(kBackupTypeCaption, backupType), 0, 0);
  grid->addWidget(backupType, 0, 1, 1, 2);
  grid->addWidget(caption(kTargetCaption, target), 1, 0);
  grid->addWidget(target, 1, 1);
  grid->addWidget(browse, 1, 2);
  grid->addWidget(caption(kCompressionCaption, compression), 2, 0);
  grid->addWidget(compression, 2, 1, 1, 2);
  grid->addWidget(verify, 3, 0, 1, 3);
  grid->setRowStretch(4, 1);
  grid->setColumnStretch(1, 1);
  return tab;
}

}  // namespace corvasta
