// The window start sequence on a sample Windows ME machine: location files,
// settings, start-up questions and the requested runs.

#include <gtest/gtest.h>

#include "platform/profile/private_profile.h"
#include "tests/support/program_rig.h"

namespace shell_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

struct Started {
  std::unique_ptr<TestProgram> m =
      std::make_unique<TestProgram>(MachineBuilder::sample(platform::WindowsVersion::WinMe));
  std::vector<std::string> calls;
  Started() {
    corvasta::TForm1& form = *m->form;
    form.StartupShortcutMaintenance = [this] { calls.push_back("shortcut"); };
    form.BackupClick = [this](int config) { calls.push_back("backup " + std::to_string(config)); };
    form.CompactClick = [this] { calls.push_back("regpack"); };
  }
};

TEST(WindowStart, WritesLocationFilesSettingsAndVersion) {
  Started s;
  TestProgram& m = *s.m;
  ASSERT_TRUE(m.form->RunEntrySequence({}));
  m.form->FormShow();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(s.calls, std::vector<std::string>{"shortcut"});

  const std::string shortProgram = corvasta::ShortFileName(*m.machine, m.form->loc.programDir);
  for (const std::string& file :
       {std::string("C:\\crvMEdir.ini"), m.form->loc.programDir + "crvMEdir.ini"})
    EXPECT_EQ(platform::getPrivateProfileString(*m.machine, "Location", "CorvastaME", "@", file),
              shortProgram)
        << file;
  EXPECT_EQ(m.setting("DefaultDirectories", "Windows"), m.form->loc.windowsDir);
  EXPECT_EQ(m.setting("Produced by", "VersionNo"), "Version 1.08.25  7/30/2004");
  EXPECT_EQ(m.setting("Produced by", "NewFeaturesShown"), "Version 1.08.25  7/30/2004");
  EXPECT_EQ(m.setting("AutoStart", "switch"), "0");
  EXPECT_EQ(m.form->Form8.configNames[0], "Config 1");
  EXPECT_EQ(m.form->Form8.automationLabels[1], "Back up &2nd Setup (Config 2).");
  EXPECT_TRUE(m.form->configChecked[0]);
  EXPECT_FALSE(m.form->configChecked[1]);
  EXPECT_EQ(m.form->loc.helpFile, m.form->loc.programDir + "Corvasta.hlp");
  EXPECT_FALSE(m.form->terminateRequested);
  EXPECT_FALSE(m.ui.busyCursor);
}

TEST(WindowStart, RunsRequestsInOrderAndClearsReportFiles) {
  Started s;
  TestProgram& m = *s.m;
  m.write(m.form->loc.programDir + "longfn.txt", "x");
  ASSERT_TRUE(m.form->RunEntrySequence({"schedule", "4", "R", "2"}));
  m.form->BackupClick = [&](int config) {
    EXPECT_FALSE(m.exists(m.form->loc.programDir + "longfn.txt"));
    s.calls.push_back("backup " + std::to_string(config));
    m.form->CloseAfterRun = true;
  };
  m.form->FormShow();
  EXPECT_EQ(s.calls, (std::vector<std::string>{"shortcut", "backup 1", "backup 3", "regpack"}));
  EXPECT_TRUE(m.form->terminateRequested);
  // A backup request keeps the new-features record for an interactive start.
  EXPECT_EQ(m.setting("Produced by", "NewFeaturesShown"), "@");
}

TEST(WindowStart, MissingOperationsAreReportedNotPretended) {
  Started s;
  TestProgram& m = *s.m;
  m.form->BackupClick = nullptr;
  ASSERT_TRUE(m.form->RunEntrySequence({"schedule", "1"}));
  m.ui.expect("not available", "OK");
  m.form->FormShow();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_NE(m.form->ActivityLog.find("Config1 is not available"), std::string::npos);
}

TEST(WindowStart, HardDriveChangePrompt) {
  Started s;
  TestProgram& m = *s.m;
  m.setSetting("HDChanged", "Prompt", "1");
  m.setSetting("Produced by", "SerialNum", "12345");
  int made = -1;
  m.form->MakeBootDisk = [&](int kind) { made = kind; };
  ASSERT_TRUE(m.form->RunEntrySequence({}));
  m.ui.expect("Make Boot Disk?", "No");
  m.form->FormShow();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(made, -1);
  EXPECT_EQ(m.setting("HDChanged", "Prompt"), "0");

  m.setSetting("HDChanged", "Prompt", "1");
  m.ui.expect("Hard Drive has changed", "Yes");
  m.form->BeginningPrompts();
  EXPECT_EQ(made, corvasta::kNtBootDisk);
  EXPECT_EQ(m.setting("HDChanged", "Prompt"), "1");

  m.ui.expect("Hard Drive has changed", "Cancel");
  m.setSetting("Produced by", "VersionNo", "old");
  m.form->BeginningPrompts();
  EXPECT_EQ(m.setting("Produced by", "VersionNo"), "old");  // Cancel ends the questions
}

TEST(WindowStart, InstallerMarkerIsRemovedAfterItsCopies) {
  Started s;
  TestProgram& m = *s.m;
  const std::string program = m.form->loc.programDir;
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
