// A file held open during a backup is deferred to the next start of Windows
// and finished by the "openfile" start: Windows 98 (batch file), Windows ME
// (WININIT) and Windows XP (delayed move, allowed list).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/core/TextLines.h"
#include "archive/ZipWriter.h"
#include "backup/model/BackupTypes.h"
#include "platform/profile/ini_file.h"
#include "tests/backup_openfiles/open_files_machine.h"

namespace openfiles_test {
namespace {

const std::string kArchive = "C:\\Backup\\data.zip";

// The engine archives C:\Data; the letter is in use.
int archiveData(OpenFilesProgram& m) {
  m.files->createDirectory("C:\\Backup");
  archive::TZipWriter& zip = m.form->core.Zip1;
  zip.SetZipName(kArchive);
  zip.TempPath = m.form->core.loc.tempDir;
  zip.FilesList = {"C:\\Data\\*.*"};
  zip.PackLevel = 6;
  const int stored = zip.CreateArchive();
  zip.CloseArchive();
  return stored;
}

// The letter in the archive: its entry and its bytes.
std::string letterFromArchive(OpenFilesProgram& m) {
  archive::TZipWriter& zip = m.form->core.Zip2;
  zip.SetZipName(kArchive);
  EXPECT_TRUE(zip.TestArchive());
  zip.DoAll = false;
  zip.FilesList = {"Letter.doc"};
  if (!m.files->directoryExists("C:\\Out")) m.files->createDirectory("C:\\Out");
  zip.DestDir = "C:\\Out";
  zip.RecreateDirs = false;
  const int written = zip.Extract();
  zip.CloseArchive();
  return written == 1 ? m.read("C:\\Out\\Letter.doc") : std::string("(not extracted)");
}

void expectJobFinished(OpenFilesProgram& m, const std::string& temp) {
  EXPECT_FALSE(m.exists(m.startup() + "CVOpen.lnk"));
  EXPECT_EQ(m.job(1, "Source"), "@");
  EXPECT_FALSE(m.exists(temp));
  EXPECT_EQ(m.read(kLetter), kLetterText);
}

TEST(DeferredBackup, Windows98CopiesTheFileInUseFromAutoexecAndFinishesAtLogon) {
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  EXPECT_EQ(archiveData(m), 1);
  const std::string temp = m.programDir() + "Temp\\OpenFN1.doc";
  EXPECT_EQ(m.form->core.OpenFilesFound, 1u);
  EXPECT_NE(m.form->core.ActivityLog.find("\rOpen File Encountered - C:\\Data\\Letter.doc"),
            std::string::npos);
  EXPECT_EQ(m.job(1, "Source"), kLetter);
  EXPECT_EQ(m.job(1, "Temp"), temp);
  EXPECT_EQ(m.job(1, "Dest"), kArchive);
  EXPECT_EQ(m.job(1, "Compressed"), "1");
  EXPECT_EQ(m.job(1, "Extract"), "1");

  const std::string root = m.form->core.loc.rootDir;
  const std::string shortTemp = corvasta::ShortFileName(*m.machine, temp);
  const std::vector<std::string> batch = corvasta::splitLines(m.read(root + "openfile.bat"));
  const std::vector<std::string> expectedBatch = {
      "@" + m.form->core.loc.windowsDir + "Command\\attrib.exe -s -h -r C:\\DATA\\LETTER.DOC",
      "@copy C:\\DATA\\LETTER.DOC " + shortTemp,
      "@echo Please disregard the following Batch file missing error.", "@del openfile.bat"};
  EXPECT_EQ(batch, expectedBatch);
  const std::vector<std::string> autoexec = corvasta::splitLines(m.read(root + "autoexec.bat"));
  EXPECT_NE(std::find(autoexec.begin(), autoexec.end(), root + "openfile.bat"), autoexec.end());
  EXPECT_EQ(m.form->core.CheckParameters(m.startup() + "cleanup.lnk"),
            "clean \"" + root + "openfile.bat\" " + root + "autoexec.bat");
  EXPECT_EQ(m.form->core.CheckTarget(m.startup() + "CVOpen.lnk"), m.form->core.ProgramPath());
  EXPECT_EQ(m.form->core.CheckParameters(m.startup() + "CVOpen.lnk"), "openfile");

  m.restartWindows({kLetter});
  ASSERT_TRUE(m.exists(temp)) << m.bootLog;
  EXPECT_EQ(m.read(temp), kLetterText);  // copied before Windows held it again
  EXPECT_FALSE(m.exists(root + "openfile.bat"));
  m.runShortcut(m.startup() + "CVOpen.lnk");
  EXPECT_FALSE(m.form->showMainWindow);
  expectJobFinished(m, temp);
  const std::vector<std::string> names = m.storedNames(kArchive);
  EXPECT_EQ(names, (std::vector<std::string>{"C:\\Data\\Notes.txt", "C:\\Data\\Letter.doc"}));
  EXPECT_EQ(letterFromArchive(m), kLetterText);

  m.runShortcut(m.startup() + "cleanup.lnk");
  EXPECT_EQ(m.read(root + "autoexec.bat").find("openfile.bat"), std::string::npos);
  EXPECT_FALSE(m.exists(m.startup() + "cleanup.lnk"));
}

TEST(DeferredBackup, TheProgramStartedAtLogonFinishesTheJob) {
  const char* build = std::getenv("CORVASTA_BUILD_DIR");
  const std::filesystem::path program = std::string(build ? build : ".") + "/corvasta";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "corvasta is not built";
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  archiveData(m);
  m.restartWindows({kLetter}, program);
  expectJobFinished(m, m.programDir() + "Temp\\OpenFN1.doc");
  EXPECT_EQ(letterFromArchive(m), kLetterText) << m.bootLog;
  EXPECT_FALSE(m.exists(m.startup() + "cleanup.lnk"));
  EXPECT_EQ(m.read(m.form->core.loc.rootDir + "autoexec.bat").find("openfile.bat"),
            std::string::npos);
}

TEST(DeferredBackup, TwoRunsBeforeARestartRecordTwoJobsAndOneShortcut) {
  OpenFilesProgram m(platform::WindowsVersion::Win98, {kLetter, kNotes});
  archiveData(m);
  EXPECT_EQ(m.form->core.OpenFilesFound, 2u);
  m.restartProgram();  // a second run of the program: its count starts again
  EXPECT_TRUE(
      m.form->backup.openFiles.CopyOpenFile(kNotes, "C:\\Backup\\Notes.txt", -1, false, false));
  EXPECT_EQ(m.job(3, "Source"), kNotes);
  EXPECT_EQ(m.job(3, "Temp"), m.programDir() + "Temp\\OpenFN3.txt");
  EXPECT_EQ(m.job(3, "Compressed"), "0");
  const std::string batch = m.read(m.form->core.loc.rootDir + "openfile.bat");
  EXPECT_EQ(corvasta::splitLines(batch).size(), 8u);  // three jobs, one closing pair
  const std::vector<std::string> autoexec =
      corvasta::splitLines(m.read(m.form->core.loc.rootDir + "autoexec.bat"));
  EXPECT_EQ(std::count(autoexec.begin(), autoexec.end(), m.form->core.loc.rootDir + "openfile.bat"),
            1);
}

TEST(DeferredBackup, WindowsMeMovesTheFileThroughWininitAndPutsItBack) {
  OpenFilesProgram m(platform::WindowsVersion::WinMe);
  EXPECT_EQ(archiveData(m), 1);
  const std::string temp = m.programDir() + "Temp\\OpenFN1.doc";
  EXPECT_EQ(m.job(1, "Extract"), "0");
  EXPECT_FALSE(m.exists(m.form->core.loc.rootDir + "openfile.bat"));
  EXPECT_FALSE(m.exists(m.startup() + "cleanup.lnk"));
  const std::string wininit = m.read(m.form->core.loc.windowsDir + "wininit.ini");
  EXPECT_NE(wininit.find(corvasta::ShortFileName(*m.machine, temp) + "=C:\\DATA\\LETTER.DOC"),
            std::string::npos)
      << wininit;

  m.restartWindows({});  // the program that held the letter is not running yet
  EXPECT_FALSE(m.exists(kLetter));
  m.runShortcut(m.startup() + "CVOpen.lnk");
  expectJobFinished(m, temp);
  EXPECT_EQ(letterFromArchive(m), kLetterText);
}

TEST(DeferredBackup, WindowsXpDefersOnlyAllowedFilesByDelayedMove) {
  OpenFilesProgram m(platform::WindowsVersion::WinXp, {kLetter, kNotes});
  platform::TIniFile(*m.machine, m.form->core.settingsFile())
      .WriteBool("OpenFilesToBackup", "LETTER.DOC", true);
  EXPECT_EQ(archiveData(m), 0);                // both in use; no archive yet
  EXPECT_EQ(m.form->core.OpenFilesFound, 1u);  // Notes.txt is not allowed: not counted
  EXPECT_EQ(m.job(1, "Source"), kLetter);
  EXPECT_EQ(m.job(1, "Extract"), "0");
  EXPECT_EQ(m.job(2, "Source"), "@");
  const std::vector<platform::DelayedMove> moves = m.files->pendingDelayedMoves();
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_FALSE(m.exists(m.form->core.loc.rootDir + "openfile.bat"));

  m.restartWindows({kNotes});
  EXPECT_FALSE(m.exists(kLetter));
  m.runShortcut(m.startup() + "CVOpen.lnk");
  const std::string temp = m.programDir() + "Temp\\OpenFN1.doc";
  expectJobFinished(m, temp);
  // The archive that had nothing to store is made by the open file.
  EXPECT_EQ(m.storedNames(kArchive), std::vector<std::string>{"C:\\Data\\Letter.doc"});
  EXPECT_EQ(letterFromArchive(m), kLetterText);
}

TEST(DeferredBackup, PlainCopyOfAFileInUseGoesToTheBackupFolderAtLogon) {
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  m.form->backup.archiving.TransferFile(kLetter, "C:\\Backup\\C\\Data\\Letter.doc", false,
                                        corvasta::kTransferCopy, 0);
  EXPECT_FALSE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.job(1, "Dest"), "C:\\Backup\\C\\Data\\Letter.doc");
  EXPECT_EQ(m.job(1, "Compressed"), "0");
  m.restartWindows({kLetter});
  m.runShortcut(m.startup() + "CVOpen.lnk");
  EXPECT_EQ(m.read("C:\\Backup\\C\\Data\\Letter.doc"), kLetterText);
  expectJobFinished(m, m.programDir() + "Temp\\OpenFN1.doc");
}

TEST(DeferredBackup, WithoutOpenFileBackupTheFileIsMissingFromTheCopy) {
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  m.form->core.Form8.config.copyOpenFiles = false;
  m.form->backup.archiving.TransferFile(kLetter, "C:\\Backup\\Letter.doc", false,
                                        corvasta::kTransferCopy, 0);
  EXPECT_TRUE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.form->core.ErrorList, std::vector<std::string>{kLetter});
  EXPECT_EQ(m.form->core.OpenFilesFound, 0u);
  EXPECT_FALSE(m.exists(m.programDir() + "Temp\\OpenFN.ini"));
  EXPECT_FALSE(m.exists(m.startup() + "CVOpen.lnk"));
}

}  // namespace
}  // namespace openfiles_test
