// The system locations: path helpers, 8.3 forms, the Startup and profile
// directories, the boot drive and the short date format.

#include "app/core/Locations.h"

#include <gtest/gtest.h>

#include "tests/support/program_rig.h"

namespace prefs_test {
namespace {

using corvasta::CheckPath;
using corvasta::RemoveBackSl;
using corvasta::ShortFileName;
using platform::WindowsVersion;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

TEST(PathHelpers, FinalBackslashes) {
  EXPECT_EQ(CheckPath(""), "\\");
  EXPECT_EQ(CheckPath("C:"), "C:\\");
  EXPECT_EQ(CheckPath("C:\\"), "C:\\");
  EXPECT_EQ(RemoveBackSl("C:\\"), "C:");
  EXPECT_EQ(RemoveBackSl("C:\\a\\\\"), "C:\\a\\");
  EXPECT_EQ(RemoveBackSl("C:\\a"), "C:\\a");
  EXPECT_EQ(RemoveBackSl(""), "");
}

TEST(ShortFileName, GeneratesNamesForPathsThatDoNotExist) {
  TestProgram m;
  const platform::Machine& machine = *m.machine;
  EXPECT_EQ(ShortFileName(machine, "C:\\My File.txt"), "C:\\MyFile~1.txt");
  EXPECT_EQ(ShortFileName(machine, "C:\\report.html"), "C:\\report~1.htm");
  EXPECT_EQ(ShortFileName(machine, "C:\\a.b.c"), "C:\\ab~1.c");
  EXPECT_EQ(ShortFileName(machine, "C:\\ab"), "C:\\ab");
  EXPECT_EQ(ShortFileName(machine, "C:\\a+b=c[1].txt"), "C:\\a_b_c_~1.txt");
  EXPECT_EQ(ShortFileName(machine, "C:\\Long Folder\\No Extension Here"),
            "C:\\LongFolder\\NoExtensionHere");
  EXPECT_EQ(ShortFileName(machine, "C:\\abcdefghij.tx"), "C:\\abcdef~1.tx");
  // A path the machine cannot map is still converted.
  EXPECT_EQ(ShortFileName(machine, "Q:\\Some Dir\\x.y"), "Q:\\SomeDir\\x.y");
}

TEST(ShortFileName, ExistingDirectoriesKeepTheirRealShortNames) {
  TestProgram m;
  m.files->createDirectory("C:\\Long Folder Name");
  m.files->createDirectory("C:\\Long Folder Nameless");
  m.files->createDirectory("C:\\Long Folder Nameless\\inner dir");
  // The second folder's real alias is ~2, which a generated name could not know.
  const std::string real = m.machine->shortPath("C:\\Long Folder Nameless\\inner dir");
  EXPECT_EQ(real, "C:\\LONGFO~2\\INNERD~1");
  EXPECT_EQ(ShortFileName(*m.machine, "C:\\Long Folder Nameless\\inner dir\\new file.text"),
            real + "\\newfil~1.tex");
  EXPECT_EQ(ShortFileName(*m.machine, "C:\\Long Folder Nameless\\inner dir\\"), real + "\\");
  EXPECT_EQ(ShortFileName(*m.machine, "C:\\Long Folder Nameless"), "C:\\LONGFO~2");
}

TEST(RedoShortDate, WidensTheLocaleFormatOnlyWhenNoFormatIsSet) {
  TestProgram m{MachineBuilder().configure(
      [](platform::MachineConfig& config) { config.shortDate = "M/d/yy"; })};
  m.form->core.RedoShortDate();
  EXPECT_EQ(m.form->core.Form8.dateFormat, "MM/dd/yyyy");
  EXPECT_EQ(m.form->core.loc.shortDateFormat, "MM/dd/yyyy");

  m.form->core.Form8.dateFormat = "yy-d-M";
  m.form->core.loc.shortDateFormat = "unchanged";
  m.form->core.RedoShortDate();
  EXPECT_EQ(m.form->core.Form8.dateFormat, "yy-d-M");
  EXPECT_EQ(m.form->core.loc.shortDateFormat, "unchanged");

  TestProgram german{MachineBuilder().configure(
      [](platform::MachineConfig& config) { config.shortDate = "dd.MM.yyyy"; })};
  german.form->core.RedoShortDate();
  EXPECT_EQ(german.form->core.Form8.dateFormat, "dd.MM.yyyy");
}

TEST(WriteDate, FillsTheDateOnlyWhenPartOfItIsMissing) {
  TestProgram m;
  m.writeSettings(
      "[AutoBackup]\r\nYear=2001\r\nMonth=2\r\nDay=3\r\n[AutoBackup2]\r\nYear=2001\r\n");
  m.form->core.WriteDate("AutoBackup");
  EXPECT_EQ(m.setting("AutoBackup", "Year"), "2001");
  m.form->core.WriteDate("AutoBackup2");
  EXPECT_NE(m.setting("AutoBackup2", "Year"), "2001");
  EXPECT_NE(m.setting("AutoBackup2", "Day"), "@");
}

TEST(Directories, RootTempAndInterpreterFollowSettingsAndEnvironment) {
  TestProgram m{MachineBuilder(WindowsVersion::WinXp)
                    .environment("TEMP", "C:\\TMP")
                    .environment("ComSpec", "C:\\WINDOWS\\system32\\cmd.exe")};
  testing_support::writeFile(m.host("C:\\ntldr"), "boot");
  m.writeSettings("[DefaultDirectories]\r\nRoot=\r\nTemp=C:\\Missing\\\r\n");
  m.form->core.ReadDirectories();
  EXPECT_EQ(m.form->core.loc.bootDriveRoot, "C:\\");
  EXPECT_EQ(m.form->core.loc.rootDir, "C:\\");
  EXPECT_EQ(m.form->core.loc.defaultTempDir, "C:\\TMP");
  EXPECT_EQ(m.form->core.loc.tempDir, "C:\\Missing\\");
  EXPECT_EQ(m.form->core.loc.commandInterpreter, "C:\\WINDOWS\\system32\\cmd.exe");
  m.form->core.CheckDirectories();
  EXPECT_EQ(m.form->core.loc.tempDir, "C:\\TMP");
}

TEST(Directories, BootDriveIsTheFirstFixedDriveWithTheMarker) {
  TestProgram m{MachineBuilder(WindowsVersion::Win98).fixedDrive('D')};
  m.form->core.FindBootDrive();
  EXPECT_EQ(m.form->core.loc.bootDriveRoot, "C:\\");
  testing_support::writeFile(m.host("D:\\SYSTEM.1ST"), "registry");
  m.form->core.FindBootDrive();
  EXPECT_EQ(m.form->core.loc.bootDriveRoot, "D:\\");
}

TEST(Startup, MissingStartupDirectoryFallsBackToTheRegistrysStartupFolder) {
  TestProgram m{MachineBuilder::sample(WindowsVersion::WinMe)
                    .registryString(platform::HKEY_CURRENT_USER,
                                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                    "Shell Folders",
                                    "Startup", "C:\\WINDOWS\\Start Menu\\Programs\\StartUp")};
  m.writeSettings("[DefaultDirectories]\r\nStartUp=c:\\gone\r\n");
  m.form->core.GetStartup();
  EXPECT_EQ(m.form->core.loc.startupFolder, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\");
  m.form->core.ReadStartupDir();
  EXPECT_EQ(m.form->core.loc.startupDir, "C:\\GONE\\");
  m.form->core.ReadDirectories();
  m.form->core.CheckDirectories();
  EXPECT_EQ(m.form->core.loc.startupDir, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\");
  EXPECT_EQ(m.form->core.loc.defaultSystemBackupDir, "C:\\WINDOWS\\Sysbckup\\");
}

TEST(Startup, Windows9xUserProfileNeedsTheProfilesUserDat) {
  TestProgram withProfiles{MachineBuilder::sample(WindowsVersion::Win98, 2)};
  withProfiles.form->core.GetStartup();
  const std::string user = withProfiles.machine->config().userName;
  ASSERT_FALSE(user.empty());
  EXPECT_EQ(withProfiles.form->core.loc.userDir, "C:\\WINDOWS\\Profiles\\" + user + "\\");

  TestProgram withoutProfiles{MachineBuilder::sample(WindowsVersion::Win98, 0)};
  withoutProfiles.form->core.GetStartup();
  EXPECT_EQ(withoutProfiles.form->core.loc.userDir, "C:\\WINDOWS\\");
}

class NtProfile : public ::testing::Test {
 protected:
  TestProgram m{MachineBuilder(WindowsVersion::WinXp).userProfile("Alice")};
};

TEST_F(NtProfile, DetectedProfileIsTheDefault) {
  m.form->core.GetStartup();
  EXPECT_EQ(m.form->core.loc.ntProfileDir, "C:\\Documents and Settings\\Alice\\");
  EXPECT_EQ(m.form->core.loc.userDir, "C:\\Documents and Settings\\Alice\\");
  EXPECT_EQ(m.form->core.loc.defaultSystemBackupDir, "");
}

TEST_F(NtProfile, LongUserTakesPrecedenceOverUser) {
  m.writeSettings("[DefaultDirectories]\r\nUser=C:\\USERS\\BOB\\\r\n");
  m.form->core.GetStartup();
  EXPECT_EQ(m.form->core.loc.userDir, "C:\\USERS\\BOB\\");
  m.writeSettings(
      "[DefaultDirectories]\r\nUser=C:\\USERS\\BOB\\\r\nLongUser=C:\\Users\\Bob Long\\\r\n");
  m.form->core.GetStartup();
  EXPECT_EQ(m.form->core.loc.userDir, "C:\\Users\\Bob Long\\");
  m.writeSettings("[DefaultDirectories]\r\nUser=C:\\USERS\\BOB\\\r\nLongUser=\r\n");
  m.form->core.GetStartup();
  EXPECT_EQ(m.form->core.loc.userDir, "C:\\Documents and Settings\\Alice\\");
}

TEST_F(NtProfile, UnknownUserGivesTheWindowsDirectory) {
  TestProgram bob{MachineBuilder(WindowsVersion::WinXp).userName("Bob")};
  bob.form->core.GetStartup();
  EXPECT_EQ(bob.form->core.loc.ntProfileDir, "C:\\WINDOWS\\");
}

TEST(Startup, RestorePointDirectoryOfWindowsXp) {
  TestProgram m{MachineBuilder(WindowsVersion::WinXp)};
  m.files->createDirectory("C:\\System Volume Information");
  m.files->createDirectory("C:\\System Volume Information\\_restore{1234-ABCD}");
  m.form->core.GetStartup();
  EXPECT_EQ(m.form->core.loc.defaultSystemBackupDir,
            "C:\\System Volume Information\\_restore{1234-ABCD}\\");
}

}  // namespace
}  // namespace prefs_test
