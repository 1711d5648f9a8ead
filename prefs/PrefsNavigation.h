#pragma once
// The Preferences dialog's navigation: the tree on the left (two shapes by
// Windows mode), the page each node selects, the inner tabs of Backup
// Properties and the help topic of each page.

#include <optional>
#include <string>
#include <vector>

namespace corvasta {

// The dialog's pages; the tree selects them, their tabs are not shown.
enum class PrefsPage {
  BackupManager,
  BackupProperties,
  BackupNames,
  SystemBackups,  // modes 2, 3, 6
  Automation,
  DesktopIcons,
  CdFormat,
  Advanced,
};

// The inner pages of Backup Properties, with visible tabs at the bottom.
enum class PropertiesTab { Introduction, Settings, WinFiles, OtherFiles, Misc, MiscCd };

struct PrefsTreeNode {
  std::string text;
  PrefsPage page = PrefsPage::BackupProperties;
  std::optional<PropertiesTab> tab;  // Backup Properties and its children
  std::vector<PrefsTreeNode> children;
};

// Modes 2, 3 and 6 use the second tree, which has the system-backup node.
bool usesSecondTree(int windowsMode);
// "Win98 Backups", "WinME Backups", "WinXP Restore Points"; empty in the
// modes of the first tree.
std::string systemBackupNodeText(int windowsMode);
// The tree of a Windows mode, top-level nodes in order.
std::vector<PrefsTreeNode> navigationTree(int windowsMode);

// The tab captions of Backup Properties, in PropertiesTab order.
const std::vector<std::string>& propertiesTabCaptions();

// The help topic of a page; empty for the system-backup page, which has none.
std::string helpTopicOfPage(PrefsPage page);

}  // namespace corvasta
