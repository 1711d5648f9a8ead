// The Registry Editor simulator: export and rebuild of Windows 98 registry
// files as the RegPack batch files use them in MS-DOS mode, and the real-mode
// editor's view of the registry there.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/boot/ms_dos_mode.h"
#include "platform/boot/next_start.h"
#include "platform/registry/registry_tree.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/sample/sample_machine.h"
#include "platform/simulators/windows_tools.h"
#include "platform/system/process_start.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform;

class RegistryEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerWindowsToolSimulators();
    sample::createSampleMachine(dir_ / "machine", WindowsVersion::Win98);
    machine_ = Machine::open(dir_ / "machine");
    windows_ = machine_->shortPath(machine_->config().windowsDirectory);
  }

  uint32_t regedit(const std::string& arguments) {
    ProcessResult result = createProcess(*machine_, windows_ + "\\REGEDIT.EXE " + arguments);
    EXPECT_TRUE(result.started());
    return result.exitCode;
  }

  std::filesystem::path host(const std::string& path) { return machine_->resolve(path).host; }

  testing_support::TempDir dir_;
  std::unique_ptr<Machine> machine_;
  std::string windows_;
};

TEST_F(RegistryEditorTest, ExportAndRebuildKeepEveryKeyAndValue) {
  const std::string system = windows_ + "\\SYSTEM.DAT";
  const std::string user = windows_ + "\\USER.DAT";
  auto before = testing_support::readWin9xRegistryFile(host(system));
  auto userBefore = testing_support::readWin9xRegistryFile(host(user));
  uintmax_t sizeBefore = std::filesystem::file_size(host(system));

  ASSERT_EQ(
      regedit("/L:" + system + " /R:" + user + " /e " + windows_ + "\\HKLM.REG HKEY_LOCAL_MACHINE"),
      0u);
  ASSERT_EQ(regedit("/L:" + system + " /R:" + user + " /e " + windows_ + "\\HKU.REG HKEY_USERS"),
            0u);
  // A rebuild creates both files anew: one from HKLM.REG alone leaves the
  // user file empty, and the import of HKU.REG fills it again.
  ASSERT_EQ(regedit("/L:" + system + " /R:" + user + " /c " + windows_ + "\\HKLM.REG"), 0u);
  EXPECT_TRUE(testing_support::readWin9xRegistryFile(host(user)).root.subkeys.empty());
  ASSERT_EQ(regedit("/L:" + system + " /R:" + user + " " + windows_ + "\\HKU.REG"), 0u);

  auto after = testing_support::readWin9xRegistryFile(host(system));
  auto userAfter = testing_support::readWin9xRegistryFile(host(user));
  EXPECT_EQ(registry::describeDifference(before.root, after.root), "");
  EXPECT_EQ(registry::describeDifference(userBefore.root, userAfter.root), "");
  EXPECT_LE(std::filesystem::file_size(host(system)), sizeBefore);
}

TEST_F(RegistryEditorTest, ImportAddsToTheRegistryAndFailuresSetErrorlevel) {
  const std::string system = windows_ + "\\SYSTEM.DAT";
  testing_support::writeFile(host("C:\\ADD.REG"),
                             "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Added]\r\n"
                             "\"Name\"=\"value\"\r\n\r\n");
  ASSERT_EQ(regedit("/L:" + system + " C:\\ADD.REG"), 0u);
  auto tree = testing_support::readWin9xRegistryFile(host(system));
  const registry::RegistryKey* added = tree.root.findPath("Software\\Added");
  ASSERT_NE(added, nullptr);
  ASSERT_NE(added->findValue("Name"), nullptr);

  testing_support::writeFile(host("C:\\BAD.REG"), "not a registry file");
  EXPECT_EQ(regedit("/L:" + system + " /c C:\\BAD.REG"), 1u);
  EXPECT_EQ(regedit("/e"), 1u);
  // The failed rebuild left the registry file as it was.
  EXPECT_NE(testing_support::readWin9xRegistryFile(host(system)).root.findPath("Software\\Added"),
            nullptr);
}

}  // namespace

namespace {

// In MS-DOS mode the real-mode editor sees only the Windows directory's
// system.dat and user.dat: an export holds no profile's keys, and a rebuild
// from it leaves the profile's user.dat alone, so the RegPack's compact.reg
// cannot move a user's keys into the default user.dat.
TEST(RegistryEditorInMsDosMode, WorksOnTheWindowsDirectorysFilesOnly) {
  registerWindowsToolSimulators();
  testing_support::TempDir dir;
  sample::SampleOptions options;
  options.users = 2;
  sample::createSampleMachine(dir / "machine", WindowsVersion::Win98, options);
  auto machine = Machine::open(dir / "machine");
  const std::string windows = machine->config().windowsDirectory;
  const std::string user = machine->config().userName;
  auto host = [&](const std::string& path) { return machine->resolve(path).host; };
  const std::filesystem::path profileDat = host(windows + "\\Profiles\\" + user + "\\USER.DAT");
  const std::string profileBefore = testing_support::readFile(profileDat);
  const auto defaultBefore = testing_support::readWin9xRegistryFile(host(windows + "\\USER.DAT"));
  const auto systemBefore = testing_support::readWin9xRegistryFile(host(windows + "\\SYSTEM.DAT"));

  // In Windows the logged-on user's keys are part of HKEY_USERS.
  ASSERT_EQ(createProcess(*machine, windows + "\\REGEDIT.EXE /e C:\\WINDOWS.REG").exitCode, 0u);
  EXPECT_NE(testing_support::readFile(host("C:\\WINDOWS.REG")).find("[HKEY_USERS\\" + user + "]"),
            std::string::npos);

  // autoexec.bat runs in the MS-DOS phase of the next start.
  const std::filesystem::path autoexec = host("C:\\AUTOEXEC.BAT");
  testing_support::writeFile(autoexec, testing_support::readFile(autoexec) + "\r\n@" + windows +
                                           "\\REGEDIT.EXE /e C:\\DOS.REG\r\n"
                                           "@" +
                                           windows + "\\REGEDIT.EXE /c C:\\DOS.REG\r\n");
  std::ostringstream out;
  boot::startWindows(*machine, out, {});
  EXPECT_FALSE(boot::inMsDosMode(*machine));
  EXPECT_EQ(out.str().find("errorlevel"), std::string::npos) << out.str();

  const std::string exported = testing_support::readFile(host("C:\\DOS.REG"));
  EXPECT_NE(exported.find("[HKEY_USERS\\.DEFAULT]"), std::string::npos);
  EXPECT_NE(exported.find("[HKEY_LOCAL_MACHINE\\"), std::string::npos);
  EXPECT_EQ(exported.find("[HKEY_USERS\\" + user), std::string::npos);
  EXPECT_EQ(testing_support::readFile(profileDat), profileBefore);
  auto defaultAfter = testing_support::readWin9xRegistryFile(host(windows + "\\USER.DAT"));
  auto systemAfter = testing_support::readWin9xRegistryFile(host(windows + "\\SYSTEM.DAT"));
  EXPECT_EQ(registry::describeDifference(defaultBefore.root, defaultAfter.root), "");
  EXPECT_EQ(registry::describeDifference(systemBefore.root, systemAfter.root), "");
}

}  // namespace
