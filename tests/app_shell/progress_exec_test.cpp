// The progress window's buttons, the warning list, closing, Exec and the restart.

#include <gtest/gtest.h>

#include "app/Unit6.h"
#include "platform/system/journal.h"
#include "platform/system/restart.h"
#include "tests/support/program_rig.h"

namespace shell_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(Progress, CancelTwiceAddsUserCancelledOnce) {
  TestProgram m;
  int stops = 0;
  m.form->stopArchiveEngine = [&] { ++stops; };
  m.form->ShowProgressForm(true, "Backing up");
  m.ui.pressCancelAfter(1);
  m.ui.processMessages();
  m.ui.pressCancelAfter(1);
  m.ui.processMessages();
  EXPECT_TRUE(m.form->CancelRequest);
  EXPECT_TRUE(m.form->ErrorFlag);
  EXPECT_EQ(m.form->ErrorList, std::vector<std::string>{"User Cancelled"});
  EXPECT_EQ(stops, 1);

  m.form->ShowProgressForm(false, "");
  m.form->ShowProgressForm(true, "");
  EXPECT_FALSE(m.form->CancelRequest);
  m.form->CancelClick();
  EXPECT_EQ(m.form->ErrorList.size(), 2u);  // a new operation may be cancelled again
}

TEST(Progress, CancelWhileTheRegistryIsBusyOnlyShowsTheMessage) {
  TestProgram m;
  m.form->ShowProgressForm(true, "RegPack");
  m.form->RegistryBusy = true;
  m.ui.expect("working with the registry", "OK");
  m.form->CancelClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.form->CancelRequest);
  EXPECT_TRUE(m.form->ErrorList.empty());
}

TEST(Progress, ShowAndHide) {
  TestProgram m;
  m.form->RunEntrySequence({});
  m.form->Form4.view.status = "Copying";
  m.form->Form4.view.overall = 50;
  m.form->ShowProgressForm(true, "Backup");
  EXPECT_TRUE(m.ui.progressHistory.back().visible);
  EXPECT_EQ(m.ui.progressHistory.back().caption, "Backup");
  EXPECT_EQ(m.ui.progressHistory.back().overall, 0);
  EXPECT_TRUE(m.ui.progressHistory.back().status.empty());
  EXPECT_TRUE(m.ui.busyCursor);

  m.form->MinimizeClick();
  EXPECT_TRUE(m.ui.minimized);
  m.form->ShowProgressForm(false, "");
  EXPECT_FALSE(m.ui.minimized);
  EXPECT_FALSE(m.ui.progressHistory.back().visible);
  EXPECT_EQ(m.ui.applicationTitle, "Corvasta ME");
  EXPECT_FALSE(m.ui.busyCursor);
  m.form->ShowProgressForm(false, "Corvasta ME - done");
  EXPECT_EQ(m.ui.applicationTitle, "Corvasta ME - done");
}

TEST(Progress, WarningListShowsTheErrorList) {
  TestProgram m;
  m.form->ErrorList = {"a", "", "b"};
  EXPECT_EQ(m.form->ShowWarningList(false), corvasta::IDOK);
  EXPECT_EQ(m.ui.lastWarningList, m.form->ErrorList);
  m.ui.expect("a", "No");
  EXPECT_EQ(m.form->ShowWarningList(true), corvasta::IDNO);
  EXPECT_EQ(m.form->Form6.tag, 1);
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
  m.form->RegistryBusy = true;
  m.ui.expect("Closing Corvasta now could crash Windows", "OK");
  EXPECT_FALSE(m.form->FormCloseQuery());
  EXPECT_EQ(m.setting("AutoStart", "switch"), "@");

  m.form->RegistryBusy = false;
  m.setSetting("AutoStart", "switch", "1");
  EXPECT_TRUE(m.form->FormCloseQuery());
  EXPECT_EQ(m.setting("AutoStart", "switch"), "0");
  EXPECT_EQ(m.setting("BackupPreferences", "curconfig"), "1");
}

TEST(Exec, MissingProgramReturnsFalseAtOnce) {
  TestProgram m;
  EXPECT_FALSE(m.form->Exec("C:\\NOWHERE\\tool.exe /x", 0));
  EXPECT_EQ(m.ui.processMessagesCalls, 0);
  m.write("C:\\tool.exe", "MZ");
  EXPECT_TRUE(m.form->Exec("C:\\tool.exe /x", 0));
  EXPECT_GE(m.ui.processMessagesCalls, 1);
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
  m.form->RestartWinNT();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(journalHasRestart(*m.machine));
}

TEST(Restart, OnWindowsMeNoPrivilegeIsNeeded) {
  TestProgram m;
  m.form->RestartWinNT();
  EXPECT_TRUE(journalHasRestart(*m.machine));
  EXPECT_TRUE(platform::restartRequested(*m.machine));
}

}  // namespace
}  // namespace shell_test
