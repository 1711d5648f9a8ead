// The rebuilds that make a Windows 9x registry smaller: the Registry
// Editor's export and create switches as the RegPack batch file runs them in
// MS-DOS mode, and the registry checker's /fix. Both drop the free space a
// registry file collects and keep every key and value.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/boot/boot_log.h"
#include "platform/boot/dos_session.h"
#include "platform/registry/registry_tree.h"
#include "platform/registry/win9x_registry_read.h"
#include "tests/platform_simulators/free_space_registry.h"
#include "tests/platform_simulators/simulator_machine.h"
#include "tests/support/registry_file.h"

namespace simulators_test {
namespace {

using namespace platform;

constexpr uint32_t kFreeBytes = 64 * 1024;

class RegistryRebuild : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"\\SYSTEM.DAT", "\\USER.DAT"}) {
      const std::string path = m.windows() + name;
      const auto original = testing_support::readWin9xRegistryFile(m.host(path));
      m.write(path, withFreeBlock(m.read(path), kFreeBytes));
      // The free block changes nothing of the content.
      ASSERT_EQ(registry::describeDifference(
                    original.root, testing_support::readWin9xRegistryFile(m.host(path)).root),
                "");
      before.push_back({path, original, m.read(path).size()});
    }
  }

  void expectSmallerWithSameContent() {
    for (const File& file : before) {
      const std::string after = m.read(file.path);
      EXPECT_LE(after.size() + kFreeBytes, file.size) << file.path;
      EXPECT_EQ(registry::describeDifference(
                    file.tree.root, testing_support::readWin9xRegistryFile(m.host(file.path)).root),
                "")
          << file.path;
    }
  }

  struct File {
    std::string path;
    registry::RegistryTree tree;
    size_t size;
  };
  SimulatorMachine m{WindowsVersion::Win98};
  std::vector<File> before;
};

TEST_F(RegistryRebuild, ExportAndCreateInMsDosModeShrinkTheRegistry) {
  const std::string w = m.windows() + "\\";
  m.write("C:\\REBUILD.BAT", "@" + w + "regedit /e " + w + "compact.reg\r\n" +
                                 "@if errorlevel 1 goto export\r\n" + "@" + w + "regedit /c " + w +
                                 "compact.reg\r\n" + "@if errorlevel 1 goto export\r\n" +
                                 "@if exist " + w + "compact.reg del " + w + "compact.reg\r\n" +
                                 "@goto done\r\n:export\r\n@md C:\\FAILED\r\n:done\r\n");
  std::ostringstream out;
  boot::BootLog log(m.machine(), out);
  boot::DosSession session(m.machine(), m.files(), log);
  session.runBatch("C:\\REBUILD.BAT");
  EXPECT_FALSE(m.files().directoryExists("C:\\FAILED")) << out.str();
  EXPECT_FALSE(m.files().fileExists(w + "compact.reg"));
  expectSmallerWithSameContent();
}

TEST_F(RegistryRebuild, CheckerFixShrinksTheRegistryAndKeepsAttributes) {
  const uint32_t attributes = m.files().getFileAttributes(m.windows() + "\\SYSTEM.DAT");
  ASSERT_EQ(m.run(m.windows() + "\\COMMAND\\SCANREG.EXE /fix "), 0u);
  expectSmallerWithSameContent();
  EXPECT_EQ(m.files().getFileAttributes(m.windows() + "\\SYSTEM.DAT"), attributes);
}

TEST_F(RegistryRebuild, CheckerFixLeavesEveryFileWhenOneIsDamaged) {
  m.write(m.windows() + "\\USER.DAT", "damaged");
  const std::string system = m.read(m.windows() + "\\SYSTEM.DAT");
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\SCANREG.EXE /opt"), 1u);
  EXPECT_EQ(m.read(m.windows() + "\\SYSTEM.DAT"), system);
}

}  // namespace
}  // namespace simulators_test
