// The copies of the registry on sample machines: Windows 95's previous-start
// copies and Setup's system.1st, the registry backups of Windows 98 and ME,
// NT's repair folder and XP's restore points. Each must be a registry file
// (or cabinet) of its own moment: older copies lack what came later.

#include <gtest/gtest.h>

#include "platform/registry/nt_hive_read.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/sample/sample_registry_content.h"
#include "tests/platform_sample_registry/sample_registry_test_support.h"
#include "tests/support/registry_file.h"

namespace {

using namespace platform;
using namespace platform::registry;
using namespace sample_registry_test;

std::string hostBytes(const SampleRegistry& sample, const std::string& winPath) {
  return testing_support::readFile(sample.machine->resolve(winPath).host);
}

// The programs' uninstall entries under HKLM\Software (the root of NT's
// software hive).
const std::string kUninstallInSoftware = "Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kUninstall = "Software\\" + kUninstallInSoftware;
const char* const kLastProgram = "ChessTrainer";  // installed on the day of use

TEST(SampleRegistryCopies, Win95KeepsPreviousStartAndSetupRegistries) {
  auto sample = openSample(WindowsVersion::Win95, {.users = 2});
  FileSystem& files = *sample->files;
  const uint32_t registryFile = 0x01 | 0x02 | 0x04;
  for (const char* path :
       {"C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DA0",
        "C:\\WINDOWS\\USER.DA0", "C:\\WINDOWS\\Profiles\\Anna\\USER.DAT",
        "C:\\WINDOWS\\Profiles\\Anna\\USER.DA0"})
    EXPECT_EQ(files.getFileAttributes(path) & registryFile, registryFile) << path;

  RegistryTree current = testing_support::readWin9xRegistryFile(
      sample->machine->resolve("C:\\WINDOWS\\SYSTEM.DAT").host);
  RegistryTree previous = testing_support::readWin9xRegistryFile(
      sample->machine->resolve("C:\\WINDOWS\\SYSTEM.DA0").host);
  RegistryTree original =
      testing_support::readWin9xRegistryFile(sample->machine->resolve("C:\\SYSTEM.1ST").host);
  const std::string last = kUninstall + "\\" + kLastProgram;
  EXPECT_NE(current.root.findPath(last), nullptr);
  EXPECT_EQ(previous.root.findPath(last), nullptr);
  EXPECT_NE(previous.root.findPath(kUninstall + "\\Sketchpad"), nullptr);
  // Setup's copy: no programs, no logged-on user yet.
  EXPECT_EQ(original.root.findPath(kUninstall + "\\Sketchpad"), nullptr);
  EXPECT_EQ(original.root.findPath("System\\CurrentControlSet\\Control")->findValue("Current User"),
            nullptr);
  EXPECT_NE(current.root.findPath("System\\CurrentControlSet\\Control")->findValue("Current User"),
            nullptr);
}

TEST(SampleRegistryCopies, Win98BackupsAreDatedCabinetsNamedInScanregIni) {
  auto sample = openSample(WindowsVersion::Win98);
  FileSystem& files = *sample->files;
  uint64_t previousTime = 0;
  for (int n = 0; n < 5; ++n) {
    std::string cab = "C:\\WINDOWS\\SYSBCKUP\\RB00" + std::to_string(n) + ".CAB";
    ASSERT_TRUE(files.fileExists(cab)) << cab;
    EXPECT_EQ(hostBytes(*sample, cab).substr(0, 4), "MSCF");
    uint64_t time = files.getFileTime(cab).lastWrite.value;
    EXPECT_GT(time, previousTime) << cab;
    previousTime = time;
  }
  EXPECT_FALSE(files.fileExists("C:\\WINDOWS\\SYSBCKUP\\RB005.CAB"));
  std::string ini = hostBytes(*sample, "C:\\WINDOWS\\SCANREG.INI");
  EXPECT_NE(ini.find("\r\nBackupDirectory=C:\\WINDOWS\\SYSBCKUP\r\n"), std::string::npos);
  EXPECT_NE(ini.find("\r\nMaxBackupCopies=5\r\n"), std::string::npos);
}

TEST(SampleRegistryCopies, SameSeedGivesSameRegistryAndBackups) {
  auto first = openSample(WindowsVersion::WinMe, {.users = 1, .seed = 7});
  auto second = openSample(WindowsVersion::WinMe, {.users = 1, .seed = 7});
  auto other = openSample(WindowsVersion::WinMe, {.users = 1, .seed = 8});
  for (const char* path :
       {"C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\CLASSES.DAT",
        "C:\\WINDOWS\\Profiles\\Owner\\USER.DAT", "C:\\WINDOWS\\SYSBCKUP\\RB002.CAB"})
    EXPECT_EQ(hostBytes(*first, path), hostBytes(*second, path)) << path;
  EXPECT_NE(hostBytes(*first, "C:\\WINDOWS\\SYSTEM.DAT"),
            hostBytes(*other, "C:\\WINDOWS\\SYSTEM.DAT"));
}

TEST(SampleRegistryCopies, NtRepairFoldersHoldSetupHives) {
  auto nt4 = openSample(WindowsVersion::Nt4, {.running = false});
  for (const char* name :
       {"sam._", "security._", "software._", "system._", "default._", "ntuser.da_"})
    EXPECT_EQ(hostBytes(*nt4, std::string("C:\\WINNT\\repair\\") + name).substr(0, 4), "MSCF")
        << name;
  EXPECT_FALSE(nt4->files->fileExists("C:\\WINNT\\repair\\system"));

  auto windows2000 = openSample(WindowsVersion::Win2000, {.running = false});
  RegistryTree software = testing_support::readNtHiveFile(
      windows2000->machine->resolve("C:\\WINNT\\repair\\software").host);
  const RegistryKey* current = software.root.findPath("Microsoft\\Windows NT\\CurrentVersion");
  ASSERT_NE(current, nullptr);
  EXPECT_NE(current->findValue("SystemRoot"), nullptr);
  EXPECT_EQ(software.root.findPath(kUninstallInSoftware + "\\Sketchpad"), nullptr);
  for (const char* name : {"system", "sam", "security", "default", "ntuser.dat"})
    EXPECT_NO_THROW(testing_support::readNtHiveFile(
        windows2000->machine->resolve(std::string("C:\\WINNT\\repair\\") + name).host))
        << name;
}

TEST(SampleRegistryCopies, XpRestorePointsHoldHivesOfTheirMoment) {
  auto sample = openSample(WindowsVersion::WinXp, {.users = 2, .running = false});
  std::vector<FindData> restore =
      sample->files->findAll("C:\\System Volume Information\\_restore{*");
  ASSERT_EQ(restore.size(), 1u);
  std::string base = "C:\\System Volume Information\\" + restore[0].name + "\\";
  std::vector<std::string> sids;
  for (const auto& found : sample->files->findAll(base + "RP2\\snapshot\\_REGISTRY_USER_NTUSER_*"))
    sids.push_back(found.name.substr(22));
  EXPECT_EQ(sids.size(), 4u);  // two people, LocalService, NetworkService
  for (const char* rp : {"RP1", "RP2"}) {
    std::string snapshot = base + rp + "\\snapshot\\";
    for (const char* name :
         {"_REGISTRY_MACHINE_SAM", "_REGISTRY_MACHINE_SECURITY", "_REGISTRY_MACHINE_SOFTWARE",
          "_REGISTRY_MACHINE_SYSTEM", "_REGISTRY_USER_.DEFAULT"})
      EXPECT_NO_THROW(
          testing_support::readNtHiveFile(sample->machine->resolve(snapshot + name).host))
          << rp << name;
    for (const auto& sid : sids)
      EXPECT_TRUE(sample->files->fileExists(snapshot + "_REGISTRY_USER_USRCLASS_" + sid)) << sid;
    EXPECT_EQ(sample->files->getFileSize(base + rp + "\\rp.log"), 536u);
  }
  const std::string programs = kUninstallInSoftware + "\\";
  const sample::SampleProgram& fourth = sample::samplePrograms()[3];
  RegistryTree early = testing_support::readNtHiveFile(
      sample->machine->resolve(base + "RP1\\snapshot\\_REGISTRY_MACHINE_SOFTWARE").host);
  RegistryTree later = testing_support::readNtHiveFile(
      sample->machine->resolve(base + "RP2\\snapshot\\_REGISTRY_MACHINE_SOFTWARE").host);
  EXPECT_EQ(early.root.findPath(programs + fourth.key), nullptr);
  EXPECT_NE(later.root.findPath(programs + fourth.key), nullptr);
  EXPECT_EQ(later.root.findPath(programs + kLastProgram), nullptr);
}

}  // namespace
