// Files that are never deferred, and a replacement of a file in use that
// finishes at the next start of Windows.

#include <gtest/gtest.h>

#include "archive/ZipWriter.h"
#include "backup/model/BackupTypes.h"
#include "tests/backup_openfiles/open_files_machine.h"

namespace openfiles_test {
namespace {

TEST(NeverDeferred, RegistryHivesSetTheRegistryFlagOnlyWithoutTheRegistryItem) {
  OpenFilesProgram m(platform::WindowsVersion::WinXp);
  const std::string hive = "C:\\Documents and Settings\\Owner\\NTUSER.DAT";
  m.form->core.Form8.config.winFilesChecks = {1, 1};
  EXPECT_FALSE(m.form->backup.openFiles.CopyOpenFile(hive, "C:\\Backup\\x.zip", 0, false, true));
  EXPECT_FALSE(m.form->core.RegistryFilesFlag);
  m.form->core.Form8.config.winFilesChecks = {0, 1};
  EXPECT_FALSE(m.form->backup.openFiles.CopyOpenFile(
      m.form->core.loc.windowsDir + "system32\\config\\software", "C:\\Backup\\x.zip", 0, false,
      true));
  EXPECT_TRUE(m.form->core.RegistryFilesFlag);
  EXPECT_EQ(m.form->core.OpenFilesFound, 0u);
  EXPECT_FALSE(m.exists(m.programDir() + "Temp\\OpenFN.ini"));
}

TEST(NeverDeferred, SwapFilesArePassedOverSilently) {
  OpenFilesProgram m(platform::WindowsVersion::WinMe, {"C:\\WINDOWS\\WIN386.SWP"});
  m.writeOnHost("C:\\WINDOWS\\WIN386.SWP", "swap");
  m.form->backup.archiving.TransferFile("C:\\WINDOWS\\WIN386.SWP", "C:\\Backup\\WIN386.SWP", false,
                                        corvasta::kTransferCopy, 0);
  EXPECT_EQ(m.form->core.OpenFilesFound, 0u);
  EXPECT_FALSE(m.form->core.RegistryFilesFlag);
  EXPECT_FALSE(m.exists(m.programDir() + "Temp\\OpenFN.ini"));
  EXPECT_TRUE(m.ui.finished());
}

// A backup archive of C:\Data made while nothing was in use, then the letter
// changed and held open.
std::string backUpThenChangeLetter(OpenFilesProgram& m) {
  const std::string archivePath = "C:\\Backup\\data.zip";
  m.files->createDirectory("C:\\Backup");
  archive::TZipWriter& zip = m.form->core.Zip1;
  zip.SetZipName(archivePath);
  zip.FilesList = {"C:\\Data\\*.*"};
  EXPECT_EQ(zip.CreateArchive(), 2);
  zip.CloseArchive();
  m.writeOnHost(kLetter, "A damaged letter");
  return archivePath;
}

void restoreData(OpenFilesProgram& m, const std::string& archivePath) {
  archive::TZipWriter& zip = m.form->core.Zip1;
  zip.SetZipName(archivePath);
  zip.DestDir.clear();
  zip.RecreateDirs = true;
  zip.FilesList.clear();
  zip.DoAll = true;
  m.form->core.FilesBackedUp += static_cast<uint64_t>(zip.Extract());
  zip.CloseArchive();
}

TEST(DeferredRestore, Windows98ReplacesTheFileInUseFromTheArchiveAtTheNextStart) {
  OpenFilesProgram m(platform::WindowsVersion::Win98, {});
  const std::string archivePath = backUpThenChangeLetter(m);
  m.restartWindows({kLetter});
  m.form->core.Form8.config.copyOpenFiles = true;
  restoreData(m, archivePath);
  EXPECT_EQ(m.form->core.FilesBackedUp, 1u);  // the notes; the letter is deferred
  const std::string temp = m.programDir() + "Temp\\OpenFN1.doc";
  EXPECT_EQ(m.read(temp), kLetterText);  // the replacement, taken out now
  EXPECT_EQ(m.job(1, "Source"), temp);
  EXPECT_EQ(m.job(1, "Dest"), kLetter);
  EXPECT_EQ(m.job(1, "Compressed"), "0");
  EXPECT_EQ(m.job(1, "Extract"), "1");
  EXPECT_EQ(m.form->core.ActivityLog.find("Open File Encountered"), std::string::npos);

  m.restartWindows({kLetter});
  EXPECT_EQ(m.read(kLetter), kLetterText);  // replaced before Windows held it
  m.runShortcut(m.startup() + "CVOpen.lnk");
  EXPECT_FALSE(m.exists(temp));
  EXPECT_EQ(m.job(1, "Source"), "@");
  EXPECT_FALSE(m.exists(m.startup() + "CVOpen.lnk"));
  EXPECT_EQ(m.read(kLetter), kLetterText);
}

TEST(DeferredRestore, WindowsXpReplacesByDelayedMoveWithoutTheAllowedList) {
  OpenFilesProgram m(platform::WindowsVersion::WinXp, {});
  const std::string archivePath = backUpThenChangeLetter(m);
  m.restartWindows({kLetter});
  m.form->core.Form8.config.copyOpenFiles = true;
  restoreData(m, archivePath);
  EXPECT_EQ(m.job(1, "Extract"), "1");
  ASSERT_EQ(m.files->pendingDelayedMoves().size(), 1u);

  m.restartWindows({kLetter});
  EXPECT_EQ(m.read(kLetter), kLetterText);
  m.runShortcut(m.startup() + "CVOpen.lnk");
  EXPECT_EQ(m.job(1, "Source"), "@");
  EXPECT_FALSE(m.exists(m.programDir() + "Temp\\OpenFN1.doc"));
}

TEST(DeferredRestore, PlainCopyOntoAFileInUseIsReplacedAtTheNextStart) {
  OpenFilesProgram m(platform::WindowsVersion::WinMe);
  m.files->createDirectory("C:\\Backup");
  m.writeOnHost("C:\\Backup\\Letter.doc", "The letter as backed up.");
  m.form->backup.archiving.TransferFile("C:\\Backup\\Letter.doc", kLetter, false,
                                        corvasta::kTransferCopyRestore, 0);
  EXPECT_FALSE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.job(1, "Dest"), kLetter);
  m.restartWindows({kLetter});
  EXPECT_EQ(m.read(kLetter), "The letter as backed up.");
  m.runShortcut(m.startup() + "CVOpen.lnk");
  EXPECT_EQ(m.job(1, "Source"), "@");
}

TEST(FinishOpenCopying, MissingTemporaryCopyDropsTheJobAndLeavesTheArchive) {
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  m.files->createDirectory("C:\\Backup");
  m.writeOnHost("C:\\Backup\\data.zip", "");
  ASSERT_TRUE(
      m.form->backup.openFiles.CopyOpenFile(kLetter, "C:\\Backup\\data.zip", 0, false, true));
  m.runShortcut(m.startup() + "CVOpen.lnk");  // no restart: no temporary copy
  EXPECT_EQ(m.job(1, "Source"), "@");
  EXPECT_EQ(m.read("C:\\Backup\\data.zip"), "");
}

TEST(FinishOpenCopying, CancelOnTheDiskPromptKeepsTheJobs) {
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  ASSERT_TRUE(m.form->backup.openFiles.CopyOpenFile(kLetter, "A:\\data.zip", 0, false, true));
  m.writeOnHost(m.programDir() + "Temp\\OpenFN1.doc", kLetterText);
  m.machine->drive('A')->eject();
  m.ui.expect("Please insert the disk with A:\\data.zip on it.", "Cancel");
  m.form->FinishOpenCopying();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.job(1, "Source"), kLetter);
  EXPECT_TRUE(m.exists(m.programDir() + "Temp\\OpenFN1.doc"));
}

}  // namespace
}  // namespace openfiles_test
