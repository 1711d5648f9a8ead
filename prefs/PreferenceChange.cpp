// The change check run by every control, the Replace check, the target and
// block fields, the Backup Names page and the Maximum and Keep counters.

#include <cctype>

#include "app/core/Core.h"
#include "backup/Backup.h"
#include "backup/SetNaming.h"
#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"

namespace corvasta {

void TForm8::updateEnabling() {
  const std::string drive = core.Form8.config.target.substr(0, 3);
  enabling = enablingRules(core.Form8.config, core.env.files.getDriveType(drive));
  core.Form8.blockCheckEnabled = enabling.blockCheck;
  core.Form8.blockNumberEnabled = enabling.blockNumber;
}

void TForm8::PreferenceChange() {
  backup.manager.CheckMaximumBackups();
  applyEnabled = true;
  updateEnabling();
}

void TForm8::BackupTypeChange(int backupType) {
  core.Form8.config.backupType = backupType;
  changed();
  if (backupType == kReplaceBackup &&
      platform::ansiEqualNoCase(core.Form8.config.target, core.loc.programDir))
    core.env.ui.messageBox(kReplaceTargetWarning, core.ApplicationTitle, Buttons::Ok,
                           Icon::Warning);
}

void TForm8::TargetChange(const std::string& target) {
  core.Form8.config.target = target;
  BackupTypeChange(core.Form8.config.backupType);
}

void TForm8::TargetBrowseClick() {
  const std::optional<std::string> chosen =
      core.env.ui.chooseFolder(kTargetBrowseTitle, core.loc.programDir);
  if (!chosen) return;
  const std::string target = CheckPath(*chosen);
  TargetChange(target == "\\" ? core.loc.programDir : target);
}

void TForm8::BlockCheckClick(bool checked) {
  core.Form8.setBlockCheck(checked);
  changed();
}

bool TForm8::BlockNumberKeyPress(char key) {
  return key == '\b' || std::isdigit(static_cast<unsigned char>(key));
}

void TForm8::UseDateClick(bool useDate) {
  core.Form8.setUseDate(useDate);
  changed();
}

void TForm8::DateFormatChange(const std::string& format) {
  core.Form8.dateFormat = format;
  changed();
  refreshExampleLine();
}

void TForm8::refreshExampleLine() {
  exampleLine =
      kExampleLinePrefix + setNameDate(core.Form8.dateFormat, core.loc.shortDateFormat, core.now());
}

void TForm8::MaximumChange(int maximum) {
  core.Form8.maxNum = maximum;
  backup.manager.KeepOrMaximumChanged();
  changed();
}

void TForm8::KeepChange(int keep) {
  core.Form8.keep = keep;
  backup.manager.KeepOrMaximumChanged();
  changed();
}

}  // namespace corvasta
