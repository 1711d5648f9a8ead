// What a restore does with sets it cannot fully trust: a wrong password, a
// user.ini that sends a registry file elsewhere, a damaged registry archive
// beside a stale temporary file. Each is listed in the warning list, the run
// asks before restarting, and nothing is put in place half-written.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "backup/model/BackupTypes.h"
#include "platform/files/file_system.h"
#include "tests/restore_run/restore_scenario.h"
#include "tests/support/backup_config_settings.h"
#include "tests/support/machine_builder.h"

namespace restore_test {
namespace {

using testing_support::MachineBuilder;
using testing_support::TestProgram;

bool listed(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

struct MeFaults : ::testing::Test {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  std::string windows() const { return m.form->core.loc.windowsDir; }
  // The registry extent only, as a Windows Crash restore.
  void restoreRegistry(const std::string& set) {
    m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
    m.form->restore.state.extentEnabled = {true, true, true, true};
    m.form->core.winCrash = true;
    m.form->core.winUsers = m.form->core.userFiles = m.form->core.otherFiles = false;
    m.form->restore.run.RunRestore(set + "user0.daz", set + "system.daz");
  }
};

TEST_F(MeFaults, WrongPasswordChangesNothingAndAsks) {
  const std::string set = backUpConfig1(m, 1, "secret");
  m.form->core.Form8.password.clear();
  const std::string registryBefore = m.read(windows() + "SYSTEM.DAT");
  const std::string winIniBefore = m.read(windows() + "WIN.INI");

  m.ui.expect("Password Needed", "guess");
  m.ui.expect("Wrong Password", "OK");
  // Every later archive asks again; declining is no better.
  for (int archive = 0; archive < 4; ++archive) {
    m.ui.expect("Password Needed", "Cancel");
    m.ui.expect("Wrong Password", "OK");
  }
  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();

  const std::vector<std::string>& warning = m.form->core.Form6.lines;
  EXPECT_TRUE(listed(warning, "(wrong password)"));
  EXPECT_TRUE(listed(warning, "(no password given)"));
  EXPECT_TRUE(listed(warning, "If any keys were successfully restored, "));
  EXPECT_EQ(m.read(windows() + "SYSTEM.DAT"), registryBefore);
  EXPECT_EQ(m.read(windows() + "WIN.INI"), winIniBefore);
  EXPECT_EQ(m.profileString(windows() + "wininit.ini", "Rename",
                            corvasta::ShortFileName(*m.machine, windows() + "system.dat")),
            "@");
  EXPECT_FALSE(m.exists("C:\\Temp\\system.dat"));
}

TEST_F(MeFaults, UserIniEntryOutsideAUserDatIsRefused) {
  const std::string set = backUpConfig1(m, 1);
  const std::string command = m.read("C:\\COMMAND.COM");
  m.write(set + "user.ini", "[MultiUsers]\r\nuser0=C:\\COMMAND.COM\r\n");

  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(m.read("C:\\COMMAND.COM"), command);
  EXPECT_TRUE(listed(m.form->core.Form6.lines, "not a user.dat on a drive of this computer"));
  const std::string wininit = windows() + "wininit.ini";
  EXPECT_EQ(m.profileString(wininit, "Rename",
                            corvasta::ShortFileName(*m.machine, windows() + "user.dat")),
            "@");
  EXPECT_NE(m.profileString(wininit, "Rename",
                            corvasta::ShortFileName(*m.machine, windows() + "system.dat")),
            "@");
}

TEST_F(MeFaults, DamagedRegistryArchiveLeavesNoTemporaryFileToPutInPlace) {
  const std::string set = backUpConfig1(m, 1);
  m.writeOnHost(set + "user0.daz", "PK\x03\x04 this is not an archive any more");
  m.write("C:\\Temp\\user.dat", "left by an earlier restore");

  m.ui.expect("Do you want to Restart Windows?", "Yes");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(listed(m.form->core.Form6.lines, set + "user0.daz"));
  EXPECT_FALSE(m.exists("C:\\Temp\\user.dat"));
  const std::string userDat = m.read(windows() + "USER.DAT");

  m.restartWindows({});
  EXPECT_EQ(m.read(windows() + "USER.DAT"), userDat);
  EXPECT_EQ(m.read(windows() + "system.dat"), setRegistryFile(m, set, "system"));
}

}  // namespace
}  // namespace restore_test

namespace restore_test {
namespace {

TEST_F(MeFaults, RightPasswordRestoresTheEncryptedSet) {
  const std::string set = backUpConfig1(m, 1, "secret");
  m.form->core.Form8.password.clear();
  const std::string systemDat = m.read(windows() + "SYSTEM.DAT");
  m.writeOnHost(windows() + "SYSTEM.DAT", "broken registry");
  m.ui.expect("Password Needed", "secret");
  m.ui.expect("files restored", "OK");
  restoreRegistry(set);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  m.restartWindows({});
  EXPECT_EQ(m.read(windows() + "SYSTEM.DAT"), systemDat);
}

// Other Files of a small drive D that has filled up since the backup.
TEST(DiskFull, TheFileThatDoesNotFitIsListedAndTheRestGoesOn) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe).fixedDrive('D', 400'000)};
  m.start();
  m.write("D:\\Data\\big.txt", std::string(150'000, 'b'));
  m.write("C:\\Docs\\small.txt", "small");
  m.addSettings(
      "[MultiFiles0]\r\nFileName=Big\r\nPath=D:\\Data\\\r\nFileType0=\">*.txt\"\r\nCheck1=1\r\n"
      "[MultiFiles1]\r\nFileName=Small\r\nPath=C:\\Docs\\\r\nFileType0=\">*.txt\"\r\nCheck1=1\r\n");
  testing_support::writeConfig(m, 1, "C:\\Backups", 1, corvasta::kFullBackup, {});
  m.restartProgram();
  m.start();
  m.ui.expect("Type Name of this Backup:", "Set1");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  const std::string set = m.setting("Backup Directories", "1");
  m.files->deleteFile("D:\\Data\\big.txt");
  m.files->deleteFile("C:\\Docs\\small.txt");
  m.write("D:\\filler.bin", std::string(300'000, 'f'));

  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = m.form->core.winUsers = m.form->core.userFiles = false;
  m.form->core.otherFiles = true;
  m.form->restore.run.RunRestore(set + "Big.zip", set + "system.daz");
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(listed(m.form->core.Form6.lines, set + "Big.zip"));
  EXPECT_FALSE(m.exists("D:\\Data\\big.txt"));
  EXPECT_EQ(m.read("C:\\Docs\\small.txt"), "small");
}

}  // namespace
}  // namespace restore_test

namespace restore_test {
namespace {

// The free bytes of a drive as its capacity accounting gives them.
uint64_t freeBytes(testing_support::ProgramRig& m, const std::string& root) {
  return m.files->getDiskFreeSpaceEx(root).freeBytesAvailable;
}

// Drive C filled up since the backup: no room for the temporary registry
// files or the profile and Other Files. Each that does not fit is an error
// line naming it, every step is still tried, nothing is left half-written,
// the old registry and the old profile file stay, no Rename entry is written,
// and the run ends with its question, not in its error handler (a results.txt
// that does not fit either stays in the log buffer).
TEST(DiskFull, RegistryAndProfileFilesThatDoNotFitLeaveTheOldOnes) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  m.start();
  const std::string windows = m.form->core.loc.windowsDir;
  const std::string big = windows + "Desktop\\big.bin";
  m.writeFileOfSize(big, 400'000);
  const std::string set = backUpConfig1(m, 1);
  const std::string bigBefore(400'000, 'o');
  m.write(big, bigBefore);
  m.files->setFileAttributes("C:\\Docs\\letter.txt", platform::kAttributeNormal);
  m.files->deleteFile("C:\\Docs\\letter.txt");
  // A file that still holds the set's bytes is kept as it is; this one must
  // be written again.
  m.write(windows + "WIN.INI", m.read(windows + "WIN.INI") + "; changed\r\n");
  std::map<std::string, std::string> registryBefore;
  uint64_t smallest = 400'000;
  for (const char* name : {"USER.DAT", "SYSTEM.DAT", "CLASSES.DAT"}) {
    registryBefore[name] = m.read(windows + name);
    smallest = std::min<uint64_t>(smallest, registryBefore[name].size());
  }
  // Three clusters, less than any registry file.
  const uint64_t room = 3 * 4096;
  ASSERT_GT(smallest, room);

  constexpr uint64_t kLarge = uint64_t{1} << 40;
  const auto capacity = [](uint64_t bytes) {
    return [bytes](platform::MachineConfig& config) {
      for (auto& drive : config.drives)
        if (drive.letter == 'C') drive.capacity = bytes;
    };
  };
  m.reconfigureMachine(capacity(kLarge));
  const uint64_t used = kLarge - freeBytes(m, "C:\\");
  m.reconfigureMachine(capacity(used + room));
  m.start();

  m.form->restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  m.form->restore.state.extentEnabled = {true, true, true, true};
  m.form->core.winCrash = m.form->core.userFiles = m.form->core.otherFiles = true;
  m.form->core.winUsers = false;
  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  try {
    m.form->restore.run.RunRestore(set + "user0.daz", set + "system.daz");
  } catch (const std::exception& error) {
    FAIL() << error.what() << "\n" << m.form->core.ActivityLog;
  }
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->restore.state.runFailed);
  const std::vector<std::string>& lines = m.form->core.Form6.lines;
  EXPECT_TRUE(listed(lines, set + "user0.daz"));
  EXPECT_TRUE(listed(lines, set + "system.daz"));
  EXPECT_TRUE(listed(lines, "big.bin"));

  EXPECT_EQ(m.read(big), bigBefore);
  // Every step was tried: the WinConfig files and Other Files have their lines too.
  EXPECT_TRUE(listed(lines, set + "win.inz"));
  EXPECT_TRUE(listed(lines, set + "Docs.zip"));
  EXPECT_FALSE(m.exists("C:\\Docs\\letter.txt"));
  EXPECT_EQ(m.profileString(windows + "wininit.ini", "Rename", windows + "SYSTEM.DAT"), "@");
  EXPECT_EQ(m.profileString(windows + "wininit.ini", "Rename", windows + "USER.DAT"), "@");
  for (const std::string& folder : {std::string("C:\\"), windows, windows + "Desktop\\"})
    for (const std::string& name : m.list(folder))
      EXPECT_TRUE(name.rfind("~cv", 0) != 0 && name.rfind("~CV", 0) != 0)
          << folder << name << " left half-written";
  m.restartWindows({});
  for (const auto& [name, bytes] : registryBefore) EXPECT_EQ(m.read(windows + name), bytes) << name;
}

}  // namespace
}  // namespace restore_test
