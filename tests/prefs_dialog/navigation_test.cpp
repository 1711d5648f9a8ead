// The dialog's tree by Windows mode, the page each node opens with its help
// topic, and what each mode shows.

#include <gtest/gtest.h>

#include "prefs/ModeVisibility.h"
#include "prefs/PrefsNavigation.h"
#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

using corvasta::PrefsPage;
using corvasta::PropertiesTab;

std::vector<std::string> topLevelTexts(int mode) {
  std::vector<std::string> texts;
  for (const corvasta::PrefsTreeNode& node : corvasta::navigationTree(mode))
    texts.push_back(node.text);
  return texts;
}

TEST(Navigation, TheSecondTreeAddsTheSystemBackupNodeOfItsMode) {
  const std::vector<std::string> first{"Backup Manager", "Backup Properties", "Backup Names",
                                       "Automation",     "Desktop Icons",     "CD Format",
                                       "Advanced"};
  for (int mode : {1, 4, 5}) EXPECT_EQ(topLevelTexts(mode), first) << mode;
  for (const auto& [mode, node] : {std::pair{2, "Win98 Backups"}, std::pair{3, "WinME Backups"},
                                   std::pair{6, "WinXP Restore Points"}}) {
    std::vector<std::string> second = first;
    second.insert(second.begin() + 3, node);
    EXPECT_EQ(topLevelTexts(mode), second) << mode;
    EXPECT_EQ(corvasta::navigationTree(mode)[3].page, PrefsPage::SystemBackups);
  }
}

TEST(Navigation, NodesOpenTheirPagesAndTabsWithTheirHelpTopics) {
  PrefsMachine m(WindowsVersion::WinMe);
  corvasta::TForm8& dialog = m.dialog();
  const std::vector<corvasta::PrefsTreeNode> tree = dialog.tree();
  const corvasta::PrefsTreeNode& properties = tree[1];
  ASSERT_EQ(properties.children.size(), 5u);
  dialog.TreeView1Click(properties.children[3]);
  EXPECT_EQ(dialog.page, PrefsPage::BackupProperties);
  EXPECT_EQ(dialog.propertiesTab, PropertiesTab::OtherFiles);
  // The parent node shows Introduction, as the first child does.
  dialog.TreeView1Click(properties);
  EXPECT_EQ(dialog.propertiesTab, PropertiesTab::Introduction);

  const std::vector<std::pair<size_t, std::string>> topics{
      {0, "Topic7"}, {1, "Topic8"},  {2, "Topic44"}, {3, ""},
      {4, "Topic9"}, {5, "Topic40"}, {6, "Topic47"}, {7, "Topic10"}};
  std::vector<std::string> shown;
  dialog.ShowHelp = [&](const std::string& topic) { shown.push_back(topic); };
  for (const auto& [node, topic] : topics) {
    dialog.TreeView1Click(tree[node]);
    EXPECT_EQ(dialog.helpTopic(), topic) << tree[node].text;
    dialog.HelpClick();
  }
  // The system-backup page has no topic: "&Help" opens nothing there.
  EXPECT_EQ(shown, (std::vector<std::string>{"Topic7", "Topic8", "Topic44", "Topic9", "Topic40",
                                             "Topic47", "Topic10"}));
  EXPECT_EQ(corvasta::propertiesTabCaptions(),
            (std::vector<std::string>{"Introduction", "Settings", "WinFiles", "Other Files",
                                      "Misc.", "Misc. CD"}));
}

TEST(Visibility, EachModeShowsItsOwnControls) {
  const corvasta::ModeVisibility mode1 = corvasta::modeVisibility(1, "95");
  EXPECT_EQ(mode1.winFilesItems[9], "protocol.ini (WinConfig)");
  EXPECT_TRUE(mode1.whichRegistry && mode1.windowsRestart && mode1.userButton);
  EXPECT_FALSE(mode1.cabExtractor || mode1.secondTree);
  EXPECT_EQ(mode1.systemBackupDirectoryCaption, "");

  const corvasta::ModeVisibility mode2 = corvasta::modeVisibility(2, "98");
  EXPECT_EQ(mode2.winFilesItems[9], "protocol.ini (WinConfig)");
  EXPECT_FALSE(mode2.whichRegistry || mode2.userButton);
  EXPECT_TRUE(mode2.cabExtractor && mode2.windowsRestart && mode2.secondTree);
  EXPECT_EQ(mode2.systemBackupDirectoryCaption, "&Win98 Backup Directory");
  EXPECT_TRUE(mode2.systemBackupCounter);
  EXPECT_EQ(mode2.systemBackupCounterCaption, "&Maximum Number of Win98 Backups");

  const corvasta::ModeVisibility mode3 = corvasta::modeVisibility(3, "ME");
  EXPECT_EQ(mode3.winFilesItems[9], "scanreg.ini (WinConfig)");
  EXPECT_EQ(mode3.systemBackupCounterCaption, "&Maximum Number of WinME Backups");

  for (int nt : {4, 5}) {
    const corvasta::ModeVisibility shown = corvasta::modeVisibility(nt, "NT");
    EXPECT_EQ(shown.winFilesItems[1], "autoexec.nt (WinConfig)");
    EXPECT_FALSE(shown.whichRegistry || shown.cabExtractor || shown.windowsRestart);
    EXPECT_TRUE(shown.userButton);
    EXPECT_FALSE(shown.secondTree);
  }
  const corvasta::ModeVisibility mode6 = corvasta::modeVisibility(6, "XP");
  EXPECT_TRUE(mode6.secondTree && mode6.userButton);
  EXPECT_FALSE(mode6.windowsRestart || mode6.cabExtractor);
  EXPECT_EQ(mode6.systemBackupDirectoryCaption, "&WinXP Restore Points Directory");
  EXPECT_FALSE(mode6.systemBackupCounter);
}

}  // namespace
}  // namespace prefs_dialog_test
