// Windows' own registry copies restored: the Windows 98 and ME system
// backups (rb???.cab, unpacked by either Cab Extractor way, also cabinets
// made by gcab), the Windows 95 previous and original registry, and what a
// damaged cabinet or a missing command.pif does.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/core/TextLines.h"
#include "platform/core/codepage.h"
#include "platform/files/file_system.h"
#include "platform/simulators/windows_tools.h"
#include "tests/restore_run/restore_scenario.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"
#include "tests/support/watching_ui.h"

namespace restore_test {
namespace {

using corvasta::SourceKind;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

bool anyExtractFolderLeft(TestProgram& m) {
  for (const platform::FindData& entry : m.files->findAll(m.form->core.loc.windowsDir + "r*"))
    if ((entry.attributes & platform::kAttributeDirectory) && entry.name.size() <= 4) return true;
  return false;
}

bool listed(const std::vector<std::string>& lines, const std::string& part) {
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) return true;
  return false;
}

// The Restore button's part for a system backup, the registry and WinConfig
// boxes checked.
void restoreSystemBackup(testing_support::ProgramRig& m, SourceKind kind,
                         const std::string& userPath, const std::string& systemPath,
                         bool enableWinConfig) {
  m.form->restore.state.sourceKind = kind;
  m.form->restore.state.extentEnabled = {true, enableWinConfig, false, false};
  m.form->core.winCrash = true;
  m.form->core.winUsers = enableWinConfig;
  m.form->core.userFiles = m.form->core.otherFiles = false;
  m.form->restore.run.RunRestore(userPath, systemPath);
}

std::string newestCabinet(testing_support::ProgramRig& m) {
  return corvasta::CheckPath(m.form->core.loc.systemBackupDir) + "RB004.CAB";
}

TEST(WindowsBackup, WinMeBackupGoesInPlaceByRename) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::WinMe)};
  m.start();
  const std::string cab = newestCabinet(m);
  ASSERT_TRUE(m.exists(cab));
  const std::string windows = m.form->core.loc.windowsDir;
  m.writeOnHost(windows + "SYSTEM.DAT", "broken registry");
  m.ui.expect("files restored", "OK");
  restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_FALSE(anyExtractFolderLeft(m));
  EXPECT_EQ(m.read(windows + "WIN.INI"), m.cabinetMember(cab, "WIN.INI"));

  m.restartWindows({});
  for (const char* name : {"SYSTEM.DAT", "USER.DAT", "CLASSES.DAT"})
    EXPECT_EQ(m.read(windows + name), m.cabinetMember(cab, name)) << name;
  EXPECT_FALSE(m.exists(windows + "wininit.ini"));
}

class Win98Backup : public ::testing::TestWithParam<int> {};

TEST_P(Win98Backup, EitherCabExtractorWayRestoresTheRegistry) {
  platform::registerWindowsToolSimulators();
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win98)};
  m.start();
  m.form->core.Form8.cabExtractor = GetParam();
  const std::string cab = newestCabinet(m);
  const std::string windows = m.form->core.loc.windowsDir;
  m.writeOnHost(windows + "SYSTEM.DAT", "broken registry");
  m.ui.expect("files restored", "OK");
  restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_FALSE(anyExtractFolderLeft(m));

  m.restartWindows({});
  EXPECT_EQ(m.read(windows + "SYSTEM.DAT"), m.cabinetMember(cab, "SYSTEM.DAT")) << m.bootLog;
  EXPECT_EQ(m.read(windows + "USER.DAT"), m.cabinetMember(cab, "USER.DAT"));
}

INSTANTIATE_TEST_SUITE_P(CabExtractor, Win98Backup, ::testing::Values(0, 1));

// A system backup made by another cabinet writer: gcab, its files stored
// (no -z) or MSZIP-compressed (-z).
struct GcabBackup {
  platform::WindowsVersion version;
  int cabExtractor;
  bool compressed;
};

class GcabSystemBackup : public ::testing::TestWithParam<GcabBackup> {};

TEST_P(GcabSystemBackup, RestoresTheRegistryAtTheNextStart) {
  if (!testing_support::haveProgram("gcab")) GTEST_SKIP() << "gcab is not installed";
  const GcabBackup c = GetParam();
  platform::registerWindowsToolSimulators();
  TestProgram m{MachineBuilder::sample(c.version)};
  m.start();
  m.form->core.Form8.cabExtractor = c.cabExtractor;
  const std::string windows = m.form->core.loc.windowsDir;
  std::vector<std::string> names{"SYSTEM.DAT", "USER.DAT", "SYSTEM.INI", "WIN.INI"};
  if (c.version == platform::WindowsVersion::WinMe) names.push_back("CLASSES.DAT");
  testing_support::TempDir staging;
  std::map<std::string, std::string> kept;
  std::string members;
  for (const std::string& name : names) {
    kept[name] = m.read(windows + name);
    testing_support::writeFile(staging / name, kept[name]);
    members += " " + name;
  }
  const std::string cab = corvasta::CheckPath(m.form->core.loc.systemBackupDir) + "RB005.CAB";
  ASSERT_EQ(testing_support::runCommand("cd " + testing_support::shellQuoted(staging.path()) +
                                        " && TZ=UTC gcab -c" + (c.compressed ? " -z " : " ") +
                                        testing_support::shellQuoted(m.host(cab)) + members)
                .exitCode,
            0);
  for (const char* name : {"SYSTEM.DAT", "USER.DAT", "CLASSES.DAT"})
    if (kept.count(name)) m.writeOnHost(windows + name, "broken registry");
  m.write(windows + "WIN.INI", "[windows]\r\nload=damaged.exe\r\n");

  m.ui.expect("files restored", "OK");
  restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();
  EXPECT_FALSE(anyExtractFolderLeft(m));
  EXPECT_EQ(m.read(windows + "WIN.INI"), kept["WIN.INI"]);
  if (c.version == platform::WindowsVersion::WinMe) {
    EXPECT_NE(m.profileString(windows + "wininit.ini", "Rename",
                              corvasta::ShortFileName(*m.machine, windows + "system.dat")),
              "@");
  }
  m.restartWindows({});
  for (const std::string& name : names) EXPECT_EQ(m.read(windows + name), kept[name]) << name;
  EXPECT_FALSE(m.exists(windows + "wininit.ini"));
  EXPECT_FALSE(m.exists(m.programDir() + "startwin.bat"));
}

INSTANTIATE_TEST_SUITE_P(Cabinets, GcabSystemBackup,
                         ::testing::Values(GcabBackup{platform::WindowsVersion::Win98, 0, false},
                                           GcabBackup{platform::WindowsVersion::Win98, 0, true},
                                           GcabBackup{platform::WindowsVersion::Win98, 1, false},
                                           GcabBackup{platform::WindowsVersion::Win98, 1, true},
                                           GcabBackup{platform::WindowsVersion::WinMe, 0, false},
                                           GcabBackup{platform::WindowsVersion::WinMe, 0, true}),
                         [](const auto& info) {
                           return std::string(info.param.version == platform::WindowsVersion::WinMe
                                                  ? "Me"
                                                  : "Win98") +
                                  "CabExtractor" + std::to_string(info.param.cabExtractor) +
                                  (info.param.compressed ? "Mszip" : "Stored");
                         });

TEST(WindowsBackup, DamagedCabinetEndsTheRunInItsErrorHandler) {
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win98)};
  m.start();
  const std::string cab = newestCabinet(m);
  m.write(cab, "MSCF but not really a cabinet");
  m.ui.expect("An error has occurred.  Restore may not have been successful.", "OK");
  EXPECT_THROW(restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true), corvasta::Error);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(m.form->restore.state.runFailed);
  EXPECT_TRUE(listed(m.form->core.ErrorList, "Cab Extractor failed, see Backup Preferences."));
  EXPECT_FALSE(anyExtractFolderLeft(m));
  EXPECT_FALSE(m.exists(m.programDir() + "startwin.bat"));
  const std::string log = m.read(m.form->core.loc.programDir + "results.txt");
  EXPECT_NE(log.find("An error occurred during Restore."), std::string::npos);
}

// Folders r27 and r28 that are not the program's: the cabinet is unpacked
// into r29, which is gone after the run, as after a run that fails on a
// damaged cabinet; r27 and r28 stay as they were.
TEST(WindowsBackup, TheExtractFolderIsTheFirstFreeNumberAndIsRemovedAtTheEndAndOnError) {
  testing_support::ProgramWith<testing_support::WatchingUi> m{
      MachineBuilder::sample(platform::WindowsVersion::Win98)};
  m.start();
  const std::string windows = m.form->core.loc.windowsDir;
  m.files->createDirectory(windows + "r27");
  m.write(windows + "r28\\keep.txt", "the user's own");
  std::set<std::string> usedFolders;
  m.ui.onMessages = [&] {
    const std::string& folder = m.form->restore.state.extractDir;
    if (!folder.empty() && m.files->directoryExists(folder))
      usedFolders.insert(platform::ansiUpper(folder));
  };
  const std::string cab = newestCabinet(m);
  m.ui.expect("files restored", "OK");
  restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_EQ(usedFolders, std::set<std::string>{platform::ansiUpper(windows + "r29")});
  EXPECT_FALSE(m.files->exists(windows + "r29"));
  EXPECT_TRUE(m.files->directoryExists(windows + "r27"));
  EXPECT_EQ(m.read(windows + "r28\\keep.txt"), "the user's own");

  usedFolders.clear();
  m.write(cab, "MSCF but not really a cabinet");
  m.ui.expect("An error has occurred.  Restore may not have been successful.", "OK");
  EXPECT_THROW(restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true), corvasta::Error);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.files->exists(windows + "r29"));
  EXPECT_FALSE(m.files->exists(windows + "r30"));
  EXPECT_TRUE(m.files->directoryExists(windows + "r27"));
  EXPECT_EQ(m.read(windows + "r28\\keep.txt"), "the user's own");
}

TEST(WindowsBackup, MissingCommandPifLeavesTheRegistryFilesMissing) {
  platform::registerWindowsToolSimulators();
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win98)};
  m.start();
  m.form->core.Form8.cabExtractor = 1;
  m.files->deleteFile(m.programDir() + "command.pif");
  const std::string cab = newestCabinet(m);
  const std::string systemDat = m.read(m.form->core.loc.windowsDir + "SYSTEM.DAT");
  m.ui.expect("Command.com is not properly setup.", "OK");
  m.ui.expect("Do you want to Restart Windows?", "No");
  m.ui.expect("files restored", "OK");
  restoreSystemBackup(m, SourceKind::WindowsBackup, cab, cab, true);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_TRUE(listed(m.form->core.Form6.lines, "system.dat"));
  // No lines for files that did not arrive: the batch file only deletes itself.
  EXPECT_EQ(corvasta::splitLines(m.read(m.programDir() + "startwin.bat")),
            std::vector<std::string>{"del startwin.bat"});
  m.restartWindows({});
  EXPECT_EQ(m.read(m.form->core.loc.windowsDir + "SYSTEM.DAT"), systemDat);
}

struct Win95Copy {
  SourceKind kind;
  const char* restartPreference;  // "0" startwin.pif, "1" autoexec.bat
};

class Win95Registry : public ::testing::TestWithParam<Win95Copy> {};

TEST_P(Win95Registry, PreviousAndOriginalThroughEitherHandOff) {
  const Win95Copy c = GetParam();
  TestProgram m{MachineBuilder::sample(platform::WindowsVersion::Win95)};
  m.setSetting("BackupPreferences1", "WindowsRestart", c.restartPreference);
  m.setSetting("Checks1", "1", "1");
  m.restartProgram();
  m.start();
  const std::string windows = m.form->core.loc.windowsDir;
  const std::string root = m.form->core.loc.rootDir;
  const std::string user = m.form->core.loc.userDir + "user.da0";
  const std::string system =
      c.kind == SourceKind::PlainRegistry ? windows + "system.da0" : root + "system.1st";
  const std::string expectedSystem = m.read(system);
  const std::string expectedUser = m.read(user);
  m.ui.expect("files restored", "OK");
  restoreSystemBackup(m, c.kind, user, system, false);
  EXPECT_TRUE(m.ui.finished()) << m.ui.pendingPatterns().front();
  EXPECT_FALSE(m.form->core.ErrorFlag) << m.form->core.ErrorList.back();

  const bool autoexec = std::string(c.restartPreference) == "1";
  const std::string batch = (autoexec ? root : m.programDir()) + "startwin.bat";
  ASSERT_TRUE(m.exists(batch));
  EXPECT_EQ(m.exists(m.startup() + "cleanup.lnk"), autoexec);
  if (autoexec) {
    const testing_support::CommandResult info = testing_support::runCommand(
        "lnkinfo '" + m.host(m.startup() + "cleanup.lnk").string() + "'");
    const std::string output = platform::ansiLower(info.output);
    EXPECT_NE(output.find("clean \"c:\\startwin.bat\" c:\\autoexec.bat"), std::string::npos)
        << info.output;
  }

  m.restartWindows({});
  EXPECT_EQ(m.read(windows + "SYSTEM.DAT"), expectedSystem) << m.bootLog;
  EXPECT_EQ(m.read(windows + "USER.DAT"), expectedUser);
  EXPECT_FALSE(m.exists(batch));
  EXPECT_FALSE(m.exists("C:\\Temp\\system.dat"));
}

INSTANTIATE_TEST_SUITE_P(Sources, Win95Registry,
                         ::testing::Values(Win95Copy{SourceKind::PlainRegistry, "0"},
                                           Win95Copy{SourceKind::PlainRegistry, "1"},
                                           Win95Copy{SourceKind::OriginalRegistry, "0"},
                                           Win95Copy{SourceKind::OriginalRegistry, "1"}));

}  // namespace
}  // namespace restore_test
