// MakeShortcut, CheckTarget, CheckParameters, the Startup shortcut kept in
// step with the automation lists, and the scheduler job removal.

#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "app/core/ScriptedUi.h"
#include "app/core/ShellLnk.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_machine.h"

namespace {

constexpr int kDaily = 0, kWeekly = 1, kUseScheduler = 4;

struct ShortcutMachine {
  ShortcutMachine() {
    machine = testing_support::makeTestMachine(dir.path(), platform::WindowsVersion::WinMe);
    files = std::make_unique<platform::FileSystem>(*machine);
    registry = std::make_unique<platform::LiveRegistry>(*machine, *files);
    form = std::make_unique<corvasta::TForm1>(
        corvasta::Environment{*machine, *files, *registry, ui}, 3);
    for (const char* folder :
         {"C:\\Program Files", "C:\\Program Files\\Corvasta", "C:\\WINDOWS", "C:\\WINDOWS\\Tasks",
          "C:\\WINDOWS\\Start Menu", "C:\\WINDOWS\\Start Menu\\Programs",
          "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"})
      files->createDirectory(folder);
    testing_support::writeFile(host(form->core.ProgramPath()), "MZ");
    form->core.loc.windowsDir = "C:\\WINDOWS\\";
    form->core.loc.startupDir = "C:\\WINDOWS\\START MENU\\PROGRAMS\\STARTUP\\";
  }
  std::filesystem::path host(const std::string& winPath) const {
    return machine->resolve(winPath).host;
  }
  bool exists(const std::string& winPath) const { return std::filesystem::exists(host(winPath)); }
  std::string startupLink() const { return form->core.loc.startupDir + "Corvasta.lnk"; }
  void setLists(std::array<int, 5> freq) { form->core.Form8.automationFreq = freq; }

  testing_support::TempDir dir;
  std::unique_ptr<platform::Machine> machine;
  std::unique_ptr<platform::FileSystem> files;
  std::unique_ptr<platform::LiveRegistry> registry;
  corvasta::ScriptedUi ui;
  std::unique_ptr<corvasta::TForm1> form;
};

TEST(MakeShortcut, WritesTheFileWithTheTargetsFolderAsWorkingDirectory) {
  ShortcutMachine m;
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
  ShortcutMachine m;
  EXPECT_EQ(m.form->core.CheckTarget("C:\\WINDOWS\\None.lnk"), "");
  EXPECT_EQ(m.form->core.CheckParameters("C:\\WINDOWS\\None.lnk"), "");
  testing_support::writeFile(m.host("C:\\WINDOWS\\Bad.lnk"), "not a shortcut");
  EXPECT_THROW(m.form->core.CheckTarget("C:\\WINDOWS\\Bad.lnk"), corvasta::ShellLinkError);
}

TEST(StartupShortcut, FollowsTheAutomationLists) {
  ShortcutMachine m;
  m.setLists({kUseScheduler, 5, 5, 5, 5});
  m.form->MaintainStartupShortcut();
  EXPECT_FALSE(m.exists(m.startupLink()));

  m.setLists({5, 5, kWeekly, 5, 5});
  m.form->MaintainStartupShortcut();
  EXPECT_EQ(m.form->core.CheckTarget(m.startupLink()), m.form->core.ProgramPath());
  EXPECT_EQ(m.form->core.CheckParameters(m.startupLink()), "bootup");

  m.setLists({5, 5, 5, 5, 5});
  m.form->MaintainStartupShortcut();
  EXPECT_FALSE(m.exists(m.startupLink()));
}

TEST(StartupShortcut, RemovesTheOlderNameAndRewritesAShortcutToAnotherCopy) {
  ShortcutMachine m;
  const std::string older = m.form->core.loc.startupDir + "CorvastaME.lnk";
  m.form->core.MakeShortcut("C:\\OLD\\crvastme.exe", "bootup", older, "Corvasta");
  m.form->core.MakeShortcut("C:\\OLD\\crvastme.exe", "bootup", m.startupLink(), "Corvasta");
  m.setLists({kDaily, 5, 5, 5, 5});
  m.form->MaintainStartupShortcut();
  EXPECT_FALSE(m.exists(older));
  EXPECT_EQ(m.form->core.CheckTarget(m.startupLink()), m.form->core.ProgramPath());

  // The same program in another letter case is left as it is.
  m.form->core.MakeShortcut(m.form->core.ProgramPath(), "bootup keep", m.startupLink(), "Corvasta");
  m.form->core.loc.programDir = "C:\\PROGRAM FILES\\CORVASTA\\";
  m.form->MaintainStartupShortcut();
  EXPECT_EQ(m.form->core.CheckParameters(m.startupLink()), "bootup keep");

  // A damaged shortcut is written anew.
  testing_support::writeFile(m.host(m.startupLink()), "LXXX");
  m.form->MaintainStartupShortcut();
  EXPECT_EQ(m.form->core.CheckParameters(m.startupLink()), "bootup");
}

TEST(SchedulerJob, DeletedWhenPresent) {
  ShortcutMachine m;
  m.form->RemoveSchedulerJob();  // nothing there: nothing happens
  testing_support::writeFile(m.host("C:\\WINDOWS\\Tasks\\Corvasta.job"), "job");
  m.form->RemoveSchedulerJob();
  EXPECT_FALSE(m.exists("C:\\WINDOWS\\Tasks\\Corvasta.job"));
}

}  // namespace
