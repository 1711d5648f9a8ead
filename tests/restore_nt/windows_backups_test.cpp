// The registry restore from the copies Windows keeps itself: the repair
// folder (NT 4's compressed "._" files, the plain hives of 2000 and XP) and
// XP's restore points, each put in place at the next start of Windows.

#include <gtest/gtest.h>

#include <set>

#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"
#include "tests/restore_nt/nt_restore_machine.h"
#include "tests/support/registry_file.h"

namespace restore_nt_test {
namespace {

using platform::WindowsVersion;

// The names and bytes of a folder's files.
std::map<std::string, std::string> folderContents(NtProgram& m, const std::string& folder) {
  std::map<std::string, std::string> contents;
  for (const std::string& name : m.list(folder)) contents[name] = m.read(folder + name);
  return contents;
}

class RepairRestore : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(RepairRestore, TheRepairFoldersHivesReplaceTheLoadedOnesAndTheFolderStaysAsItWas) {
  NtProgram m{ntSample(GetParam())};
  corvasta::TForm1& form = *m.form;
  const std::string repair = form.core.loc.windowsDir + "repair\\";
  const auto repairBefore = folderContents(m, repair);
  damageRegistry(m);
  form.restore.state.sourceKind = corvasta::SourceKind::OriginalRegistry;
  form.restore.nt.RestoreRepair(repair);
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());
  EXPECT_EQ(folderContents(m, repair), repairBefore) << "written in the repair folder";

  // What the Redo directory holds: each repair hive under its Redo name,
  // expanded where it was compressed.
  const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
  const std::string expected[] = {"sam", "security", "software", "system", "default"};
  for (const std::string& name : expected) {
    ASSERT_TRUE(m.exists(redo + name)) << name;
    if (GetParam() != WindowsVersion::Nt4) {
      EXPECT_EQ(m.read(redo + name), m.read(repair + name));
    }
  }
  const auto software = hiveListing(m, redo + "software");
  EXPECT_EQ(m.registry->pendingReplacements().size(), form.core.FilesBackedUp);
  EXPECT_TRUE(form.backup.registry.ReadUserMap) << "the choice outlives the restore";

  m.restartWindows({});
  EXPECT_FALSE(registryDamaged(m));
  EXPECT_EQ(hiveListing(m, loadedHive(m, "software")), software);
  EXPECT_TRUE(m.exists(corvasta::undoDirectory(m.form->core.loc.windowsDir) + "software"));
}

INSTANTIATE_TEST_SUITE_P(Versions, RepairRestore,
                         ::testing::Values(WindowsVersion::Nt4, WindowsVersion::Win2000,
                                           WindowsVersion::WinXp));

TEST(RepairRestore, OneRepairNtuserDatReplacesEveryLoadedNtuserDatFromItsOwnCopy) {
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  std::vector<std::string> userHives;
  for (const std::string& file : loadedHiveFiles(m))
    if (platform::ansiEqualNoCase(corvasta::lastElement(file), "NTUSER.DAT"))
      userHives.push_back(file);
  ASSERT_GE(userHives.size(), 2u) << "the sample loads several NTUSER.DAT";
  const std::string repair = form.core.loc.windowsDir + "repair\\";
  form.restore.state.sourceKind = corvasta::SourceKind::OriginalRegistry;
  form.restore.nt.RestoreRepair(repair);
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());

  std::set<std::string> newFiles, oldFiles;
  int userReplacements = 0;
  for (const auto& replacement : m.registry->pendingReplacements()) {
    newFiles.insert(platform::ansiUpper(replacement.newFile));
    oldFiles.insert(platform::ansiUpper(replacement.oldFile));
    if (platform::ansiEqualNoCase(corvasta::lastElement(replacement.hiveFile), "NTUSER.DAT"))
      ++userReplacements;
  }
  EXPECT_EQ(userReplacements, static_cast<int>(userHives.size()));
  EXPECT_EQ(newFiles.size(), m.registry->pendingReplacements().size()) << "a shared Redo file";
  EXPECT_EQ(oldFiles.size(), m.registry->pendingReplacements().size()) << "a shared Undo name";

  m.restartWindows({});
  EXPECT_NE(m.bootLog.find("replaced"), std::string::npos);
  EXPECT_EQ(m.bootLog.find("failed"), std::string::npos) << m.bootLog;
  const std::string repairUser = m.read(repair + "ntuser.dat");
  for (const std::string& hive : userHives) EXPECT_EQ(m.read(hive), repairUser) << hive;
  const std::string undo = corvasta::undoDirectory(m.form->core.loc.windowsDir);
  EXPECT_TRUE(m.exists(undo + "ntuser.dat"));
  EXPECT_TRUE(m.exists(undo + "ntuser1.dat"));
}

// The snapshot folder of restore point RP<n>.
std::string snapshotOf(NtProgram& m, int n) {
  const auto found = m.files->findAll("C:\\System Volume Information\\_restore*");
  EXPECT_EQ(found.size(), 1u);
  return "C:\\System Volume Information\\" + found.front().name + "\\RP" + std::to_string(n) +
         "\\snapshot\\";
}

TEST(RestorePointRestore, EachRestorePointsHivesComeBackByteForByte) {
  for (int point : {1, 2}) {
    SCOPED_TRACE("RP" + std::to_string(point));
    NtProgram m{ntSample(WindowsVersion::WinXp)};
    corvasta::TForm1& form = *m.form;
    const std::string snapshot = snapshotOf(m, point);
    damageRegistry(m);
    form.restore.state.sourceKind = corvasta::SourceKind::WindowsBackup;
    form.restore.nt.RestoreRestorePoint(snapshot);
    EXPECT_FALSE(form.core.ErrorFlag)
        << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());

    // The users' hives numbered without gaps and mapped in both layouts.
    const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
    platform::TIniFile map(*m.machine, redo + "user.ini");
    int users = 0;
    while (m.exists(redo + "user" + std::to_string(users))) {
      const std::string file = "user" + std::to_string(users++);
      const std::string key = map.ReadString(file, "Key", "");
      EXPECT_EQ(key.front(), '\\') << file;
      EXPECT_EQ(map.ReadString("Key", file, ""), key);
      EXPECT_EQ(map.ReadString(file, "Location", "").rfind("\\Device", 0), std::string::npos);
    }
    EXPECT_GE(users, 2);  // the user's NTUSER.DAT and UsrClass.dat

    m.restartWindows({});
    EXPECT_FALSE(registryDamaged(m));
    const std::pair<const char*, const char*> machineHives[] = {
        {"_REGISTRY_MACHINE_SOFTWARE", "software"},
        {"_REGISTRY_MACHINE_SYSTEM", "system"},
        {"_REGISTRY_MACHINE_SAM", "sam"},
        {"_REGISTRY_USER_.DEFAULT", "default"}};
    for (const auto& [snapshotName, hiveName] : machineHives)
      EXPECT_EQ(m.read(loadedHive(m, hiveName)), m.read(snapshot + snapshotName)) << hiveName;
    for (const platform::FindData& entry : m.files->findAll(snapshot + "_REGISTRY_USER_NTUSER_*")) {
      const std::string sid = entry.name.substr(std::string("_REGISTRY_USER_NTUSER_").size());
      for (const platform::HiveMount& hive : m.registry->hives())
        if (platform::ansiEqualNoCase(hive.mountPath, "HKEY_USERS\\" + sid)) {
          EXPECT_EQ(m.read(hive.winPath), m.read(snapshot + entry.name)) << sid;
        }
    }
  }
}

TEST(RestorePointRestore, AUserWhoseHiveIsNotLoadedIsSkippedWithoutAGap) {
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  const std::string snapshot = snapshotOf(m, 2);
  // A copy of the user's hive for a SID that is not loaded, listed first.
  const auto users = m.files->findAll(snapshot + "_REGISTRY_USER_NTUSER_*");
  ASSERT_FALSE(users.empty());
  m.write(snapshot + "_REGISTRY_USER_NTUSER_S-1-5-21-1-1-1-0999",
          m.read(snapshot + users.front().name));
  form.restore.nt.RestoreRestorePoint(snapshot);
  const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
  platform::TIniFile map(*m.machine, redo + "user.ini");
  std::set<std::string> keys;
  for (int k = 0; m.exists(redo + "user" + std::to_string(k)); ++k)
    keys.insert(map.ReadString("user" + std::to_string(k), "Key", ""));
  EXPECT_FALSE(keys.count("\\S-1-5-21-1-1-1-0999"));
  EXPECT_TRUE(keys.count("\\" + users.front().name.substr(22)));
  EXPECT_FALSE(map.SectionExists("user" + std::to_string(keys.size())));
}

}  // namespace
}  // namespace restore_nt_test
