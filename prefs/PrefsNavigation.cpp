// The navigation tree, its pages and their help topics.

#include "prefs/PrefsNavigation.h"

namespace corvasta {

bool usesSecondTree(int windowsMode) {
  return windowsMode == 2 || windowsMode == 3 || windowsMode == 6;
}

std::string systemBackupNodeText(int windowsMode) {
  switch (windowsMode) {
    case 2:
      return "Win98 Backups";
    case 3:
      return "WinME Backups";
    case 6:
      return "WinXP Restore Points";
    default:
      return "";
  }
}

std::vector<PrefsTreeNode> navigationTree(int windowsMode) {
  const auto properties = [](const char* text, PropertiesTab tab) {
    return PrefsTreeNode{text, PrefsPage::BackupProperties, tab, {}};
  };
  std::vector<PrefsTreeNode> tree{
      {"Backup Manager", PrefsPage::BackupManager, std::nullopt, {}},
      {"Backup Properties",
       PrefsPage::BackupProperties,
       PropertiesTab::Introduction,
       {properties("Introduction", PropertiesTab::Introduction),
        properties("Settings", PropertiesTab::Settings),
        properties("WinFiles", PropertiesTab::WinFiles),
        properties("Other Files", PropertiesTab::OtherFiles),
        properties("Miscellaneous", PropertiesTab::Misc)}},
      {"Backup Names", PrefsPage::BackupNames, std::nullopt, {}},
  };
  if (usesSecondTree(windowsMode))
    tree.push_back({systemBackupNodeText(windowsMode), PrefsPage::SystemBackups, std::nullopt, {}});
  for (const auto& [text, page] :
       {std::pair{"Automation", PrefsPage::Automation},
        std::pair{"Desktop Icons", PrefsPage::DesktopIcons},
        std::pair{"CD Format", PrefsPage::CdFormat}, std::pair{"Advanced", PrefsPage::Advanced}})
    tree.push_back({text, page, std::nullopt, {}});
  return tree;
}

const std::vector<std::string>& propertiesTabCaptions() {
  static const std::vector<std::string> kCaptions{"Introduction", "Settings", "WinFiles",
                                                  "Other Files",  "Misc.",    "Misc. CD"};
  return kCaptions;
}

std::string helpTopicOfPage(PrefsPage page) {
  switch (page) {
    case PrefsPage::BackupManager:
      return "Topic7";
    case PrefsPage::BackupProperties:
      return "Topic8";
    case PrefsPage::BackupNames:
      return "Topic44";
    case PrefsPage::SystemBackups:
      return "";
    case PrefsPage::Automation:
      return "Topic9";
    case PrefsPage::DesktopIcons:
      return "Topic40";
    case PrefsPage::CdFormat:
      return "Topic47";
    case PrefsPage::Advanced:
      return "Topic10";
  }
  return "";
}

}  // namespace corvasta
