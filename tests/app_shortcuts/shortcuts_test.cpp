// MakeShortcut, CheckTarget, CheckParameters, the Startup shortcut kept in
// step with the automation lists, and the scheduler job removal.

#include <gtest/gtest.h>

#include "app/core/ShellLnk.h"
#include "tests/support/program_rig.h"

namespace {

constexpr int kDaily = 0, kWeekly = 1, kUseScheduler = 4;

using testing_support::MachineBuilder;
using testing_support::TestProgram;

// The program's executable in its directory, a scheduler folder, and the
// Startup folder the settings name.
struct ShortcutProgram : TestProgram {
  ShortcutProgram()
      : TestProgram(MachineBuilder()
                        .file("C:\\Program Files\\Corvasta\\crvastME.exe", "MZ")
                        .folder("C:\\WINDOWS\\Tasks")
                        .folder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp")
                        .setting("DefaultDirectories", "StartUp",
                                 "C:\\WINDOWS\\Start Menu\\Programs\\StartUp")) {}
  std::string startupLink() const { return startup() + "Corvasta.lnk"; }
  void setLists(std::array<int, 5> freq) { form->core.Form8.automationFreq = freq; }
};

TEST(MakeShortcut, WritesTheFileWithTheTargetsFolderAsWorkingDirectory) {
  ShortcutProgram m;
  const std::string target = "\"" + m.form->core.ProgramPath() + "\"";
  m.form->core.MakeShortcut(target, "schedule s 1 r", "C:\\WINDOWS\\Daily.lnk", "Daily");
  corvasta::TShellLink link(*m.files);
  link.FileName = "C:\\WINDOWS\\Daily.lnk";
  link.Read();
  EXPECT_EQ(link.Target, m.form->core.ProgramPath());
  EXPECT_EQ(link.Arguments, "schedule s 1 r");
  EXPECT_EQ(link.Description, "Daily");
  EXPECT_EQ(link.WorkingDir, m.form->core.loc.programDir);
  EXPECT_EQ(link.WindowState, corvasta::TWindowState::wsNormal);

  // Made again: replaced, and without a description it has none.
  m.form->core.MakeShortcut(m.form->core.ProgramPath(), "bootup", "C:\\WINDOWS\\Daily.lnk");
  EXPECT_EQ(m.form->core.CheckParameters("C:\\WINDOWS\\Daily.lnk"), "bootup");
  link.Read();
  EXPECT_EQ(link.Description, "");
}

TEST(MakeShortcut, CheckTargetAndParametersOfAMissingFileAreEmpty) {
  ShortcutProgram m;
  EXPECT_EQ(m.form->core.CheckTarget("C:\\WINDOWS\\None.lnk"), "");
  EXPECT_EQ(m.form->core.CheckParameters("C:\\WINDOWS\\None.lnk"), "");
  testing_support::writeFile(m.host("C:\\WINDOWS\\Bad.lnk"), "not a shortcut");
  EXPECT_THROW(m.form->core.CheckTarget("C:\\WINDOWS\\Bad.lnk"), corvasta::ShellLinkError);
}

TEST(StartupShortcut, FollowsTheAutomationLists) {
  ShortcutProgram m;
  m.setLists({kUseScheduler, 5, 5, 5, 5});
  m.form->preferences.automation.MaintainStartupShortcut();
  EXPECT_FALSE(m.exists(m.startupLink()));

  m.setLists({5, 5, kWeekly, 5, 5});
  m.form->preferences.automation.MaintainStartupShortcut();
  EXPECT_EQ(m.form->core.CheckTarget(m.startupLink()), m.form->core.ProgramPath());
  EXPECT_EQ(m.form->core.CheckParameters(m.startupLink()), "bootup");

  m.setLists({5, 5, 5, 5, 5});
  m.form->preferences.automation.MaintainStartupShortcut();
  EXPECT_FALSE(m.exists(m.startupLink()));
}

TEST(StartupShortcut, RemovesTheOlderNameAndRewritesAShortcutToAnotherCopy) {
  ShortcutProgram m;
  const std::string older = m.form->core.loc.startupDir + "CorvastaME.lnk";
  m.form->core.MakeShortcut("C:\\OLD\\crvastme.exe", "bootup", older, "Corvasta");
  m.form->core.MakeShortcut("C:\\OLD\\crvastme.exe", "bootup", m.startupLink(), "Corvasta");
  m.setLists({kDaily, 5, 5, 5, 5});
  m.form->preferences.automation.MaintainStartupShortcut();
  EXPECT_FALSE(m.exists(older));
  EXPECT_EQ(m.form->core.CheckTarget(m.startupLink()), m.form->core.ProgramPath());

  // The same program in another letter case is left as it is.
  m.form->core.MakeShortcut(m.form->core.ProgramPath(), "bootup keep", m.startupLink(), "Corvasta");
  m.form->core.loc.programDir = "C:\\PROGRAM FILES\\CORVASTA\\";
  m.form->preferences.automation.MaintainStartupShortcut();
  EXPECT_EQ(m.form->core.CheckParameters(m.startupLink()), "bootup keep");

  // A damaged shortcut is written anew.
  testing_support::writeFile(m.host(m.startupLink()), "LXXX");
  m.form->preferences.automation.MaintainStartupShortcut();
  EXPECT_EQ(m.form->core.CheckParameters(m.startupLink()), "bootup");
}

TEST(SchedulerJob, DeletedWhenPresent) {
  ShortcutProgram m;
  m.form->preferences.automation.RemoveSchedulerJob();  // nothing there: nothing happens
  testing_support::writeFile(m.host("C:\\WINDOWS\\Tasks\\Corvasta.job"), "job");
  m.form->preferences.automation.RemoveSchedulerJob();
  EXPECT_FALSE(m.exists("C:\\WINDOWS\\Tasks\\Corvasta.job"));
}

}  // namespace
