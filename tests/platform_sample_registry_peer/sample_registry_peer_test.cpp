// The registry files of sample machines opened by other tools: every NT
// hive by libregf (regfexport) and hivex (hivexsh), every Windows 9x
// registry file by libcreg (cregexport), the backup cabinets by cabextract
// and gcab. The keys and values they list must be ours. Also: a hive that
// hivex edited (leaving free cells inside) saved again through the live
// registry is smaller and holds the same keys and values.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "platform/live_registry/live_registry.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/registry_export_listing.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;
using namespace platform::registry;
using testing_support::expectExportAgrees;
using testing_support::haveProgram;
using testing_support::runCommand;
using testing_support::TempDir;

std::string quote(const fs::path& path) {
  return "'" + path.string() + "'";
}

// Every file below `root` that starts with `magic`.
std::vector<fs::path> filesStartingWith(const fs::path& root, const std::string& magic) {
  std::vector<fs::path> found;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || entry.file_size() < magic.size()) continue;
    if (testing_support::readFile(entry.path()).compare(0, magic.size(), magic) == 0)
      found.push_back(entry.path());
  }
  return found;
}

class NtSamplePeer : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(NtSamplePeer, EveryHiveOpensWithRegfexportAndHivexsh) {
  if (!haveProgram("regfexport") || !haveProgram("hivexsh")) GTEST_SKIP() << "peers missing";
  TempDir temp;
  sample::createSampleMachine(temp / "m", GetParam(), {.users = 2, .running = false});
  std::vector<fs::path> hives = filesStartingWith(temp / "m" / "drives", "regf");
  EXPECT_GE(hives.size(), GetParam() == WindowsVersion::WinXp ? 40u : 15u);
  for (const auto& hive : hives) {
    RegistryTree tree = testing_support::readNtHiveFile(hive);
    expectExportAgrees("regfexport", hive, tree);
    // hivexsh lists the root's subkeys and the values of one of them.
    auto listed = runCommand("printf 'ls\\n' | hivexsh " + quote(hive));
    ASSERT_EQ(listed.exitCode, 0) << hive << listed.output;
    std::string expected;
    for (const auto& child : tree.root.subkeys) expected += child.name + "\n";
    EXPECT_EQ(listed.output, expected) << hive;
  }
}

TEST_P(NtSamplePeer, HivexgetReadsTheShellFoldersAndProfileList) {
  if (!haveProgram("hivexget")) GTEST_SKIP() << "hivexget is not installed";
  TempDir temp;
  sample::createSampleMachine(temp / "m", GetParam(), {.running = false});
  fs::path drive = temp / "m" / "drives" / "c";
  fs::path ntuser = drive / "Documents and Settings" / "Owner" / "NTUSER.DAT";
  RegistryTree user = testing_support::readNtHiveFile(ntuser);
  const RegistryKey* folders =
      user.root.findPath("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
  ASSERT_NE(folders, nullptr);
  for (const auto& value : folders->values) {
    auto got =
        runCommand("hivexget " + quote(ntuser) +
                   " 'Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders' '" +
                   value.name + "'");
    std::string text;
    for (size_t i = 0; i + 1 < value.data.size() && value.data[i]; i += 2)
      text += static_cast<char>(value.data[i]);
    EXPECT_EQ(got.output, text + "\n") << value.name;
  }
  fs::path software = drive / (GetParam() == WindowsVersion::WinXp ? "WINDOWS" : "WINNT") /
                      "system32" / "config" / "software";
  auto profiles = runCommand("hivexget " + quote(software) +
                             " 'Microsoft\\Windows NT\\CurrentVersion\\ProfileList' "
                             "'ProfilesDirectory'");
  EXPECT_EQ(profiles.output, "%SystemDrive%\\Documents and Settings\n");
}

INSTANTIATE_TEST_SUITE_P(Versions, NtSamplePeer,
                         ::testing::Values(WindowsVersion::Win2000, WindowsVersion::WinXp));

class Win9xSamplePeer : public ::testing::TestWithParam<WindowsVersion> {};

TEST_P(Win9xSamplePeer, RegistryFilesAndBackupsOpenWithPeers) {
  if (!haveProgram("cregexport") || !haveProgram("cabextract") || !haveProgram("gcab"))
    GTEST_SKIP() << "peers missing";
  TempDir temp;
  sample::createSampleMachine(temp / "m", GetParam(), {.users = 2});
  fs::path windows = temp / "m" / "drives" / "c" / "WINDOWS";
  std::vector<fs::path> files = filesStartingWith(temp / "m" / "drives", "CREG");
  EXPECT_EQ(files.size(), GetParam() == WindowsVersion::WinMe ? 6u : 5u);  // with SYSTEM.1ST
  for (int n = 0; n < 5; ++n) {
    fs::path cab = windows / "SYSBCKUP" / ("RB00" + std::to_string(n) + ".CAB");
    auto tested = runCommand("cabextract -t " + quote(cab));
    EXPECT_EQ(tested.exitCode, 0) << tested.output;
    auto listed = runCommand("gcab -l " + quote(cab));
    EXPECT_EQ(listed.exitCode, 0);
    for (const char* name : {"SYSTEM.DAT", "USER.DAT", "SYSTEM.INI", "WIN.INI"})
      EXPECT_NE(listed.output.find(name), std::string::npos) << cab << " " << name;
    EXPECT_EQ(listed.output.find("CLASSES.DAT") != std::string::npos,
              GetParam() == WindowsVersion::WinMe);
  }
  fs::path extracted = temp / "rb004";
  fs::create_directories(extracted);
  auto unpacked = runCommand("cabextract -q -d " + quote(extracted) + " " +
                             quote(windows / "SYSBCKUP" / "RB004.CAB"));
  ASSERT_EQ(unpacked.exitCode, 0) << unpacked.output;
  for (const auto& file : filesStartingWith(extracted, "CREG")) files.push_back(file);
  for (const auto& file : files)
    expectExportAgrees("cregexport", file, testing_support::readWin9xRegistryFile(file));
}

INSTANTIATE_TEST_SUITE_P(Versions, Win9xSamplePeer,
                         ::testing::Values(WindowsVersion::Win98, WindowsVersion::WinMe));

TEST(NtSamplePeer, Nt4RepairCabinetsExpandToHives) {
  if (!haveProgram("cabextract")) GTEST_SKIP() << "cabextract is not installed";
  TempDir temp;
  sample::createSampleMachine(temp / "m", WindowsVersion::Nt4, {.running = false});
  fs::path repair = temp / "m" / "drives" / "c" / "WINNT" / "repair";
  fs::create_directories(temp / "out");
  for (const char* name :
       {"system._", "software._", "sam._", "security._", "default._", "ntuser.da_"}) {
    auto result =
        runCommand("cabextract -q -d " + quote(temp / "out") + " " + quote(repair / name));
    EXPECT_EQ(result.exitCode, 0) << name << result.output;
  }
  for (const char* name : {"system", "software", "sam", "security", "default", "ntuser.dat"})
    EXPECT_NO_THROW(testing_support::readNtHiveFile(temp / "out" / name)) << name;
}

TEST(NtSamplePeer, SaveKeyCompactsAHiveWithFreeSpace) {
  if (!haveProgram("hivexsh")) GTEST_SKIP() << "hivexsh is not installed";
  TempDir temp;
  sample::createSampleMachine(temp / "m", WindowsVersion::WinXp, {.running = false});
  fs::path software = temp / "m" / "drives" / "c" / "WINDOWS" / "system32" / "config" / "software";
  // hivex adds keys with values and deletes them again: the cells become free
  // space inside the file.
  std::string script;
  std::string padding(2000, 'x');
  for (int i = 0; i < 150; ++i)
    script += "add Scratch" + std::to_string(i) + "\ncd Scratch" + std::to_string(i) +
              "\nsetval 1\nData\nstring:" + padding + "\ncd ..\n";
  for (int i = 0; i < 150; ++i) script += "cd Scratch" + std::to_string(i) + "\ndel\n";
  script += "commit\n";
  testing_support::writeFile(temp / "script", script);
  auto edited = runCommand("hivexsh -w -f " + quote(temp / "script") + " " + quote(software));
  ASSERT_EQ(edited.exitCode, 0) << edited.output;
  uintmax_t editedSize = fs::file_size(software);
  RegistryTree before = testing_support::readNtHiveFile(software);

  auto machine = Machine::open(temp / "m");
  FileSystem files(*machine);
  LiveRegistry registry(*machine, files);
  HKEY key = 0;
  ASSERT_EQ(registry.openKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, key),
            WinError::Success);
  ASSERT_EQ(registry.saveKey(key, "C:\\WINDOWS\\Temp\\software.hiv"), WinError::Success);
  fs::path saved = machine->resolve("C:\\WINDOWS\\Temp\\software.hiv").host;
  EXPECT_LT(fs::file_size(saved) + 200 * 1024, editedSize);
  RegistryTree after = testing_support::readNtHiveFile(saved);
  EXPECT_EQ(describeDifference(before.root, after.root), "");
}

}  // namespace
