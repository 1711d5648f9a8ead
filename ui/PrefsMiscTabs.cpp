// The Misc. and Misc. CD tabs of Backup Properties: the run's options, the
// block size, the password (masked), which registry to back up (Windows
// mode 1) and the CD options.

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

// The block field takes only the keys the form accepts.
class BlockKeyFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const std::string typed = toAnsi(static_cast<QKeyEvent*>(event)->text());
    return typed.size() == 1 && static_cast<unsigned char>(typed[0]) >= ' ' &&
           !TForm8::BlockNumberKeyPress(typed[0]);
  }
};

QGroupBox* whichRegistryGroup(const PrefsPageContext& context) {
  TForm8& form = context.form;
  BackupConfigRecord& config = form.core.Form8.config;
  auto* group =
      named(new QGroupBox(fromAnsi(kWhichRegistryCaption), context.parent), "whichRegistryGroup");
  const auto choose = [&form, &config](bool previous) {
    return [&form, &config, previous] {
      config.previousRegistry = previous;
      form.PreferenceChange();
    };
  };
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(boundRadioButton(
      context, "previousRegistry", kPreviousRegistryCaption,
      [&config] { return config.previousRegistry; }, choose(true)));
  layout->addWidget(boundRadioButton(
      context, "currentRegistry", kCurrentRegistryCaption,
      [&config] { return !config.previousRegistry; }, choose(false)));
  context.onRefresh([group, &form] {
    group->setVisible(form.visibility().whichRegistry);
    group->setEnabled(form.enabling.whichRegistry);
  });
  return group;
}

}  // namespace

QWidget* buildMiscTab(const PrefsPageContext& context) {
  TForm8& form = context.form;
  PreferenceValues& values = form.core.Form8;
  BackupConfigRecord& config = values.config;
  auto* tab = named(new QWidget(context.parent), "miscTab");

  QCheckBox* blockCheck = boundCheckBox(
      context, "blockCheckBox", kBlockCheckCaption, [&config] { return config.blockCheck; },
      [&form](bool on) { form.BlockCheckClick(on); }, [&form] { return form.enabling.blockCheck; });
  QLineEdit* blockNumber = boundField(
      context, "blockNumber", [&config] { return config.blockNumber; },
      [&form, &config](const std::string& typed) {
        config.blockNumber = typed;
        form.PreferenceChange();
      },
      [&form] { return form.enabling.blockNumber; });
  blockNumber->installEventFilter(new BlockKeyFilter(blockNumber));
  blockNumber->setMaximumWidth(100);
  auto* bytes = named(new QLabel(fromAnsi(kBlockBytesCaption), tab), "blockBytesLabel");
  context.onRefresh([bytes, &form] { bytes->setEnabled(form.enabling.blockNumber); });

  QLineEdit* password = boundField(
      context, "password", [&values] { return values.password; },
      [&form, &values](const std::string& typed) {
        values.password = typed;
        form.PreferenceChange();
      });
  password->setEchoMode(QLineEdit::Password);
  password->setToolTip(fromAnsi(kPasswordHint));
  auto* passwordLabel = new QLabel(fromAnsi(kPasswordCaption), tab);
  passwordLabel->setBuddy(password);
  passwordLabel->setToolTip(fromAnsi(kPasswordHint));

  auto* grid = new QGridLayout(tab);
  int row = 0;
  grid->addWidget(
      preferenceCheckBox(context, "closeAfterBox", kCloseAfterCaption, config.closeAfterBackup),
      row++, 0, 1, 3);
  grid->addWidget(
      preferenceCheckBox(context, "minimizeBox", kMinimizeCaption, config.minimizeDuringBackup),
      row++, 0, 1, 3);
  grid->addWidget(
      preferenceCheckBox(context, "deleteFilesBox", kDeleteFilesCaption, config.deleteFiles,
                         [&form] { return form.enabling.deleteFiles; }),
      row++, 0, 1, 3);
  grid->addWidget(
      preferenceCheckBox(context, "openFilesBox", kOpenFilesCaption, config.copyOpenFiles), row++,
      0, 1, 3);
  grid->addWidget(
      preferenceCheckBox(context, "treatAsFixedBox", kTreatAsFixedCaption, config.treatAsHardDrive,
                         [&form] { return form.enabling.treatAsFixed; }),
      row++, 0, 1, 3);
  grid->addWidget(blockCheck, row, 0);
  grid->addWidget(blockNumber, row, 1);
  grid->addWidget(bytes, row++, 2);
  grid->addWidget(passwordLabel, row++, 0, 1, 3);
  grid->addWidget(password, row++, 0, 1, 2);
  grid->addWidget(whichRegistryGroup(context), row++, 0, 1, 3);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(2, 1);
  return tab;
}

QWidget* buildMiscCdTab(const PrefsPageContext& context) {
  TForm8& form = context.form;
  BackupConfigRecord& config = form.core.Form8.config;
  auto* tab = named(new QWidget(context.parent), "miscCdTab");
  const auto cdOptions = [&form] { return form.enabling.cdOptions; };
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(preferenceCheckBox(context, "cdPacketBox", kCdPacketCaption,
                                       config.doNotUseCDWrite,
                                       [&form] { return form.enabling.cdPacket; }));
  layout->addWidget(preferenceCheckBox(context, "onlyCorvastaCdsBox", kOnlyCorvastaCdsCaption,
                                       config.onlyCorvastaCDs, cdOptions));
  layout->addWidget(preferenceCheckBox(context, "alwaysBlankBox", kAlwaysBlankCaption,
                                       config.alwaysBlankCDs, cdOptions));
  layout->addWidget(
      preferenceCheckBox(context, "ejectCdBox", kEjectCdCaption, config.ejectCD, cdOptions));
  layout->addStretch(1);
  return tab;
}

}  // namespace corvasta
