// The registry checker: backups in the checker's folder with rotation,
// restore of the newest backup, and the compacting rebuild of /fix.

#include <gtest/gtest.h>

#include "platform/registry/win9x_registry_read.h"
#include "platform/simulators/system_backups.h"
#include "tests/platform_simulators/simulator_machine.h"

namespace simulators_test {
namespace {

using namespace platform;

std::vector<std::string> backupNames(SimulatorMachine& m) {
  std::vector<std::string> names;
  for (const SystemBackup& backup : listSystemBackups(m.files(), m.windows() + "\\SYSBCKUP"))
    names.push_back(backup.path.substr(backup.path.rfind('\\') + 1));
  return names;
}

void setMaxBackupCopies(SimulatorMachine& m, int copies) {
  m.write(m.windows() + "\\SCANREG.INI",
          "Backup=1\r\nMaxBackupCopies=" + std::to_string(copies) + "\r\n");
}

TEST(RegistryChecker, BackupReplacesTheOldestCabinetWithTheRegistryOfNow) {
  SimulatorMachine m(WindowsVersion::Win98);
  ASSERT_EQ(backupNames(m).size(), 5u);
  m.write(m.windows() + "\\WIN.INI", "[windows]\r\nchanged=today\r\n");
  ASSERT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /backup"), 0u);

  // RB000 was the oldest; it is now the newest and holds today's files.
  EXPECT_EQ(backupNames(m), (std::vector<std::string>{"RB001.CAB", "RB002.CAB", "RB003.CAB",
                                                      "RB004.CAB", "RB000.CAB"}));
  const std::string cabinet = m.windows() + "\\SYSBCKUP\\RB000.CAB";
  EXPECT_EQ(cabinetMember(m, cabinet, "SYSTEM.DAT"), m.read(m.windows() + "\\SYSTEM.DAT"));
  EXPECT_EQ(cabinetMember(m, cabinet, "USER.DAT"), m.read(m.windows() + "\\USER.DAT"));
  EXPECT_EQ(cabinetMember(m, cabinet, "WIN.INI"), "[windows]\r\nchanged=today\r\n");
  EXPECT_FALSE(cabinetMember(m, cabinet, "SYSTEM.INI").empty());
  EXPECT_TRUE(cabinetMember(m, cabinet, "CLASSES.DAT").empty());
}

TEST(RegistryChecker, WindowsMeBackupHoldsClassesDat) {
  SimulatorMachine m(WindowsVersion::WinMe);
  ASSERT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /backup"), 0u);
  const auto backups = listSystemBackups(m.files(), m.windows() + "\\SYSBCKUP");
  ASSERT_FALSE(backups.empty());
  EXPECT_EQ(cabinetMember(m, backups.back().path, "CLASSES.DAT"),
            m.read(m.windows() + "\\CLASSES.DAT"));
}

TEST(RegistryChecker, RotationFollowsMaxBackupCopies) {
  SimulatorMachine more(WindowsVersion::Win98);
  setMaxBackupCopies(more, 7);
  ASSERT_EQ(more.run(more.windows() + "\\COMMAND\\SCANREG.EXE /backup"), 0u);
  EXPECT_EQ(backupNames(more).back(), "rb005.cab");
  EXPECT_EQ(backupNames(more).size(), 6u);

  SimulatorMachine fewer(WindowsVersion::Win98);
  setMaxBackupCopies(fewer, 3);
  ASSERT_EQ(fewer.run(fewer.windows() + "\\SCANREGW.EXE /backup"), 0u);
  // The two newest of the old backups stay beside the new one.
  EXPECT_EQ(backupNames(fewer), (std::vector<std::string>{"RB003.CAB", "RB004.CAB", "RB000.CAB"}));
}

TEST(RegistryChecker, DamagedRegistryIsNotBackedUpAndNoBackupIsLost) {
  SimulatorMachine m(WindowsVersion::Win98);
  const std::string oldest = m.read(m.windows() + "\\SYSBCKUP\\RB000.CAB");
  m.write(m.windows() + "\\USER.DAT", "CREG but not a registry");
  EXPECT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /backup"), 1u);
  EXPECT_EQ(m.read(m.windows() + "\\SYSBCKUP\\RB000.CAB"), oldest);
  EXPECT_EQ(backupNames(m).size(), 5u);
  EXPECT_TRUE(m.journalled("scanregw", "USER.DAT"));
  // The check alone reports the damage too.
  EXPECT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /scanonly"), 1u);
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\SCANREG.EXE"), 1u);
}

TEST(RegistryChecker, DailyRunBacksUpOnlyOnceADay) {
  SimulatorMachine m(WindowsVersion::Win98);
  ASSERT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /autorun"), 0u);
  const std::vector<std::string> afterFirst = backupNames(m);
  EXPECT_EQ(afterFirst.back(), "RB000.CAB");
  ASSERT_EQ(m.run(m.windows() + "\\SCANREGW.EXE"), 0u);
  EXPECT_EQ(backupNames(m), afterFirst);
}

TEST(RegistryChecker, RestorePutsTheNewestBackupBack) {
  SimulatorMachine m(WindowsVersion::Win98);
  ASSERT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /backup"), 0u);
  const std::string user = m.read(m.windows() + "\\USER.DAT");
  m.write(m.windows() + "\\USER.DAT", "damaged");
  m.files().setFileAttributes(m.windows() + "\\USER.DAT", kAttributeReadOnly | kAttributeHidden);
  ASSERT_EQ(m.run(m.windows() + "\\COMMAND\\SCANREG.EXE /restore"), 0u);
  EXPECT_EQ(m.read(m.windows() + "\\USER.DAT"), user);
  EXPECT_EQ(m.files().getFileAttributes(m.windows() + "\\USER.DAT") & 0x27u,
            kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive);
  // Nothing of the work is left behind in the Windows directory.
  EXPECT_TRUE(m.files().findAll(m.windows() + "\\RB$*.$$$").empty());
}

TEST(RegistryChecker, UnknownSwitchFailsWithoutChanges) {
  SimulatorMachine m(WindowsVersion::Win98);
  const std::string system = m.read(m.windows() + "\\SYSTEM.DAT");
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\SCANREG.EXE /bogus"), 1u);
  EXPECT_EQ(m.read(m.windows() + "\\SYSTEM.DAT"), system);
  EXPECT_TRUE(m.journalled("scanreg", "/bogus"));
}

}  // namespace
}  // namespace simulators_test
