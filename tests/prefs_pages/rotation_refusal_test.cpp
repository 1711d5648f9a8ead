// The backup run's rotation removes the oldest set through the same routine
// as the Backup Manager's "&Delete": a register entry naming the program
// directory (what an earlier "Replace" run into the program directory
// leaves) is dropped from the register, but its files stay.

#include <gtest/gtest.h>

#include "backup/model/BackupTypes.h"
#include "tests/prefs_pages/pages_rig.h"
#include "tests/support/backup_config_settings.h"

namespace prefs_pages_test {
namespace {

TEST(RotationRefusal, TheProgramDirectoryIsNeverRotatedAway) {
  testing_support::TestProgram m{
      testing_support::MachineBuilder::sample(platform::WindowsVersion::WinMe)
          .setting("BackupPreferences", "MaxNum", "2")
          .setting("BackupPreferences", "Keep", "0")
          .setting("BackupName", "UseDate", "0")};
  testing_support::writeConfig(m, 1, "C:\\Backups", 1, corvasta::kFullBackup, {1});
  m.start();
  const std::string program = m.form->core.loc.programDir;
  m.form->core.createDirectories("C:\\Backups\\2\\");
  m.write("C:\\Backups\\2\\autoexec.baz", "2");
  m.setSetting("Backup Directories", "1", program);
  m.setSetting("Backup Directories", "2", "C:\\Backups\\2\\");
  m.ui.expect("Type Name of this Backup:", "3");
  m.ui.expect(program + " is not deleted as a backup set: it is or holds the program", "OK");
  m.ui.expect("Backup Finished", "OK");
  m.form->BitBtn1Click();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.exists(m.form->core.ProgramPath()));
  EXPECT_TRUE(m.exists(program + "vastel.ini"));
  EXPECT_EQ(m.setting("Backup Directories", "1"), "C:\\Backups\\2\\");
  EXPECT_EQ(m.setting("Backup Directories", "2"), "C:\\Backups\\3\\");
}

}  // namespace
}  // namespace prefs_pages_test
