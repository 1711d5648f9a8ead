// The archives of profile folders, Other Files entries and entire drives are
// standard ZIP files: Info-ZIP tests them and lists the full source paths.
#include <gtest/gtest.h>

#include "tests/backup_archiving/archiving_run.h"

using archiving_test::inBackup;
using testing_support::haveProgram;
using testing_support::MachineBuilder;
using testing_support::runCommand;
using testing_support::shellQuoted;
using testing_support::TestProgram;

namespace {

void expectSoundArchive(TestProgram& m, const std::string& archive,
                        const std::vector<std::string>& listed, const std::string& password = "") {
  const std::string host = shellQuoted(m.host(archive));
  const std::string passwordOption = password.empty() ? "" : "-P " + password + " ";
  const testing_support::CommandResult test = runCommand("unzip -t " + passwordOption + host);
  EXPECT_EQ(test.exitCode, 0) << test.output;
  EXPECT_NE(test.output.find("No errors detected"), std::string::npos) << test.output;
  const testing_support::CommandResult listing = runCommand("unzip -l " + host);
  EXPECT_EQ(listing.exitCode, 0) << listing.output;
  for (const std::string& name : listed)
    EXPECT_NE(listing.output.find(name), std::string::npos) << name << "\n" << listing.output;
}

}  // namespace

TEST(ArchivingPeerTest, ProfileFolderArchiveOfWindowsMeIsStandard) {
  if (!haveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinMe, 2))};
  m.write("C:\\WINDOWS\\All Users\\Desktop\\Shared.txt", "for everyone");
  const std::string archive = m.setDir + "desktop.zip";
  m.form->core.Form8.password = "garden";

  m.form->backup.items.ZipDir(
      archive, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 1, true,
      platform::HKEY_CURRENT_USER, "Desktop", "Desktop");

  expectSoundArchive(m, archive, {"C:/WINDOWS/All Users/Desktop/Shared.txt", "Desktop/Notes.txt"},
                     "garden");
}

TEST(ArchivingPeerTest, OtherFilesAndEntireDriveArchivesAreStandard) {
  if (!haveProgram("unzip")) GTEST_SKIP() << "unzip is not installed";
  TestProgram m{inBackup(MachineBuilder().fixedDrive('D'))};
  m.write("C:\\DATA\\Long File Name.txt", std::string(50000, 'a'));
  m.write("C:\\DATA\\SUB\\b.txt", "below");
  m.write("D:\\GAMES\\chess.exe", std::string(30000, '\x07'));
  m.write("D:\\readme.txt", "drive D");
  m.addSettings(
      "[MultiFiles0]\r\nFileName=Docs\r\nFileType0=\">C:\\DATA\\*.txt\"\r\n"
      "[MultiFiles1]\r\nFileName=All Files on Drive D\r\n");

  m.form->backup.items.BackupOtherFilesEntry(0, 1);
  m.form->backup.items.BackupOtherFilesEntry(1, 1);

  expectSoundArchive(m, m.setDir + "Docs.zip", {"C:/DATA/Long File Name.txt", "C:/DATA/SUB/b.txt"});
  expectSoundArchive(m, m.setDir + "D-GAMES.zip", {"D:/GAMES/chess.exe"});
  expectSoundArchive(m, m.setDir + "DRoot.zip", {"D:/readme.txt"});
}
