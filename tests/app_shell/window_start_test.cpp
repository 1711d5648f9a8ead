// The window start sequence on a sample Windows ME machine: location files,
// settings, start-up questions and the requested runs.

#include <gtest/gtest.h>

#include "platform/profile/private_profile.h"
#include "platform/simulators/windows_tools.h"
#include "tests/support/program_rig.h"

namespace shell_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

struct Started {
  std::unique_ptr<TestProgram> m =
      std::make_unique<TestProgram>(MachineBuilder::sample(platform::WindowsVersion::WinMe));
  // A shortcut of an older version in the Startup folder: the start-up
  // shortcut maintenance removes it.
  std::string olderShortcut() const { return m->form->core.loc.startupDir + "CorvastaME.lnk"; }
};

TEST(WindowStart, WritesLocationFilesSettingsAndVersion) {
  Started s;
  TestProgram& m = *s.m;
  ASSERT_TRUE(m.form->RunEntrySequence({}));
  m.write(s.olderShortcut(), "L");
  m.form->FormShow();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists(s.olderShortcut()));

  const std::string shortProgram = corvasta::ShortFileName(*m.machine, m.form->core.loc.programDir);
  for (const std::string& file :
       {std::string("C:\\crvMEdir.ini"), m.form->core.loc.programDir + "crvMEdir.ini"})
    EXPECT_EQ(platform::getPrivateProfileString(*m.machine, "Location", "CorvastaME", "@", file),
              shortProgram)
        << file;
  EXPECT_EQ(m.setting("DefaultDirectories", "Windows"), m.form->core.loc.windowsDir);
  EXPECT_EQ(m.setting("Produced by", "VersionNo"), "Version 1.08.25  7/30/2004");
  EXPECT_EQ(m.setting("Produced by", "NewFeaturesShown"), "Version 1.08.25  7/30/2004");
  EXPECT_EQ(m.setting("AutoStart", "switch"), "0");
  EXPECT_EQ(m.form->core.Form8.configNames[0], "Config 1");
  EXPECT_EQ(m.form->core.Form8.automationLabels[1], "Back up &2nd Setup (Config 2).");
  EXPECT_TRUE(m.form->core.configChecked[0]);
  EXPECT_FALSE(m.form->core.configChecked[1]);
  EXPECT_EQ(m.form->core.loc.helpFile, m.form->core.loc.programDir + "Corvasta.hlp");
  EXPECT_FALSE(m.form->terminateRequested);
  EXPECT_FALSE(m.ui.busyCursor);
}

TEST(WindowStart, RunsRequestsInOrderAndClearsReportFiles) {
  platform::registerWindowsToolSimulators();  // the RegPack starts the registry checker
  Started s;
  TestProgram& m = *s.m;
  m.write(m.form->core.loc.programDir + "longfn.txt", "x");
  for (const char* config : {"2", "4"})
    m.setSetting(std::string("BackupPreferences") + config, "Target",
                 std::string("C:\\Backup") + config + "\\");
  m.setSetting("BackupPreferences4", "CloseAfterBackup", "1");
  ASSERT_TRUE(m.form->RunEntrySequence({"schedule", "4", "R", "2"}));
  m.form->FormShow();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(m.exists(m.form->core.loc.programDir + "longfn.txt"));
  // Config 2, then config 4 (one entry of results.txt), then RegPack.
  const std::string results = m.read(m.form->core.loc.programDir + "results.txt");
  const size_t second = results.find(">>> Back up of Config2 started");
  const size_t fourth = results.find(">>> Back up of Config4 started");
  ASSERT_NE(second, std::string::npos);
  ASSERT_NE(fourth, std::string::npos);
  EXPECT_LT(second, fourth);
  // Windows ME: the Quick RegPack runs the registry checker from Windows, without asking.
  const size_t regPack = results.find(">>> RegPack started at ");
  ASSERT_NE(regPack, std::string::npos);
  EXPECT_LT(regPack, second);  // the newest entry comes first
  EXPECT_NE(results.find("<<< RegPack Completed - ", regPack), std::string::npos);
  EXPECT_EQ(m.setting("RegPack", "JustDone"), "1");
  // Config 4 closes the program after its backup.
  EXPECT_TRUE(m.form->terminateRequested);
  // A backup request keeps the new-features record for an interactive start.
  EXPECT_EQ(m.setting("Produced by", "NewFeaturesShown"), "@");
}

TEST(WindowStart, HardDriveChangePrompt) {
  Started s;
  TestProgram& m = *s.m;
  m.setSetting("HDChanged", "Prompt", "1");
  m.setSetting("Produced by", "SerialNum", "12345");
  const auto bootDisksOffered = [&m] {
    return m.form->core.ActivityLog.find("Making a boot disk is not available") !=
           std::string::npos;
  };
  ASSERT_TRUE(m.form->RunEntrySequence({}));
  m.ui.expect("Make Boot Disk?", "No");
  m.form->FormShow();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(bootDisksOffered());
  EXPECT_EQ(m.setting("HDChanged", "Prompt"), "0");

  m.setSetting("HDChanged", "Prompt", "1");
  m.ui.expect("Hard Drive has changed", "Yes");
  m.ui.expect("Making a boot disk is not available", "OK");
  m.form->BeginningPrompts();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(bootDisksOffered());
  EXPECT_EQ(m.setting("HDChanged", "Prompt"), "1");

  m.ui.expect("Hard Drive has changed", "Cancel");
  m.setSetting("Produced by", "VersionNo", "old");
  m.form->BeginningPrompts();
  EXPECT_EQ(m.setting("Produced by", "VersionNo"), "old");  // Cancel ends the questions
}

TEST(WindowStart, InstallerMarkerIsRemovedAfterItsCopies) {
  Started s;
  TestProgram& m = *s.m;
  const std::string program = m.form->core.loc.programDir;
  m.write(program + "afterset.bat", "[CopyFiles2C]\r\nDone=0\r\n");
  m.write(program + "crvastnt.exe", "MZ nt");
  m.write(program + "command.com", "MZ");
  ASSERT_TRUE(m.form->RunEntrySequence({}));
  m.form->FormShow();
  EXPECT_FALSE(m.exists(program + "afterset.bat"));
  EXPECT_FALSE(m.exists(program + "command.com"));
  EXPECT_EQ(m.read("C:\\crvastnt.exe"), "MZ nt");
}

}  // namespace
}  // namespace shell_test
