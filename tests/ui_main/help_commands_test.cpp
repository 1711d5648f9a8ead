// The troubleshooter menu and the help commands on sample machines: which
// file, topic and viewer each opens, and what the user is told when the
// machine cannot show it.

#include <gtest/gtest.h>

#include "tests/ui_main/main_window_fixture.h"
#include "ui/HelpCommands.h"
#include "ui/Troubleshooters.h"

namespace ui_main_test {
namespace {

using corvasta::troubleshooterMenu;

size_t shownItems(const corvasta::TroubleshooterMenu& menu) {
  size_t shown = 0;
  for (const auto& item : menu) shown += item.has_value();
  return shown;
}

TEST(TroubleshooterMenu, ItemsPerMode) {
  EXPECT_EQ(shownItems(troubleshooterMenu(3)), 30u);
  EXPECT_EQ(troubleshooterMenu(3)[25]->caption, "Safe Mode");
  EXPECT_EQ(shownItems(troubleshooterMenu(1)), 13u);
  EXPECT_EQ(shownItems(troubleshooterMenu(2)), 15u);
  EXPECT_EQ(shownItems(troubleshooterMenu(4)), 6u);
  EXPECT_EQ(shownItems(troubleshooterMenu(5)), 13u);
  // Windows XP leaves gaps: items 13, 18 and 20 are hidden.
  const corvasta::TroubleshooterMenu xp = troubleshooterMenu(6);
  EXPECT_EQ(shownItems(xp), 19u);
  EXPECT_FALSE(xp[12].has_value());
  EXPECT_EQ(xp[13]->caption, "Printing");
  EXPECT_EQ(xp[21]->topic, "Tsdisp_result.htm");
  EXPECT_EQ(shownItems(troubleshooterMenu(0)), 0u);
}

struct MeMachine : MainWindowMachine {
  MeMachine() : MainWindowMachine(platform::WindowsVersion::WinMe, 3) {
    EXPECT_TRUE(form->RunEntrySequence({}));
    form->FormShow();
  }
};

TEST(Troubleshooters, SafeModeOpensTheHtmlHelpTopic) {
  MeMachine m;
  m.write("C:\\WINDOWS\\HELP\\tshoot00.chm", "chm");
  m.write("C:\\WINDOWS\\HH.EXE", "viewer");
  corvasta::PM1Click(*m.form, 26);
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  EXPECT_NE(m.startedPrograms()[0].find("tshoot00.chm::/w0safemode.htm\""), std::string::npos)
      << m.startedPrograms()[0];
}

TEST(Troubleshooters, WithoutHtmlHelpTheWinHelpFileOfTheSameNameOpens) {
  MeMachine m;
  m.write("C:\\WINDOWS\\HELP\\tshoot00.chm", "chm");
  m.write("C:\\WINDOWS\\HELP\\tshoot00.hlp", "hlp");
  m.write("C:\\WINDOWS\\WINHLP32.EXE", "viewer");
  corvasta::PM1Click(*m.form, 5);
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  const std::string started = m.startedPrograms()[0];
  EXPECT_NE(started.find("-i w0display_result.htm"), std::string::npos) << started;
  EXPECT_NE(started.find("tshoot00.hlp\""), std::string::npos) << started;
}

TEST(Troubleshooters, MissingFileOrViewerIsReported) {
  MeMachine m;
  m.ui.expect("The Windows Troubleshooter could not be found.", "OK");
  corvasta::PM1Click(*m.form, 26);  // no tshoot00.chm on the sample
  m.write("C:\\WINDOWS\\HELP\\tshoot00.chm", "chm");
  m.ui.expect("The Windows Troubleshooter could not be found.", "OK");
  corvasta::PM1Click(*m.form, 26);  // no viewer at all
  m.ui.expect("The Windows Troubleshooter could not be found.", "OK");
  corvasta::PM1Click(*m.form, 31);  // no such item
  EXPECT_TRUE(m.startedPrograms().empty());
}

// Windows 98 keeps its troubleshooters as page files, opened with the
// application the registry gives for their extension.
TEST(Troubleshooters, Windows98PageOpensWithItsRegisteredApplication) {
  MainWindowMachine m(platform::WindowsVersion::Win98, 2);
  ASSERT_TRUE(m.form->RunEntrySequence({}));
  m.form->FormShow();
  m.write("C:\\WINDOWS\\HELP\\Modem.htm", "<html></html>");
  corvasta::PM1Click(*m.form, 9);
  ASSERT_EQ(m.startedPrograms().size(), 1u);
  const std::string started = m.startedPrograms()[0];
  EXPECT_NE(started.find("IEXPLORE.EXE"), std::string::npos) << started;
  EXPECT_NE(started.find("\\Modem.htm"), std::string::npos) << started;
}

TEST(HelpCommands, ModeHelpFileAndTopicOfThePage) {
  MeMachine m;
  m.write("C:\\WINDOWS\\WINHLP32.EXE", "viewer");
  const std::string program = m.form->core.loc.programDir;
  corvasta::HelpClick(*m.form, corvasta::kRegPackTab);
  m.write(program + "CorvastaME.hlp", "help");
  corvasta::HelpClick(*m.form, corvasta::kIntroductionPage);
  corvasta::Button4Click(*m.form);
  corvasta::HelpCont(*m.form);
  const std::vector<std::string> started = m.startedPrograms();
  ASSERT_EQ(started.size(), 4u);
  EXPECT_EQ(started[0], "WINHLP32.EXE -i Topic41 \"" + program + "Corvasta.hlp\"");
  EXPECT_EQ(started[1], "WINHLP32.EXE -i Topic23 \"" + program + "CorvastaME.hlp\"");
  EXPECT_EQ(started[2], "WINHLP32.EXE -i Topic23 \"" + program + "CorvastaME.hlp>tutorial\"");
  EXPECT_EQ(started[3], "WINHLP32.EXE \"" + program + "CorvastaME.hlp\"");
}

TEST(HelpCommands, TopicsOfEveryPage) {
  EXPECT_EQ(corvasta::helpTopicOfTab(corvasta::kBackupTab), "Topic1");
  EXPECT_EQ(corvasta::helpTopicOfTab(corvasta::kCrashFixerTab), "Topic2");
  EXPECT_EQ(corvasta::helpTopicOfTab(corvasta::kExtractorTab), "Topic35");
  EXPECT_EQ(corvasta::helpTopicOfTab(corvasta::kBootDiskTab), "Topic4");
  EXPECT_EQ(corvasta::helpTopicOfTab(corvasta::kRepairTab), "Topic38");
  EXPECT_EQ(corvasta::helpTopicOfTab(corvasta::kHelpTab), "Topic5");
}

TEST(HelpCommands, MachineWithoutWinHelpIsTold) {
  MeMachine m;
  m.ui.expect("could not be opened", "OK");
  corvasta::HelpCont(*m.form);
  EXPECT_TRUE(m.startedPrograms().empty());
}

}  // namespace
}  // namespace ui_main_test
