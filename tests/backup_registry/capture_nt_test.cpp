// The registry capture of Windows NT 4, 2000 and XP on sample machines:
// registry.daz with every loaded hive and its map, the copy-mode layout, a
// hive that cannot be saved, missing privileges and SaveHive itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "backup/model/BackupTypes.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"
#include "platform/registry/nt_hive_read.h"
#include "tests/backup_registry/capture_machine.h"
#include "tests/support/registry_file.h"

namespace regcap_test {
namespace {

using corvasta::kTransferCopy;
using platform::WindowsVersion;
using platform::registry::RegistryKey;

// Every key path of a tree below its root, without case.
void collectKeys(const RegistryKey& key, const std::string& path, std::set<std::string>& keys) {
  for (const RegistryKey& child : key.subkeys) {
    const std::string childPath = path + "\\" + platform::ansiUpper(child.name);
    keys.insert(childPath);
    collectKeys(child, childPath, keys);
  }
}

std::set<std::string> keysOf(const std::filesystem::path& hive) {
  std::set<std::string> keys;
  collectKeys(testing_support::readNtHiveFile(hive).root, "", keys);
  return keys;
}

class CaptureNt : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(CaptureNt, RegistryDazHoldsEveryLoadedHiveWithItsMap) {
  CaptureProgram m{
      captureMachine(GetParam(), 2).windowsMode(GetParam() == WindowsVersion::Nt4 ? 4 : 6)};
  corvasta::TForm1& form = *m.form;
  form.core.FilesBackedUp = 7;
  int busyWhileSaving = 0;
  m.ui.onMessages = [&] { busyWhileSaving += form.core.RegistryBusy ? 1 : 0; };
  form.backup.registry.BackupRegistry(20);
  EXPECT_GT(busyWhileSaving, 0);
  const std::string archive = m.setDir + "registry.daz";
  ASSERT_TRUE(m.exists(archive));
  EXPECT_EQ(m.read(form.core.loc.windowsDir + "registry.daz"), m.read(archive));
  // registry.daz, then win.ini and system.ini beside it as win.inz and system.inz.
  EXPECT_EQ(form.core.FilesBackedUp, 3u);
  EXPECT_EQ(m.onlyEntryOf(m.setDir + "win.inz"), m.read(form.core.loc.windowsDir + "win.ini"));
  EXPECT_TRUE(m.exists(m.setDir + "system.inz"));
  EXPECT_FALSE(form.core.RegistryBusy);
  EXPECT_EQ(form.backup.archiving.ProgressDivisor, 1);
  EXPECT_EQ(form.core.Form4.view.overall, 20);
  EXPECT_TRUE(m.files->findAll(form.core.loc.windowsDir + "r2?").empty()) << "working folder left";
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());

  // Unpack and compare every hive with the machine's own file.
  const std::string out = "C:\\unpacked\\";
  form.core.createDirectories(out);
  form.core.Zip2.SetZipName(archive);
  form.core.Zip2.DestDir = out;
  form.core.Zip2.RecreateDirs = false;
  form.core.Zip2.Extract();
  form.core.Zip2.CloseArchive();
  platform::TIniFile map(*m.machine, out + "user.ini");
  const std::vector<std::string> saved = map.ReadSection("Location");
  size_t hives = 0;
  for (const platform::HiveMount& hive : m.registry->hives()) {
    if (hive.winPath.empty()) continue;  // HARDWARE has no file
    ++hives;
  }
  ASSERT_EQ(saved.size(), hives);
  for (const std::string& file : saved) {
    const std::string location = map.ReadString("Location", file, "");
    ASSERT_EQ(location.rfind("\\Device", 0), std::string::npos) << location;
    const std::string original = form.core.loc.windowsDrive + location;
    ASSERT_TRUE(m.files->fileExists(original)) << original;
    EXPECT_EQ(map.ReadString("ShortLocation", file, ""),
              corvasta::ShortFileName(*m.machine, original).substr(2));
    EXPECT_EQ(map.ReadString("Key", file, "").front(), '\\');
    EXPECT_EQ(map.ReadString(file, "Key", ""), map.ReadString("Key", file, ""));
    EXPECT_EQ(keysOf(m.host(out + file)), keysOf(m.host(original))) << file;
  }
  EXPECT_TRUE(map.ReadString("Location", "HARDWARE", "").empty());
  EXPECT_EQ(map.ReadString("Key", "software", ""), "\\SOFTWARE");
  EXPECT_EQ(map.ReadString("Key", "default", ""), "\\.DEFAULT");
}

INSTANTIATE_TEST_SUITE_P(Versions, CaptureNt,
                         ::testing::Values(WindowsVersion::Nt4, WindowsVersion::Win2000,
                                           WindowsVersion::WinXp));

TEST(CaptureNtMap, UserHiveAndItsClassesHiveAreToldApart) {
  CaptureProgram m{captureMachine(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.TransferMode = kTransferCopy;
  form.backup.registry.BackupRegistry(0);
  platform::TIniFile map(*m.machine, m.setDir + "user.ini");
  std::set<std::string> userKeys;
  for (const std::string& file : map.ReadSection("Key")) {
    if (file.rfind("user", 0) != 0) continue;
    userKeys.insert(map.ReadString("Key", file, ""));
    EXPECT_TRUE(m.exists(m.setDir + file)) << file;
  }
  const auto isClasses = [](const std::string& key) {
    return key.size() > 8 && key.substr(key.size() - 8) == "_Classes";
  };
  const auto classes = std::find_if(userKeys.begin(), userKeys.end(), isClasses);
  ASSERT_NE(classes, userKeys.end());
  EXPECT_TRUE(userKeys.count(classes->substr(0, classes->size() - 8))) << *classes;
  // Numbered in the order met, without gaps.
  for (size_t n = 0; n < userKeys.size(); ++n)
    EXPECT_TRUE(m.exists(m.setDir + "user" + std::to_string(n))) << n;
  EXPECT_FALSE(m.exists(m.setDir + "registry.daz"));
}

TEST(CaptureNtCopy, AHiveThatCannotBeSavedIsReportedAndTheRestAreSaved) {
  CaptureProgram m{captureMachine(WindowsVersion::Win2000)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.TransferMode = kTransferCopy;
  // A folder where the SAM hive's file would go.
  m.files->createDirectory(m.setDir + "SAM");
  form.backup.registry.BackupRegistry(0);
  EXPECT_TRUE(form.core.ErrorFlag);
  EXPECT_EQ(form.core.ErrorList, std::vector<std::string>{"SAM key"});
  for (const char* hive : {"SYSTEM", "SOFTWARE", "SECURITY", "DEFAULT"})
    EXPECT_TRUE(m.files->fileExists(m.setDir + hive)) << hive;
  platform::TIniFile map(*m.machine, m.setDir + "user.ini");
  EXPECT_FALSE(map.ValueExists("Location", "SAM"));
  // Every saved hive counts in copy mode, and so do the copies of win.ini and system.ini.
  EXPECT_EQ(form.core.FilesBackedUp, map.ReadSection("Location").size() + 2);
  EXPECT_EQ(m.read(m.setDir + "win.ini"), m.read(form.core.loc.windowsDir + "win.ini"));
  EXPECT_GT(form.core.backupRun.volumeBytesUsed, 0u);
}

TEST(CaptureNtPrivileges, WithoutTheBackupPrivilegeEveryHiveFails) {
  CaptureProgram m{
      captureMachine(WindowsVersion::WinXp).configure([](platform::MachineConfig& config) {
        std::erase_if(config.privileges, [](const std::string& name) {
          return platform::ansiEqualNoCase(name, "SeBackupPrivilege");
        });
      })};
  corvasta::TForm1& form = *m.form;
  for (const platform::HiveMount& hive : m.registry->hives())
    if (!hive.winPath.empty())
      m.ui.expect("You do not have Backup Privileges.  Backup is not possible for this user.",
                  "OK");
  form.backup.registry.BackupRegistry(0);
  EXPECT_TRUE(form.core.ErrorFlag);
  EXPECT_NE(std::find(form.core.ErrorList.begin(), form.core.ErrorList.end(), "software key"),
            form.core.ErrorList.end());
  EXPECT_FALSE(m.exists(m.setDir + "registry.daz"));
  EXPECT_FALSE(m.exists(form.core.loc.windowsDir + "registry.daz"));
  EXPECT_FALSE(form.core.RegistryBusy);
  EXPECT_TRUE(m.ui.finished());
}

TEST(SaveHive, SavesAKeyOverAnOldFileAndReplacesItInTheOtherDirection) {
  CaptureProgram m{captureMachine(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  m.write("C:\\software.hiv", "old");
  m.files->setFileAttributes("C:\\software.hiv", platform::kAttributeReadOnly);
  ASSERT_TRUE(form.backup.registry.SaveHive(platform::HKEY_LOCAL_MACHINE, "\\SOFTWARE", true,
                                            "C:\\software.hiv"));
  EXPECT_EQ(keysOf(m.host("C:\\software.hiv")),
            keysOf(m.host(form.core.loc.windowsDir + "system32\\config\\software")));
  EXPECT_EQ(form.core.FilesBackedUp, 1u);
  EXPECT_FALSE(form.backup.registry.SaveHive(platform::HKEY_LOCAL_MACHINE, "\\NOSUCHHIVE", true,
                                             "C:\\none.hiv"));
  EXPECT_EQ(form.core.FilesBackedUp, 1u);

  // The replace direction: a missing file leaves the hive alone; a present
  // one is pending for the next start, the old hive going to Undo.
  form.core.createDirectories(corvasta::undoDirectory(form.core.loc.windowsDir));
  EXPECT_TRUE(form.backup.registry.SaveHive(platform::HKEY_LOCAL_MACHINE, "\\SOFTWARE", false,
                                            "C:\\missing.hiv"));
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  ASSERT_TRUE(form.backup.registry.SaveHive(platform::HKEY_LOCAL_MACHINE, "\\SOFTWARE", false,
                                            "C:\\software.hiv"));
  EXPECT_EQ(form.core.FilesBackedUp, 2u);
  const auto pending = m.registry->pendingReplacements();
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_TRUE(platform::ansiEqualNoCase(pending.front().newFile, "C:\\software.hiv"));
  EXPECT_TRUE(platform::ansiEqualNoCase(
      pending.front().oldFile, corvasta::undoDirectory(form.core.loc.windowsDir) + "software.hiv"));
  EXPECT_FALSE(form.backup.registry.SaveHive(platform::HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Classes",
                                             false, "C:\\software.hiv"))
      << "only the root of a hive can be replaced";
}

}  // namespace
}  // namespace regcap_test
