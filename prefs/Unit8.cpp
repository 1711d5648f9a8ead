// TForm8: navigation, activation, "O K", "Cancel", "&Apply", "&Help" and the
// refresh of the config names.

#include "prefs/Unit8.h"

#include "app/core/Core.h"
#include "app/core/SettingsConfigRecord.h"
#include "backup/Backup.h"
#include "platform/profile/ini_file.h"

namespace corvasta {

TForm8::TForm8(Core& core, Backup& backup) : core(core), backup(backup), cdFormat(core) {
  // A change on a page with logic of its own is a change of the dialog.
  const auto dialogChanged = [this] { PreferenceChange(); };
  backupManager.OnChange = dialogChanged;
  systemBackups.OnChange = dialogChanged;
  automation.OnChange = dialogChanged;
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
  backupManagerColumn1 = backup.manager.lists.column1Caption();
  std::erase_if(selectedSets, [&](size_t row) { return row >= backup.manager.lists.rows.size(); });
  deleteSetEnabled = !selectedSets.empty();
  renameSetEnabled = selectedSets.size() == 1;
  treeExpanded = true;
  core.RedoShortDate();
  backupManager.RefreshCaptionAndButtons();
  desktopIcons.LoadDesktopIcons();
  configListText = core.Form8.configNames[static_cast<size_t>(core.Form8.curConfig - 1)];
  if (otherFilesSelection && *otherFilesSelection >= core.Form8.otherFilesNames.size())
    otherFilesSelection.reset();
  PreferenceChange();
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
