// The progress window's buttons, the warning list, closing, Exec and the restart.

#include <gtest/gtest.h>

#include "app/core/Unit6.h"
#include "platform/system/journal.h"
#include "platform/system/program_simulators.h"
#include "platform/system/restart.h"
#include "tests/support/program_rig.h"

namespace shell_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(Progress, CancelTwiceAddsUserCancelledOnce) {
  TestProgram m;
  m.form->core.ShowProgressForm(true, "Backing up");
  m.ui.pressCancelAfter(1);
  m.ui.processMessages();
  m.ui.pressCancelAfter(1);
  m.ui.processMessages();
  EXPECT_TRUE(m.form->core.CancelRequest);
  EXPECT_TRUE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.form->core.ErrorList, std::vector<std::string>{"User Cancelled"});
  // Cancel stops both archive engines at their next file.
  EXPECT_TRUE(m.form->core.Zip1.Cancel);
  EXPECT_TRUE(m.form->core.Zip2.Cancel);

  m.form->core.ShowProgressForm(false, "");
  m.form->core.ShowProgressForm(true, "");
  EXPECT_FALSE(m.form->core.CancelRequest);
  m.form->core.CancelClick();
  EXPECT_EQ(m.form->core.ErrorList.size(), 2u);  // a new operation may be cancelled again
}

TEST(Progress, CancelWhileTheRegistryIsBusyOnlyShowsTheMessage) {
  TestProgram m;
  m.form->core.ShowProgressForm(true, "RegPack");
  m.form->core.RegistryBusy = true;
  m.ui.expect("working with the registry", "OK");
  m.form->core.CancelClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.form->core.CancelRequest);
  EXPECT_TRUE(m.form->core.ErrorList.empty());
}

TEST(Progress, ShowAndHide) {
  TestProgram m;
  m.form->RunEntrySequence({});
  m.form->core.Form4.view.status = "Copying";
  m.form->core.Form4.view.overall = 50;
  m.form->core.ShowProgressForm(true, "Backup");
  EXPECT_TRUE(m.ui.progressHistory.back().visible);
  EXPECT_EQ(m.ui.progressHistory.back().caption, "Backup");
  EXPECT_EQ(m.ui.progressHistory.back().overall, 0);
  EXPECT_TRUE(m.ui.progressHistory.back().status.empty());
  EXPECT_TRUE(m.ui.busyCursor);

  m.form->core.MinimizeClick();
  EXPECT_TRUE(m.ui.minimized);
  m.form->core.ShowProgressForm(false, "");
  EXPECT_FALSE(m.ui.minimized);
  EXPECT_FALSE(m.ui.progressHistory.back().visible);
  EXPECT_EQ(m.ui.applicationTitle, "Corvasta ME");
  EXPECT_FALSE(m.ui.busyCursor);
  m.form->core.ShowProgressForm(false, "Corvasta ME - done");
  EXPECT_EQ(m.ui.applicationTitle, "Corvasta ME - done");
}

TEST(Progress, WarningListShowsTheErrorList) {
  TestProgram m;
  m.form->core.ErrorList = {"a", "", "b"};
  EXPECT_EQ(m.form->core.ShowWarningList(false), corvasta::IDOK);
  EXPECT_EQ(m.ui.lastWarningList, m.form->core.ErrorList);
  m.ui.expect("a", "No");
  EXPECT_EQ(m.form->core.ShowWarningList(true), corvasta::IDNO);
  EXPECT_EQ(m.form->core.Form6.tag, 1);
}

TEST(Progress, WarningListSizing) {
  const corvasta::WarningListLayout few = corvasta::warningListLayout(5, 16, 768);
  EXPECT_EQ(few.listHeight, 80);
  EXPECT_EQ(few.windowHeight, 170);
  EXPECT_EQ(few.buttonTop, 113);
  EXPECT_FALSE(few.scrolls);
  const corvasta::WarningListLayout fits = corvasta::warningListLayout(42, 16, 768);
  EXPECT_EQ(fits.listHeight, 672);
  EXPECT_FALSE(fits.scrolls);
  const corvasta::WarningListLayout many = corvasta::warningListLayout(43, 16, 768);
  EXPECT_EQ(many.listHeight, 160);
  EXPECT_EQ(many.windowHeight, 250);
  EXPECT_TRUE(many.scrolls);
}

TEST(Closing, RefusedWhileTheRegistryIsBusy) {
  TestProgram m;
  m.form->RunEntrySequence({});
  m.form->core.RegistryBusy = true;
  m.ui.expect("Closing Corvasta now could crash Windows", "OK");
  EXPECT_FALSE(m.form->FormCloseQuery());
  EXPECT_EQ(m.setting("AutoStart", "switch"), "@");

  m.form->core.RegistryBusy = false;
  m.setSetting("AutoStart", "switch", "1");
  EXPECT_TRUE(m.form->FormCloseQuery());
  EXPECT_EQ(m.setting("AutoStart", "switch"), "0");
  EXPECT_EQ(m.setting("BackupPreferences", "curconfig"), "1");
}

TEST(Exec, MissingProgramReturnsFalseAtOnce) {
  TestProgram m;
  EXPECT_FALSE(m.form->core.Exec("C:\\NOWHERE\\tool.exe /x", 0));
  EXPECT_EQ(m.ui.processMessagesCalls, 0);
  m.write("C:\\tool.exe", "MZ");
  EXPECT_EQ(m.form->core.Exec("C:\\tool.exe /x", 0), 0u);
  EXPECT_GE(m.ui.processMessagesCalls, 1);
}

// A tool that fails says so by its exit code, which Exec hands back: a
// simulator's, and that of a program machine.ini ends with "exit N".
TEST(Exec, GivesTheProgramsExitCode) {
  using Kind = platform::ProgramAction::Kind;
  platform::ProgramSimulators::add(
      "test-failing-tool", [](platform::Machine&, const std::string&) { return uint32_t{1}; });
  TestProgram m{
      MachineBuilder(platform::WindowsVersion::Win98)
          .configure([](platform::MachineConfig& config) {
            config.programs["failing.exe"] = {Kind::Simulator, "test-failing-tool", 0, {}};
            config.programs["busy.exe"] = {Kind::Exit, "", 259, {}};
          })};
  m.write("C:\\failing.exe", "MZ");
  m.write("C:\\busy.exe", "MZ");
  EXPECT_EQ(m.form->core.Exec("C:\\failing.exe /e C:\\all.reg", 0), 1u);
  EXPECT_EQ(m.form->core.Exec("C:\\busy.exe", 0), 259u);
  platform::ProgramSimulators::remove("test-failing-tool");
}

bool journalHasRestart(const platform::Machine& machine) {
  for (const platform::JournalEntry& entry : platform::readJournal(machine))
    if (entry.kind == "restart") return true;
  return false;
}

TEST(Restart, WithoutShutdownPrivilegeTellsTheUserAndStillAsks) {
  TestProgram m{MachineBuilder(platform::WindowsVersion::WinXp)
                    .configure([](platform::MachineConfig& config) {
                      config.privileges = {"SeBackupPrivilege"};
                    })};
  m.ui.expect("do not have Shutdown Privileges", "OK");
  m.form->core.RestartWinNT();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(journalHasRestart(*m.machine));
}

TEST(Restart, OnWindowsMeNoPrivilegeIsNeeded) {
  TestProgram m;
  m.form->core.RestartWinNT();
  EXPECT_TRUE(journalHasRestart(*m.machine));
  EXPECT_TRUE(platform::restartRequested(*m.machine));
}

}  // namespace
}  // namespace shell_test
