#include <gtest/gtest.h>

#include "archive/ZipWriter.h"
#include "tests/backup_openfiles/open_files_machine.h"

namespace openfiles_test {
namespace {

std::string lnkinfo(const OpenFilesProgram& m, const std::string& link) {
  const testing_support::CommandResult result =
      testing_support::runCommand("lnkinfo '" + m.host(link).string() + "'");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  return result.output;
}

TEST(OpenFilesPeer, FinishedArchiveTestsCleanAndShortcutsReadBack) {
  if (!testing_support::haveProgram("unzip") || !testing_support::haveProgram("lnkinfo"))
    GTEST_SKIP() << "unzip or lnkinfo is not installed";
  OpenFilesProgram m(platform::WindowsVersion::Win98);
  const std::string archivePath = "C:\\Backup\\data.zip";
  m.files->createDirectory("C:\\Backup");
  archive::TZipWriter& zip = m.form->core.Zip1;
  zip.SetZipName(archivePath);
  zip.FilesList = {"C:\\Data\\*.*"};
  zip.CreateArchive();
  zip.CloseArchive();

  const std::string cvopen = lnkinfo(m, m.startup() + "CVOpen.lnk");
  EXPECT_NE(cvopen.find("Finish copying Corvasta open files"), std::string::npos) << cvopen;
  EXPECT_NE(cvopen.find("openfile"), std::string::npos) << cvopen;
  const std::string cleanup = lnkinfo(m, m.startup() + "cleanup.lnk");
  EXPECT_NE(cleanup.find("clean \"" + m.form->core.loc.rootDir + "openfile.bat\""),
            std::string::npos)
      << cleanup;

  m.restartWindows({kLetter});
  m.runShortcut(m.startup() + "CVOpen.lnk");
  const testing_support::CommandResult tested =
      testing_support::runCommand("unzip -t '" + m.host(archivePath).string() + "'");
  EXPECT_EQ(tested.exitCode, 0) << tested.output;
  EXPECT_NE(tested.output.find("Data/Letter.doc"), std::string::npos) << tested.output;
  const testing_support::CommandResult letter =
      testing_support::runCommand("unzip -p '" + m.host(archivePath).string() + "' '*Letter.doc'");
  EXPECT_EQ(letter.output, kLetterText);
}

TEST(OpenFilesPeer, StartupShortcutReadsBack) {
  if (!testing_support::haveProgram("lnkinfo")) GTEST_SKIP() << "lnkinfo is not installed";
  OpenFilesProgram m(platform::WindowsVersion::WinMe, {});
  m.form->core.Form8.automationFreq = {5, 0, 5, 5, 5};
  m.form->preferences.automation.MaintainStartupShortcut();
  const std::string info = lnkinfo(m, m.startup() + "Corvasta.lnk");
  EXPECT_NE(info.find("bootup"), std::string::npos) << info;
  EXPECT_NE(info.find(m.form->core.ProgramPath()), std::string::npos) << info;
  EXPECT_NE(info.find("Corvasta"), std::string::npos) << info;
}

}  // namespace
}  // namespace openfiles_test
