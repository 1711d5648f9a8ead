// "&Display Config Settings": ConfigInfo.txt against a golden file, CR LF,
// shown with the Windows directory's Notepad (the machine's journal), and
// gone when the program closes, since it names the password.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/system/journal.h"
#include "backup/model/BackupTypes.h"
#include "prefs/ConfigReport.h"
#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

std::string golden(const std::string& name) {
  std::ifstream in(std::string(PREFS_GOLDEN_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

constexpr const char* kEntries =
    "[MultiFiles0]\r\nFileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\"+>*.doc\"\r\n"
    "FileType1=\"|*.txt\"\r\nFileType2=\"-|~*.doc\"\r\nFiles0=\"+C:\\Docs\\Keep\\a.bin\"\r\n"
    "FileType=\"*.rtf\"\r\nCheck1=1\r\n"
    "[MultiFiles1]\r\nFileName=All Files on Drive D\r\nCheck1=0\r\n";

TEST(ConfigReport, TheReportOfAConfigMatchesItsGoldenFile) {
  PrefsMachine m(MachineBuilder::sample(WindowsVersion::WinXp).cdromDrive('E', {"disc"}));
  m.addSettings(kEntries);
  corvasta::TForm8& dialog = m.dialog();
  dialog.FormActivate();
  dialog.ComboBox9Edited({"Nightly", 7, 0});
  corvasta::BackupConfigRecord& config = m.values().config;
  config.target = "E:\\";
  config.backupType = corvasta::kIncrementalBackup;
  config.compress = 2;
  config.verifyBackup = true;
  config.ejectCD = false;
  config.copyOpenFiles = true;
  config.blockCheck = true;
  config.blockNumber = "1457664";
  config.winFilesChecks[3] = 0;
  m.values().password = "Open Sesame";
  dialog.PreferenceChange();

  dialog.DisplayConfigSettingsClick();
  const std::string report = m.read(m.programDir() + "ConfigInfo.txt");
  EXPECT_EQ(report, golden("ConfigInfo_xp_cd.txt"));
  EXPECT_NE(report.find("The Backup will be encrypted with the Password - Open Sesame\r\n"),
            std::string::npos);

  const std::vector<platform::JournalEntry> journal = platform::readJournal(*m.machine);
  ASSERT_FALSE(journal.empty());
  EXPECT_EQ(journal.back().kind, "start");
  EXPECT_NE(journal.back().details.find(m.form->core.loc.windowsDir + "notepad.exe " +
                                        m.programDir() + "ConfigInfo.txt"),
            std::string::npos)
      << journal.back().details;

  // The password does not stay on disk once the program has closed.
  EXPECT_TRUE(m.form->FormCloseQuery());
  m.form->FormClose();
  EXPECT_FALSE(m.exists(m.programDir() + "ConfigInfo.txt"));
}

TEST(ConfigReport, OnAFixedTargetOnlyTheEnabledMiscellaneousLinesAppear) {
  PrefsMachine m(WindowsVersion::Win95);
  m.dialog().DisplayConfigSettingsClick();
  EXPECT_EQ(m.read(m.programDir() + "ConfigInfo.txt"), golden("ConfigInfo_95_default.txt"));
}

}  // namespace
}  // namespace prefs_dialog_test
