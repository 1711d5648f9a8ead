// The registry capture of Windows 95, 98 and ME on sample machines: which
// files the set gets, that they hold the machine's registry byte for byte,
// the spare copies, Windows 98's fresh system backup and its removal.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/profile/ini_file.h"
#include "platform/simulators/registry_checker.h"
#include "platform/simulators/windows_tools.h"
#include "platform/system/program_simulators.h"
#include "tests/backup_registry/capture_machine.h"

namespace regcap_test {
namespace {

using corvasta::kTransferCopy;
using corvasta::kTransferZip;
using platform::WindowsVersion;

// The extract folders "r" + number the capture may leave in the Windows directory.
bool anyWorkingFolderLeft(CaptureProgram& m) {
  for (const platform::FindData& entry : m.files->findAll(m.form->core.loc.windowsDir + "r*"))
    if ((entry.attributes & platform::kAttributeDirectory) && entry.name.size() <= 4) return true;
  return false;
}

TEST(Capture9x, Windows98WithoutProfiles) {
  CaptureProgram m{captureMachine(WindowsVersion::Win98)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.ConfigRunsAutomatically = true;  // no scanregw run
  form.backup.registry.BackupRegistry(10);
  const std::string& windows = form.core.loc.windowsDir;

  EXPECT_EQ(m.onlyEntryOf(m.setDir + "user0.daz"), m.read(windows + "user.dat"));
  EXPECT_EQ(m.onlyEntryOf(m.setDir + "system.daz"), m.read(windows + "system.dat"));
  EXPECT_FALSE(m.exists(m.setDir + "user1.daz"));
  EXPECT_FALSE(m.exists(m.setDir + "classes.daz"));
  platform::TIniFile map(*m.machine, m.setDir + "user.ini");
  EXPECT_EQ(map.ReadSection("MultiUsers"), std::vector<std::string>{"user0"});
  EXPECT_EQ(map.ReadString("MultiUsers", "user0", ""),
            corvasta::ShortFileName(*m.machine, windows + "user.dat"));

  // The spares come from Windows' newest backup, not from the registry as it is.
  const std::string newest = corvasta::CheckPath(form.core.loc.systemBackupDir) + "rb004.cab";
  EXPECT_EQ(m.read(windows + "system.cvk"), m.cabinetMember(newest, "system.dat"));
  EXPECT_EQ(m.read(windows + "user.cvk"), m.cabinetMember(newest, "user.dat"));
  EXPECT_FALSE(anyWorkingFolderLeft(m));
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());
  // The two transfers advance the overall bar; the spares do not.
  EXPECT_EQ(form.core.Form4.view.overall, 20);
}

TEST(Capture9x, ThreeProfilesAreNumberedWindowsDirectoryFirst) {
  CaptureProgram m{captureMachine(WindowsVersion::Win98, 3)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.ConfigRunsAutomatically = true;
  form.backup.registry.BackupRegistry(5);
  const std::vector<std::string> candidates = form.backup.items.profileCandidates("user.dat");
  ASSERT_EQ(candidates.size(), 4u);
  for (size_t n = 0; n < candidates.size(); ++n)
    EXPECT_EQ(m.onlyEntryOf(m.setDir + "user" + std::to_string(n) + ".daz"), m.read(candidates[n]))
        << n;
  EXPECT_FALSE(m.exists(m.setDir + "user4.daz"));
  EXPECT_EQ(platform::TIniFile(*m.machine, m.setDir + "user.ini").ReadSection("MultiUsers").size(),
            4u);
  for (size_t n = 1; n < candidates.size(); ++n)
    EXPECT_TRUE(m.exists(corvasta::folderPart(candidates[n]) + "user.cvk")) << candidates[n];
}

TEST(Capture9x, WindowsMeKeepsClassesAndTakesSparesFromTheRegistryItself) {
  CaptureProgram m{captureMachine(WindowsVersion::WinMe)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.TransferMode = kTransferCopy;
  form.backup.registry.BackupRegistry(0);
  const std::string& windows = form.core.loc.windowsDir;
  for (const char* name : {"classes", "system", "user"}) {
    const std::string registryFile = windows + name + ".dat";
    const std::string copied = m.setDir + name + (std::string(name) == "user" ? "0.dat" : ".dat");
    EXPECT_EQ(m.read(copied), m.read(registryFile)) << name;
    EXPECT_EQ(m.read(windows + name + ".cvk"), m.read(registryFile)) << name;
    // The copy keeps the registry file's attributes (hidden, system, read-only) plus archive.
    EXPECT_EQ(m.files->getFileAttributes(copied),
              m.files->getFileAttributes(registryFile) | platform::kAttributeArchive);
  }
  EXPECT_FALSE(form.core.ErrorFlag);
}

TEST(Capture9x, Windows95PreviousRegistryTakesTheDa0Files) {
  CaptureProgram m{captureMachine(WindowsVersion::Win95)};
  corvasta::TForm1& form = *m.form;
  form.core.Form8.config.previousRegistry = true;
  form.backup.registry.BackupRegistry(0);
  const std::string& windows = form.core.loc.windowsDir;
  ASSERT_NE(m.read(windows + "system.da0"), m.read(windows + "system.dat"));
  EXPECT_EQ(m.onlyEntryOf(m.setDir + "system.daz"), m.read(windows + "system.da0"));
  EXPECT_EQ(m.onlyEntryOf(m.setDir + "user0.daz"), m.read(windows + "user.da0"));
  EXPECT_EQ(m.read(windows + "user.cvk"), m.read(windows + "user.da0"));

  form.core.Form8.config.previousRegistry = false;
  form.backup.registry.BackupRegistry(0);
  EXPECT_EQ(m.onlyEntryOf(m.setDir + "system.daz"), m.read(windows + "system.dat"));
}

TEST(Capture9x, Windows98SparesComeFromTheBackupScanregwMakesUnlessAutomated) {
  platform::registerWindowsToolSimulators();
  int scanregwRuns = 0;
  platform::ProgramSimulators::add(
      "scanregw", [&scanregwRuns](platform::Machine& machine, const std::string& commandLine) {
        ++scanregwRuns;
        return platform::runWindowsRegistryChecker(machine, commandLine);
      });
  CaptureProgram m{captureMachine(WindowsVersion::Win98, 1)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.BackupRegistry(0);
  EXPECT_EQ(scanregwRuns, 1);
  const std::string& windows = form.core.loc.windowsDir;
  // The fresh backup holds the registry as it is now.
  EXPECT_EQ(m.read(windows + "system.cvk"), m.read(windows + "system.dat"));
  EXPECT_EQ(m.read(windows + "user.cvk"), m.read(windows + "user.dat"));
  EXPECT_EQ(m.read(form.core.loc.userDir + "user.cvk"), m.read(form.core.loc.userDir + "user.dat"));
  EXPECT_EQ(m.onlyEntryOf(m.setDir + "user1.daz"), m.read(form.core.loc.userDir + "user.dat"));
  EXPECT_FALSE(anyWorkingFolderLeft(m));
  EXPECT_FALSE(form.core.ErrorFlag)
      << (form.core.ErrorList.empty() ? "" : form.core.ErrorList.front());

  form.backup.registry.ConfigRunsAutomatically = true;
  form.backup.registry.BackupRegistry(0);
  EXPECT_EQ(scanregwRuns, 1);
  platform::registerWindowsToolSimulators();
}

TEST(Capture9x, DamagedSystemBackupFailsTheCaptureAndLeavesNoFolder) {
  CaptureProgram m{captureMachine(WindowsVersion::Win98)};
  corvasta::TForm1& form = *m.form;
  form.backup.registry.ConfigRunsAutomatically = true;
  const std::string folder = corvasta::CheckPath(form.core.loc.systemBackupDir);
  std::string cabinet = m.read(folder + "rb004.cab");
  for (size_t i = cabinet.size() / 2; i < cabinet.size(); ++i)
    cabinet[i] = static_cast<char>(~cabinet[i]);
  m.write(folder + "rb009.cab", cabinet);
  EXPECT_THROW(form.backup.registry.BackupRegistry(0), corvasta::Error);
  EXPECT_EQ(form.core.ErrorList.back(), "Cab Extractor failed, see Backup Preferences.");
  EXPECT_FALSE(anyWorkingFolderLeft(m));
  EXPECT_TRUE(form.backup.registry.UnpackedSystemBackup.empty());
}

}  // namespace
}  // namespace regcap_test
