// The entry sequence: switches, run requests, due dates and the starts that
// end without a window.

#include <gtest/gtest.h>

#include "backup/OpenFilesRules.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"
#include "platform/profile/private_profile.h"
#include "tests/support/program_rig.h"

namespace shell_test {
namespace {

using Params = std::vector<std::string>;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

// The Startup folder the program falls back on without Shell Folders.
const std::string kStartup = "C:\\WINDOWS\\STARTM~1\\PROGRAMS\\STARTUP\\";

MachineBuilder withStartupFolder() {
  return MachineBuilder().folder("C:\\WINDOWS\\Startm~1\\Programs\\StartUp");
}

TEST(EntrySequence, WithoutParametersShowsTheWindowAndIgnoresPendingRegPack) {
  TestProgram m{withStartupFolder()};
  m.setSetting("Bootup", "Action", "1");
  m.setSetting("AutoBackup", "switch", "1");
  EXPECT_TRUE(m.form->RunEntrySequence({}));
  EXPECT_FALSE(m.form->core.requests.any());
  EXPECT_EQ(m.form->activeTab, corvasta::kIntroductionPage);
  EXPECT_EQ(m.setting("Bootup", "Action"), "1");
  EXPECT_EQ(m.ui.applicationTitle, "Corvasta ME");
  EXPECT_EQ(m.form->core.loc.windowsDir, "C:\\WINDOWS\\");
  EXPECT_EQ(m.form->core.loc.windowsDrive, "C:");
  EXPECT_EQ(m.form->core.loc.startupDir, kStartup);
  EXPECT_EQ(m.form->core.Form6.caption, "WARNING");
  EXPECT_EQ(m.form->core.Form4.view.caption, "Please Wait");
}

TEST(EntrySequence, ScheduleWithParametersSetsRequestsAndPassword) {
  TestProgram m{withStartupFolder()};
  m.setSetting("AutoCompact", "Freq", "4");
  EXPECT_TRUE(m.form->RunEntrySequence(Params{"schedule", "1", "3", "Psecret", "x9"}));
  EXPECT_TRUE(m.form->core.requests.backup[0]);
  EXPECT_FALSE(m.form->core.requests.backup[1]);
  EXPECT_TRUE(m.form->core.requests.backup[2]);
  EXPECT_FALSE(m.form->core.requests.backup[3]);
  EXPECT_FALSE(m.form->core.requests.start);
  EXPECT_FALSE(m.form->core.requests.regPack);
  EXPECT_EQ(m.form->StartupPassword, "secret");
  EXPECT_EQ(m.form->core.Form8.password, "secret");
}

TEST(EntrySequence, ScheduleLettersSetStartAndRegPack) {
  TestProgram m{withStartupFolder()};
  EXPECT_TRUE(m.form->RunEntrySequence(Params{"schedule", "s", "R"}));
  EXPECT_TRUE(m.form->core.requests.start);
  EXPECT_TRUE(m.form->core.requests.regPack);
  EXPECT_TRUE(m.form->core.Form8.password.empty());
}

TEST(EntrySequence, ScheduleAloneRunsWhatUsesTheScheduler) {
  TestProgram m{withStartupFolder()};
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"schedule"}));
  EXPECT_TRUE(m.form->terminateRequested);

  TestProgram n{withStartupFolder()};
  n.setSetting("AutoBackup2", "Freq", "4");
  n.setSetting("AutoBackup3", "Freq", "1");
  EXPECT_TRUE(n.form->RunEntrySequence(Params{"schedule"}));
  EXPECT_TRUE(n.form->core.requests.backup[1]);
  EXPECT_FALSE(n.form->core.requests.backup[2]);
}

TEST(EntrySequence, UnknownWordEndsWithoutWindowUnlessRegPackIsPending) {
  TestProgram m{withStartupFolder()};
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"whatever"}));

  TestProgram n{withStartupFolder()};
  n.setSetting("Bootup", "Action", "1");
  n.write(n.form->core.loc.programDir + "compact.reg", "REGEDIT4\r\n");
  EXPECT_TRUE(n.form->RunEntrySequence(Params{"whatever"}));
  EXPECT_TRUE(n.form->core.requests.start);
  EXPECT_FALSE(n.form->core.requests.regPack);
  EXPECT_EQ(n.form->activeTab, corvasta::kRegPackTab);
  EXPECT_EQ(n.setting("Bootup", "Action"), "0");
  EXPECT_FALSE(n.exists(n.form->core.loc.programDir + "compact.reg"));
}

TEST(EntrySequence, PendingRegPackActionTwoOpensNoWindowWithoutRequests) {
  TestProgram m{withStartupFolder()};
  m.setSetting("Bootup", "Action", "2");
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"whatever"}));
  EXPECT_EQ(m.form->activeTab, corvasta::kRegPackTab);
  EXPECT_EQ(m.setting("Bootup", "Action"), "0");
}

TEST(EntrySequence, OpenFileDeletesItsShortcutAndFinishesTheCopies) {
  TestProgram m{withStartupFolder()};
  m.write(kStartup + "CVOpen.lnk", "L");
  m.setSetting("Bootup", "Action", "2");
  // One recorded job: the copy of a file that was in use during the backup.
  const std::string programDir = m.form->core.loc.programDir;
  m.write(programDir + "Temp\\OpenFN1.tmp", "held open");
  {
    platform::TIniFile jobs(*m.machine, programDir + "Temp\\OpenFN.ini");
    corvasta::WriteOpenFileJob(
        jobs, 1,
        {"C:\\DATA.TXT", programDir + "Temp\\OpenFN1.tmp", "C:\\SET\\DATA.TXT", false, true});
  }
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"openfile"}));
  EXPECT_FALSE(m.exists(kStartup + "CVOpen.lnk"));
  EXPECT_EQ(m.read("C:\\SET\\DATA.TXT"), "held open");
  EXPECT_FALSE(m.exists(programDir + "Temp\\OpenFN1.tmp"));
  EXPECT_EQ(platform::getPrivateProfileString(*m.machine, "OpenFN1", "Source", "@",
                                              programDir + "Temp\\OpenFN.ini"),
            "@");
  EXPECT_EQ(m.setting("Bootup", "Action"), "0");
}

TEST(EntrySequence, CleanDeleteRemovesTheFileAndTheShortcut) {
  TestProgram m{withStartupFolder()};
  m.write("C:\\startwin.bat", "@echo off\r\n");
  m.write(kStartup + "cleanup.lnk", "L");
  m.write("C:\\AUTOEXEC.BAT", "win\r\n");
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"clean", "delete", "C:\\startwin.bat"}));
  EXPECT_FALSE(m.exists("C:\\startwin.bat"));
  EXPECT_FALSE(m.exists(kStartup + "cleanup.lnk"));
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), "win\r\n");
}

TEST(EntrySequence, CleanRemovesTheProgramsBatchLines) {
  TestProgram m{withStartupFolder()};
  m.write(kStartup + "cleanup.lnk", "L");
  m.write("C:\\AUTOEXEC.BAT",
          "SET PATH=C:\\DOS\r\nC:\\startwin.bat\r\ndel "
          "C:\\startwin.bat\r\nwin\r\nc:\\startwin.bat\r\n");
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"clean", "C:\\startwin.bat", "C:\\AUTOEXEC.BAT"}));
  EXPECT_EQ(m.read("C:\\AUTOEXEC.BAT"), "SET PATH=C:\\DOS\r\nwin\r\nc:\\startwin.bat\r\n");
  EXPECT_FALSE(m.exists(kStartup + "cleanup.lnk"));
}

TEST(EntrySequence, TemporaryDeletesTheShortcutInTheStartupFolder) {
  TestProgram m{withStartupFolder()};
  m.setSetting("DefaultDirectories", "StartUp", "C:\\ELSEWHERE\\");
  m.write(kStartup + "Corvasta.lnk", "L");
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"temporary"}));
  EXPECT_EQ(platform::ansiUpper(m.form->core.loc.startupDir), kStartup);
  EXPECT_FALSE(m.exists(kStartup + "Corvasta.lnk"));
}

TEST(EntrySequence, BootupWeeklyDueDate) {
  TestProgram m{withStartupFolder()};
  m.setSetting("AutoBackup", "Freq", "1");
  m.setSetting("AutoBackup", "Year", "2004");
  m.setSetting("AutoBackup", "Month", "5");
  m.setSetting("AutoBackup", "Day", "3");
  m.setToday(2004, 5, 9);
  EXPECT_FALSE(m.form->RunEntrySequence(Params{"bootup"}));
  EXPECT_EQ(m.setting("AutoBackup", "Day"), "3");
  EXPECT_EQ(m.setting("AutoBackup", "switch"), "0");

  m.setToday(2004, 5, 10);
  m.form->showMainWindow = true;
  EXPECT_TRUE(m.form->RunEntrySequence(Params{"bootup"}));
  EXPECT_TRUE(m.form->core.requests.backup[0]);
  EXPECT_EQ(m.setting("AutoBackup", "Day"), "10");
  EXPECT_EQ(m.setting("AutoBackup", "Month"), "5");
  EXPECT_EQ(m.setting("AutoBackup", "switch"), "1");
  EXPECT_EQ(m.setting("AutoStart", "switch"), "0");
}

TEST(EntrySequence, BootupDailyAcrossAMonthAndUnstoredDates) {
  TestProgram m{withStartupFolder()};
  m.setSetting("AutoCompact", "Freq", "0");
  m.setSetting("AutoCompact", "Year", "2004");
  m.setSetting("AutoCompact", "Month", "2");
  m.setSetting("AutoCompact", "Day", "29");
  m.setSetting("AutoStart", "Freq", "0");  // no stored date: never due
  m.setToday(2004, 3, 1);
  EXPECT_TRUE(m.form->RunEntrySequence(Params{"bootup"}));
  EXPECT_TRUE(m.form->core.requests.regPack);
  EXPECT_FALSE(m.form->core.requests.start);
  EXPECT_EQ(m.setting("AutoStart", "Year"), "@");
}

TEST(EntrySequence, BootupDamagedDateIsDueAndRepaired) {
  TestProgram m{withStartupFolder()};
  m.setSetting("AutoBackup4", "Freq", "2");
  m.setSetting("AutoBackup4", "Year", "2004");
  m.setSetting("AutoBackup4", "Month", "13");
  m.setSetting("AutoBackup4", "Day", "40");
  EXPECT_TRUE(m.form->RunEntrySequence(Params{"bootup"}));
  EXPECT_TRUE(m.form->core.requests.backup[3]);
  EXPECT_EQ(m.setting("AutoBackup4", "Month"), "5");
}

TEST(EntrySequence, BootupCarriesOutUnfinishedRequestsWithoutDates) {
  TestProgram m{withStartupFolder()};
  m.setSetting("AutoBackup", "switch", "1");
  m.setSetting("AutoBackup2", "Freq", "0");
  m.setSetting("AutoBackup2", "Year", "2000");
  EXPECT_TRUE(m.form->RunEntrySequence(Params{"bootup"}));
  EXPECT_TRUE(m.form->core.requests.backup[0]);
  EXPECT_FALSE(m.form->core.requests.backup[1]);
  EXPECT_EQ(m.setting("AutoBackup2", "Year"), "2000");
}

TEST(EntrySequence, PauseWaitsOnlyForBootupAndProcessesMessages) {
  TestProgram m{withStartupFolder()};
  m.setSetting("AutoStart", "Pause", "0");
  m.form->RunEntrySequence(Params{"bootup"});
  EXPECT_EQ(m.ui.processMessagesCalls, 0);
  EXPECT_EQ(m.fakeSeconds, 0);

  TestProgram n{withStartupFolder()};
  n.setSetting("AutoStart", "Pause", "2");
  n.form->RunEntrySequence(Params{"schedule"});
  EXPECT_EQ(n.fakeSeconds, 0);
  n.form->RunEntrySequence(Params{"bootup"});
  EXPECT_GE(n.fakeSeconds, 2);
  EXPECT_LT(n.fakeSeconds, 2.2);
  EXPECT_GT(n.ui.processMessagesCalls, 10);
}

}  // namespace
}  // namespace shell_test
