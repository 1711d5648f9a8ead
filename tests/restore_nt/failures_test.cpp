// What stops or limits the NT registry restore: no cmd.pif, no command
// interpreter, no restore privilege; and the replacement rules for the
// Redo directory's names and its map of users.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"
#include "tests/restore_nt/nt_restore_machine.h"

namespace restore_nt_test {
namespace {

using platform::WindowsVersion;

TEST(RestoreFailures, WithoutCmdPifTheRepairRestoreStopsBeforeAnythingChanges) {
  NtProgram m{ntSample(WindowsVersion::Nt4)};
  corvasta::TForm1& form = *m.form;
  const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
  m.write(redo + "software", "an earlier restore's hive");
  m.files->deleteFile(form.core.loc.programDir + "cmd.pif");
  m.ui.expect("Cmd.exe is not properly setup.\r\rPlease reinstall Corvasta NT.", "OK");
  form.restore.nt.RestoreRepair(form.core.loc.windowsDir + "repair\\");
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(m.read(redo + "software"), "an earlier restore's hive");
  EXPECT_FALSE(m.exists(corvasta::undoDirectory(form.core.loc.windowsDir)));
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_TRUE(form.core.ErrorFlag);
  EXPECT_EQ(form.core.ErrorList,
            std::vector<std::string>{corvasta::NtRegistryRestore::kRegistryNotRestored});
}

TEST(RestoreFailures, WithoutACommandInterpreterTheCompressedHivesAreReportedNotReplaced) {
  NtProgram m{ntSample(WindowsVersion::Nt4)};
  corvasta::TForm1& form = *m.form;
  for (const std::string& path :
       {form.core.loc.commandInterpreter, form.core.loc.programDir + "cmd.exe"})
    if (m.files->fileExists(path)) m.files->deleteFile(path);
  const std::string repair = form.core.loc.windowsDir + "repair\\";
  m.ui.expect("Cmd.exe not found in System32 directory", "OK");
  form.restore.nt.RestoreRepair(repair);
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(form.core.ErrorFlag);
  EXPECT_NE(
      std::find(form.core.ErrorList.begin(), form.core.ErrorList.end(), repair + "software._"),
      form.core.ErrorList.end());
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
}

TEST(RestoreFailures, WithoutTheRestorePrivilegeEveryHiveFailsAndNothingIsPending) {
  NtProgram m{ntSample(WindowsVersion::Win2000).configure([](platform::MachineConfig& config) {
    std::erase_if(config.privileges, [](const std::string& name) {
      return platform::ansiEqualNoCase(name, "SeRestorePrivilege");
    });
  })};
  corvasta::TForm1& form = *m.form;
  const std::string repair = form.core.loc.windowsDir + "repair\\";
  // One message per loaded hive that has a file in the repair folder.
  int hives = 0;
  for (const std::string& file : loadedHiveFiles(m))
    if (m.exists(repair + platform::ansiLower(corvasta::lastElement(file)))) ++hives;
  ASSERT_GE(hives, 5);
  for (int i = 0; i < hives; ++i)
    m.ui.expect("You do not have Restore Privileges.  Restore is not possible for this user.",
                "OK");
  form.restore.state.sourceKind = corvasta::SourceKind::OriginalRegistry;
  form.restore.nt.RestoreRepair(repair);
  EXPECT_TRUE(form.core.ErrorFlag);
  EXPECT_NE(std::find(form.core.ErrorList.begin(), form.core.ErrorList.end(), "software key"),
            form.core.ErrorList.end());
  EXPECT_EQ(static_cast<int>(form.core.ErrorList.size()), hives);
  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_EQ(form.core.FilesBackedUp, 0u);
}

TEST(HiveReplacement, RedoNamesUndoNamesAndTheMapsTwoLayouts) {
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  ASSERT_TRUE(form.restore.nt.PreRegistryRestore(false));
  const std::string windows = form.core.loc.windowsDir;
  const std::string redo = corvasta::redoDirectory(windows);
  const std::string undo = corvasta::undoDirectory(windows);
  const std::string software = m.read(windows + "system32\\config\\software");
  std::string userKey;
  for (const platform::HiveMount& hive : m.registry->hives())
    if (hive.mountPath.rfind("HKEY_USERS\\S-1-5-21", 0) == 0 && !hive.winPath.empty())
      userKey = hive.mountPath.substr(10);
  ASSERT_FALSE(userKey.empty());
  // "SOFTWARE" by its file name, an earlier Undo copy and a stale log in the
  // way; a user hive mapped only in the capture's layout.
  m.write(redo + "SOFTWARE", software);
  m.write(redo + "SOFTWARE.log", "stale log");
  m.write(undo + "SOFTWARE", "an earlier undo copy");
  m.write(redo + "user0", software);
  platform::TIniFile map(*m.machine, redo + "user.ini");
  map.WriteString("Key", "user0", userKey);
  form.backup.registry.ReadUserMap = true;
  form.backup.registry.SaveNTRegistry(redo, 0, false, false);
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());
  EXPECT_FALSE(m.exists(undo + "SOFTWARE")) << "the earlier undo copy makes room";
  EXPECT_FALSE(m.exists(redo + "SOFTWARE.log"));
  EXPECT_EQ(form.core.FilesBackedUp, 2u);
  bool userMapped = false;
  for (const auto& replacement : m.registry->pendingReplacements())
    userMapped = userMapped ||
                 platform::ansiEqualNoCase(corvasta::lastElement(replacement.newFile), "user0");
  EXPECT_TRUE(userMapped) << "the capture's layout of user.ini is read";

  // Windows' original registry: the map is not read.
  form.core.FilesBackedUp = 0;
  form.backup.registry.ReadUserMap = false;
  form.backup.registry.SaveNTRegistry(redo, 0, false, false);
  EXPECT_EQ(form.core.FilesBackedUp, 1u);
}

TEST(HiveReplacement, ARedoFileWithoutItsExtensionIsUsedForTheHive) {
  NtProgram m{ntSample(WindowsVersion::Win2000)};
  corvasta::TForm1& form = *m.form;
  ASSERT_TRUE(form.restore.nt.PreRegistryRestore(false));
  const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
  const std::string userHive = loadedHive(m, "NTUSER.DAT");
  ASSERT_FALSE(userHive.empty());
  m.write(redo + "NTUSER", m.read(userHive));
  form.backup.registry.SaveNTRegistry(redo, 0, false, false);
  const auto pending = m.registry->pendingReplacements();
  ASSERT_FALSE(pending.empty());
  EXPECT_TRUE(platform::ansiEqualNoCase(pending.front().hiveFile, userHive));
  EXPECT_TRUE(platform::ansiEqualNoCase(corvasta::lastElement(pending.front().newFile), "NTUSER"));
}

TEST(PreRegistryRestore, EarlierVersionsFoldersGoAndRedoIsEmptied) {
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  const std::string windows = form.core.loc.windowsDir;
  const std::string old[] = {form.core.loc.programDir + "Redo\\software",
                             windows + "System32\\Config\\Redo\\system",
                             windows + "System32\\Config\\Undo\\sam"};
  for (const std::string& file : old) {
    m.write(file, "old");
    m.files->setFileAttributes(file, platform::kAttributeReadOnly);
  }
  const std::string redo = corvasta::redoDirectory(windows);
  m.write(redo + "default", "left over");
  m.files->setFileAttributes(redo + "default", platform::kAttributeHidden);
  ASSERT_TRUE(form.restore.nt.PreRegistryRestore(true));
  for (const std::string& file : old)
    EXPECT_FALSE(m.files->directoryExists(corvasta::RemoveBackSl(corvasta::folderPart(file))))
        << file;
  EXPECT_TRUE(m.list(redo).empty());
  EXPECT_TRUE(m.files->directoryExists(corvasta::undoDirectory(windows)));
  EXPECT_TRUE(m.exists(form.core.loc.programDir + "cmd.exe")) << "the interpreter copied";
  EXPECT_TRUE(m.ui.finished());
}

}  // namespace
}  // namespace restore_nt_test
