// corvasta-machine reg: the export of a sample's registry, imported again
// into fresh trees, gives back the registry files' contents; query prints
// values with their types.

#include <gtest/gtest.h>

#include "platform/core/machine.h"
#include "platform/registry/nt_hive_read.h"
#include "platform/registry/regedit4.h"
#include "platform/registry/win9x_registry_read.h"
#include "platform/sample/sample_machine.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace platform;
using namespace platform::registry;
using testing_support::runCommand;
using testing_support::TempDir;

std::string tool() {
  return CORVASTA_MACHINE_TOOL;
}

TEST(RegTool, Win98ExportImportsBackToTheRegistryFiles) {
  TempDir temp;
  sample::createSampleMachine(temp / "m", WindowsVersion::Win98);
  auto exported = runCommand(tool() + " reg '" + (temp / "m").string() + "' export 2>/dev/null");
  ASSERT_EQ(exported.exitCode, 0) << exported.output.substr(0, 500);
  std::vector<Regedit4Key> keys = parseRegedit4(exported.output);
  auto machine = Machine::open(temp / "m");
  struct Root {
    const char* path;
    const char* file;
  };
  for (auto [rootPath, file] : {Root{"HKEY_LOCAL_MACHINE", "C:\\WINDOWS\\SYSTEM.DAT"},
                                Root{"HKEY_USERS", "C:\\WINDOWS\\USER.DAT"}}) {
    RegistryTree imported;
    applyRegedit4(keys, rootPath, imported);
    RegistryTree stored = testing_support::readWin9xRegistryFile(machine->resolve(file).host);
    EXPECT_EQ(describeDifference(stored.root, imported.root), "") << rootPath;
  }
}

TEST(RegTool, XpExportOfAHiveImportsBackToItsFile) {
  TempDir temp;
  sample::createSampleMachine(temp / "m", WindowsVersion::WinXp, {.running = false});
  auto exported = runCommand(tool() + " reg '" + (temp / "m").string() +
                             "' export 'HKEY_LOCAL_MACHINE\\SOFTWARE' 2>/dev/null");
  ASSERT_EQ(exported.exitCode, 0) << exported.output.substr(0, 500);
  RegistryTree imported;
  imported.stringEncoding = StringEncoding::Utf16le;
  EXPECT_GT(applyRegedit4(parseRegedit4(exported.output), "HKEY_LOCAL_MACHINE\\SOFTWARE", imported),
            500u);
  auto machine = Machine::open(temp / "m");
  RegistryTree stored = testing_support::readNtHiveFile(
      machine->resolve("C:\\WINDOWS\\system32\\config\\software").host);
  // The root's own name is not part of the registry's namespace.
  imported.root.name = stored.root.name;
  EXPECT_EQ(describeDifference(stored.root, imported.root), "");
}

TEST(RegTool, QueryPrintsValuesWithTheirTypes) {
  TempDir temp;
  sample::createSampleMachine(temp / "m", WindowsVersion::WinMe, {.users = 2});
  std::string dir = "'" + (temp / "m").string() + "'";
  auto value = runCommand(tool() + " reg " + dir +
                          " query 'HKLM\\System\\CurrentControlSet\\Control' 'Current User'");
  EXPECT_EQ(value.exitCode, 0);
  EXPECT_EQ(value.output,
            "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\n"
            "    Current User    REG_SZ    Owner\n");
  auto key = runCommand(tool() + " reg " + dir + " query 'HKCU\\Software\\Microsoft\\Notepad'");
  EXPECT_NE(key.output.find("    iPointSize    REG_DWORD    0x0\n"), std::string::npos)
      << key.output;
  auto missing = runCommand(tool() + " reg " + dir + " query 'HKLM\\No\\Such\\Key'");
  EXPECT_NE(missing.exitCode, 0);
  auto usage = runCommand(tool() + " reg " + dir + " remove HKLM");
  EXPECT_EQ(usage.exitCode, 2);
}

}  // namespace
