// TForm8: navigation, activation, "O K", "Cancel", "&Apply", "&Help" and the
// refresh of the config names.

#include "prefs/Unit8.h"

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "backup/Backup.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

TForm8::TForm8(Core& core, Backup& backup) : core(core), backup(backup), cdFormat(core) {
  // A change on any page is a change of the dialog.
  const auto changedHere = [this] { PreferenceChange(); };
  backupManager.OnChange = changedHere;
  systemBackups.OnChange = changedHere;
  automation.OnChange = changedHere;
}

ModeVisibility TForm8::visibility() const {
  return modeVisibility(core.WindowsMode, core.ShortModeName);
}

std::vector<PrefsTreeNode> TForm8::tree() const {
  return navigationTree(core.WindowsMode);
}

void TForm8::ShowPage(PrefsPage shown, PropertiesTab tab) {
  page = shown;
  propertiesTab = tab;
  if (page == PrefsPage::CdFormat) cdFormat.Show(cdEngine);
  RefreshCheckBoxes();
}

void TForm8::TreeView1Click(const PrefsTreeNode& node) {
  ShowPage(node.page, node.tab.value_or(propertiesTab));
}

void TForm8::PropertiesTabChange(PropertiesTab tab) {
  propertiesTab = tab;
  RefreshCheckBoxes();
}

void TForm8::FormActivate() {
  core.FindDesktopFolder();
  core.ReadSettings();
  backup.manager.RefreshBackupManager();
  backupManager.RefreshCaptionAndButtons();
  treeExpanded = true;
  core.RedoShortDate();
  desktopIcons.LoadDesktopIcons();
  configListText = core.Form8.configNames[static_cast<size_t>(core.Form8.curConfig - 1)];
  if (otherFilesSelection && *otherFilesSelection >= core.Form8.otherFilesNames.size())
    otherFilesSelection.reset();
  // Opening the dialog changes nothing: the enabling rules only, no change check.
  updateEnabling();
  refreshExampleLine();
  applyEnabled = false;
}

void TForm8::OKClick() {
  ApplyClick();
  if (CloseDialog) CloseDialog();
}

void TForm8::CancelClick() {
  // Everything comes back from the file, the config names too.
  core.ReadSettings();
  backup.manager.RefreshBackupManager();
  const platform::TIniFile settings(core.env.machine, core.settingsFile());
  for (int config = 1; config <= 4; ++config)
    core.Form8.configNames[static_cast<size_t>(config - 1)] = readConfigName(settings, config);
  configListText = core.Form8.configNames[static_cast<size_t>(core.Form8.curConfig - 1)];
  RefreshCheckBoxes();
  applyEnabled = false;
  if (CloseDialog) CloseDialog();
}

void TForm8::ApplyClick() {
  core.WriteSettings();
  RefreshCheckBoxes();
  backup.manager.RefreshBackupManager();
  applyEnabled = false;
}

void TForm8::HelpClick() {
  const std::string topic = helpTopic();
  if (!topic.empty() && ShowHelp) ShowHelp(topic);
}

void TForm8::RefreshCheckBoxes() {
  for (int config = 1; config <= 4; ++config)
    core.Form8.automationLabels[static_cast<size_t>(config - 1)] =
        core.Form8.automationLabel(config);
  if (ConfigNamesChanged) ConfigNamesChanged();
}

}  // namespace corvasta
