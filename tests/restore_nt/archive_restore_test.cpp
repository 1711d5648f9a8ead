// The registry restore from a program backup, end to end on Windows NT 4,
// 2000 and XP: back up config 1, damage the registry, restore the set's (or
// the spare) registry.daz, restart Windows; the registry is as it was before
// the damage and the Undo directory holds the damaged hives.

#include <gtest/gtest.h>

#include <set>

#include "backup/RegistryCapture.h"
#include "platform/core/codepage.h"
#include "tests/restore_nt/nt_restore_machine.h"

namespace restore_nt_test {
namespace {

using platform::WindowsVersion;

class ArchiveRestore : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(ArchiveRestore, TheSetsRegistryComesBackAtTheNextStartAndUndoHoldsTheDamagedHives) {
  NtProgram m{ntSample(GetParam())};
  const std::string set = backUpRegistry(m);
  const auto before = registryListing(m);
  damageRegistry(m);
  ASSERT_TRUE(registryDamaged(m));

  corvasta::TForm1& form = *m.form;
  form.core.ErrorFlag = false;
  form.core.ErrorList.clear();
  form.core.FilesBackedUp = 5;
  int busyWhileReplacing = 0;
  m.ui.onMessages = [&] { busyWhileReplacing += form.core.RegistryBusy ? 1 : 0; };
  form.restore.nt.RestoreRegistryArchive(set + "registry.daz", 25);
  m.ui.onMessages = nullptr;
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());
  EXPECT_GT(busyWhileReplacing, 0);
  EXPECT_FALSE(form.core.RegistryBusy);
  EXPECT_EQ(form.core.Form4.view.status.rfind("Unzipping", 0), 0u) << form.core.Form4.view.status;

  // One replacement per loaded hive, each from the Redo directory, each
  // displaced hive under its own Undo name.
  const std::vector<std::string> hives = loadedHiveFiles(m);
  EXPECT_EQ(form.core.FilesBackedUp, hives.size());
  const auto pending = m.registry->pendingReplacements();
  ASSERT_EQ(pending.size(), hives.size());
  const std::string redo = corvasta::redoDirectory(form.core.loc.windowsDir);
  const std::string undo = corvasta::undoDirectory(form.core.loc.windowsDir);
  std::set<std::string> undoNames;
  for (const auto& replacement : pending) {
    EXPECT_TRUE(platform::ansiEqualNoCase(corvasta::folderPart(replacement.newFile), redo))
        << replacement.newFile;
    EXPECT_TRUE(platform::ansiEqualNoCase(corvasta::folderPart(replacement.oldFile), undo))
        << replacement.oldFile;
    EXPECT_TRUE(undoNames.insert(platform::ansiUpper(replacement.oldFile)).second)
        << replacement.oldFile;
  }
  EXPECT_TRUE(registryDamaged(m)) << "nothing changes before the restart";

  m.restartWindows({});
  EXPECT_FALSE(registryDamaged(m));
  EXPECT_EQ(registryListing(m), before);
  // The Undo directory keeps the damaged hives.
  bool damagedKept = false;
  for (const auto& replacement : pending) {
    ASSERT_TRUE(m.files->fileExists(replacement.oldFile)) << replacement.oldFile;
    const auto kept = hiveListing(m, replacement.oldFile);
    for (const auto& [key, values] : kept)
      damagedKept = damagedKept || key.find("Damaged by a crash") != std::string::npos;
  }
  EXPECT_TRUE(damagedKept);
  EXPECT_TRUE(m.ui.finished());
}

INSTANTIATE_TEST_SUITE_P(Versions, ArchiveRestore,
                         ::testing::Values(WindowsVersion::Nt4, WindowsVersion::Win2000,
                                           WindowsVersion::WinXp));

TEST(ArchiveRestore, TheSpareRegistryAndAPasswordProtectedSet) {
  NtProgram m{ntSample(WindowsVersion::Win2000)};
  const std::string set = backUpRegistry(m, 1, "garden");
  const auto before = registryListing(m);
  damageRegistry(m);

  corvasta::TForm1& form = *m.form;
  form.restore.state.sourceKind = corvasta::SourceKind::SpareRegistry;
  // The spare copy is the set's archive, encrypted like it.
  EXPECT_EQ(m.read(form.core.loc.windowsDir + "registry.daz"), m.read(set + "registry.daz"));
  form.core.Form8.password.clear();
  m.ui.expect("Password Needed", "garden");
  form.restore.nt.RestoreRegistryArchive(form.core.loc.windowsDir + "registry.daz", 0);
  EXPECT_TRUE(m.ui.finished());
  EXPECT_FALSE(form.core.ErrorFlag);
  m.restartWindows({});
  EXPECT_EQ(registryListing(m), before);
}

TEST(ArchiveRestore, AnUncompressedSetIsRestoredAsAPlainRegistryWithItsUsersMap) {
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  const std::string set = backUpRegistry(m, 0);
  ASSERT_TRUE(m.exists(set + "user.ini"));
  const auto before = registryListing(m);
  damageRegistry(m);
  corvasta::TForm1& form = *m.form;
  form.restore.state.sourceKind = corvasta::SourceKind::PlainRegistry;
  form.core.FilesBackedUp = 0;  // the run clears its counters first
  form.restore.nt.RestoreRepair(set);
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());
  EXPECT_EQ(form.core.FilesBackedUp, loadedHiveFiles(m).size());
  m.restartWindows({});
  EXPECT_FALSE(registryDamaged(m));
  EXPECT_EQ(registryListing(m), before);
}

TEST(ArchiveRestore, AnArchiveThatGivesNoHiveIsReportedAndReplacesNothing) {
  NtProgram m{ntSample(WindowsVersion::WinXp)};
  corvasta::TForm1& form = *m.form;
  const std::string missing = "C:\\Backups\\gone\\registry.daz";
  form.restore.nt.RestoreRegistryArchive(missing, 0);
  EXPECT_TRUE(form.core.ErrorFlag);
  EXPECT_EQ(form.core.ErrorList, std::vector<std::string>{missing});
  EXPECT_TRUE(m.registry->pendingReplacements().empty());
  EXPECT_FALSE(form.core.RegistryBusy);
}

}  // namespace
}  // namespace restore_nt_test
