// The program on a test machine: the locations it finds as a start finds
// them, what the machine's settings keys and registry change of them, the
// clock, the run it is in, and its restarts.

#include "tests/support/program_rig.h"

#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "platform/files/file_handle.h"

namespace testing_support {
namespace {

using platform::WindowsVersion;

struct ModeCase {
  WindowsVersion version;
  int mode;
  const char* windowsDir;
  const char* systemDir;
};

class EveryVersion : public ::testing::TestWithParam<ModeCase> {};

TEST_P(EveryVersion, SmallMachineRunsTheProgramOfItsWindows) {
  const ModeCase& c = GetParam();
  TestProgram m{MachineBuilder(c.version)};
  EXPECT_EQ(m.form->core.WindowsMode, c.mode);
  EXPECT_EQ(m.form->core.loc.windowsDir, c.windowsDir);
  EXPECT_EQ(m.form->core.loc.systemDir, c.systemDir);
  EXPECT_EQ(m.form->core.loc.windowsDrive, "C:");
  EXPECT_EQ(m.form->core.loc.rootDir, "C:\\");
  EXPECT_EQ(m.programDir(), "C:\\Program Files\\Corvasta\\");
  for (const std::string& folder :
       {m.form->core.loc.windowsDir, m.form->core.loc.systemDir, m.programDir()})
    EXPECT_TRUE(m.files->directoryExists(folder)) << folder;
  // Nothing of the program's own is written before it runs.
  EXPECT_FALSE(m.exists(m.programDir() + "vastel.ini"));
}

INSTANTIATE_TEST_SUITE_P(
    Versions, EveryVersion,
    ::testing::Values(ModeCase{WindowsVersion::Win95, 1, "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\"},
                      ModeCase{WindowsVersion::Win98, 2, "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\"},
                      ModeCase{WindowsVersion::WinMe, 3, "C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\"},
                      ModeCase{WindowsVersion::Nt4, 4, "C:\\WINNT\\", "C:\\WINNT\\SYSTEM32\\"},
                      ModeCase{WindowsVersion::Win2000, 5, "C:\\WINNT\\", "C:\\WINNT\\SYSTEM32\\"},
                      ModeCase{WindowsVersion::WinXp, 6, "C:\\WINDOWS\\",
                               "C:\\WINDOWS\\SYSTEM32\\"}));

TEST(ProgramRig, SettingsKeysMoveLocationsOnlyToFoldersThatExist) {
  TestProgram moved{MachineBuilder()
                        .setting("DefaultDirectories", "Temp", "C:\\CVTEMP\\")
                        .setting("DefaultDirectories", "StartUp", "C:\\Autostart")
                        .folder("C:\\CVTEMP")
                        .folder("C:\\Autostart")};
  EXPECT_EQ(moved.form->core.loc.tempDir, "C:\\CVTEMP\\");
  EXPECT_EQ(moved.startup(), "C:\\AUTOSTART\\");

  TestProgram missing{MachineBuilder().setting("DefaultDirectories", "Temp", "C:\\CVTEMP\\")};
  EXPECT_EQ(missing.form->core.loc.tempDir, "C:\\WINDOWS\\TEMP");  // TEMP of Windows ME
  EXPECT_EQ(missing.startup(), "C:\\WINDOWS\\Startm~1\\Programs\\StartUp\\");
}

TEST(ProgramRig, UsersAndRegistryValuesAreWhatTheProgramFinds) {
  TestProgram me{MachineBuilder(WindowsVersion::Win98)
                     .userProfile("Alice")
                     .registryString(platform::HKEY_CURRENT_USER,
                                     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                     "Shell Folders",
                                     "Startup", "C:\\WINDOWS\\Profiles\\Alice\\StartUp")};
  EXPECT_EQ(me.form->core.loc.userDir, "C:\\WINDOWS\\Profiles\\Alice\\");
  EXPECT_EQ(me.form->core.loc.startupFolder, "C:\\WINDOWS\\Profiles\\Alice\\StartUp\\");

  TestProgram xp{MachineBuilder(WindowsVersion::WinXp).userProfile("Alice")};
  EXPECT_EQ(xp.form->core.loc.ntProfileDir, "C:\\Documents and Settings\\Alice\\");
}

TEST(ProgramRig, ClockStandsStillUntilTheProgramSleeps) {
  TestProgram m{MachineBuilder().today(2004, 7, 30, 9)};
  EXPECT_EQ(m.form->core.now().day, 30);
  EXPECT_EQ(m.form->core.now().hour, 9);
  m.form->core.Pause(3);
  EXPECT_GE(m.fakeSeconds, 3);
  EXPECT_LT(m.fakeSeconds, 3.1);
  m.setToday(2005, 1, 2);
  m.restartProgram();
  EXPECT_EQ(m.form->core.now().year, 2005);
}

TEST(ProgramRig, BackupRunIsPreparedAtEachStart) {
  TestProgram m{MachineBuilder().backupSet("C:\\Backups\\Set1\\").packLevel(2).openFileBackup()};
  EXPECT_EQ(m.form->core.backupRun.backupSetDir, "C:\\Backups\\Set1\\");
  EXPECT_TRUE(m.files->directoryExists("C:\\Backups\\Set1"));
  EXPECT_EQ(m.form->core.Zip1.PackLevel, 2);
  EXPECT_TRUE(m.form->core.Form8.config.copyOpenFiles);
  m.restartProgram();
  EXPECT_EQ(m.form->core.backupRun.backupSetDir, m.setDir);
  EXPECT_TRUE(m.form->core.Form8.config.copyOpenFiles);
}

TEST(ProgramRig, WritesGoThroughWindowsAndKeepTheirOrder) {
  TestProgram m;
  m.write("C:\\SRC\\Report Final A.txt", "a");
  m.write("C:\\SRC\\Report Final B.txt", "b");
  EXPECT_EQ(m.files->findAll("C:\\SRC\\Report Final B.txt").front().alternateName, "REPORT~2.TXT");
  EXPECT_EQ(m.list("C:\\SRC"),
            (std::vector<std::string>{"Report Final A.txt", "Report Final B.txt"}));
  m.setSetting("Section", "Key", "value");
  EXPECT_EQ(m.setting("Section", "Key"), "value");
  EXPECT_EQ(m.setting("Section", "Other"), "@");
  EXPECT_EQ(m.settingsText(), "[Section]\r\nKey=value\r\n");
}

TEST(ProgramRig, RestartingWindowsChangesWhatIsHeldOpen) {
  TestProgram m{
      MachineBuilder().file("C:\\Data\\Letter.doc", "letter").heldOpen("C:\\Data\\Letter.doc")};
  EXPECT_THROW(m.files->createFile("C:\\Data\\Letter.doc", platform::kGenericRead, 0,
                                   platform::CreationDisposition::OpenExisting),
               platform::OsError);
  m.restartWindows({});
  EXPECT_EQ(m.machine->config().openFiles, std::vector<std::string>{});
  platform::FileHandle letter = m.files->createFile("C:\\Data\\Letter.doc", platform::kGenericRead,
                                                    0, platform::CreationDisposition::OpenExisting);
  EXPECT_EQ(letter.size(), 6u);
}

TEST(ProgramRig, RunsOnAMachineThatAlreadyExists) {
  TempDir dir;
  MachineBuilder(WindowsVersion::WinXp).file("C:\\kept.txt", "kept").build(dir / "machine");
  {
    TestProgram m{MachineBuilder::existing(dir / "machine").setting("Section", "Key", "1")};
    EXPECT_EQ(m.form->core.WindowsMode, 6);
    EXPECT_EQ(m.read("C:\\kept.txt"), "kept");
  }
  EXPECT_TRUE(std::filesystem::exists(dir / "machine" / "drives" / "C" / "kept.txt"));
}

}  // namespace
}  // namespace testing_support
