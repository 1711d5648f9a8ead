// The Registry Editor, the registry checker and MS-DOS COPY when a write
// cannot be done: a drive without room, or a failure machine.ini asks for
// (fail= after the simulator's name). The tool ends with exit code 1 and says
// why in the journal; the files it would have replaced are as they were and
// no half-written file is left under a name anything reads.

#include <gtest/gtest.h>

#include <sstream>

#include "platform/boot/boot_log.h"
#include "platform/boot/dos_session.h"
#include "platform/files/whole_file_write.h"
#include "tests/platform_simulators/free_space_registry.h"
#include "tests/platform_simulators/simulator_machine.h"

namespace simulators_test {
namespace {

using namespace platform;

class ToolFaults : public ::testing::Test {
 protected:
  std::string regedit(const std::string& arguments) { return w + "REGEDIT.EXE " + arguments; }
  bool exists(const std::string& path) { return m.files().fileExists(path); }
  std::string registryFiles() { return m.read(w + "SYSTEM.DAT") + m.read(w + "USER.DAT"); }
  bool siblingLeft() {
    for (const char* name : {"SYSTEM.DAT", "USER.DAT", "ALL.REG"})
      if (exists(siblingOf(w + name))) return true;
    return false;
  }

  SimulatorMachine m{WindowsVersion::Win98};
  const std::string w = m.windows() + "\\";
};

TEST_F(ToolFaults, ExportOnAFullDriveLeavesNoFileNotEvenAnOlderOne) {
  ASSERT_EQ(m.run(regedit("/e " + w + "ALL.REG")), 0u);
  const uint64_t size = m.read(w + "ALL.REG").size();
  ASSERT_GT(size, 3 * 4096u);
  m.write(w + "ALL.REG", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Older]\r\n");
  m.leaveFree(2 * 4096);

  EXPECT_EQ(m.run(regedit("/e " + w + "ALL.REG")), 1u);
  EXPECT_FALSE(exists(w + "ALL.REG"));
  EXPECT_FALSE(siblingLeft());
  EXPECT_TRUE(m.journalled("regedit", "ALL.REG"));
}

TEST_F(ToolFaults, RebuildOnAFullDriveLeavesBothRegistryFiles) {
  ASSERT_EQ(m.run(regedit("/e " + w + "ALL.REG")), 0u);
  const std::string before = registryFiles();
  // Room for neither new file beside the old one.
  m.leaveFree(4096);
  EXPECT_EQ(m.run(regedit("/c " + w + "ALL.REG")), 1u);
  EXPECT_EQ(registryFiles(), before);
  EXPECT_FALSE(siblingLeft());
  EXPECT_TRUE(m.journalled("regedit", "/c"));
}

TEST_F(ToolFaults, RebuildWithRoomReplacesTheFilesWholeAndKeepsAttributes) {
  const std::string system = w + "SYSTEM.DAT";
  m.write(system, withFreeBlock(m.read(system), 16 * 4096));
  m.files().setFileAttributes(system, kAttributeHidden | kAttributeReadOnly);
  ASSERT_EQ(m.run(regedit("/e " + w + "ALL.REG")), 0u);
  const uint64_t sizeBefore = m.read(system).size();
  // Less room than the file takes: enough only because the rebuilt one is smaller.
  m.leaveFree(sizeBefore - 12 * 4096);
  ASSERT_EQ(m.run(regedit("/c " + w + "ALL.REG")), 0u);
  EXPECT_LT(m.read(system).size(), sizeBefore);
  EXPECT_EQ(m.files().getFileAttributes(system), kAttributeHidden | kAttributeReadOnly);
  EXPECT_FALSE(siblingLeft());
}

TEST_F(ToolFaults, CopyThatFailsWritingDeletesItsTargetAMissingSourceLeavesIt) {
  m.write("C:\\BIG.DAT", std::string(64 * 1024, 'b'));
  m.write("C:\\TARGET.DAT", "the old target");
  m.write("C:\\KEPT.DAT", "kept");
  m.leaveFree(4 * 4096);
  std::ostringstream out;
  boot::BootLog log(m.machine(), out);
  boot::DosSession session(m.machine(), m.files(), log);
  session.runCommandLine("copy C:\\BIG.DAT C:\\TARGET.DAT");
  session.runCommandLine("copy C:\\MISSING.DAT C:\\KEPT.DAT");
  session.runCommandLine("copy C:\\BIG.DAT C:\\NEW.DAT");
  EXPECT_FALSE(exists("C:\\TARGET.DAT")) << out.str();
  EXPECT_EQ(m.read("C:\\KEPT.DAT"), "kept");
  EXPECT_FALSE(exists("C:\\NEW.DAT"));
  EXPECT_TRUE(m.journalled("boot", "TARGET.DAT"));
}

TEST_F(ToolFaults, FailCreateStopsTheRebuildOfTheFileItNamesBeforeAnyWrite) {
  ASSERT_EQ(m.run(regedit("/e " + w + "ALL.REG")), 0u);
  const std::string before = registryFiles();
  m.program("regedit.exe", "simulator regedit fail=create:USER.DAT");
  EXPECT_EQ(m.run(regedit("/c " + w + "ALL.REG")), 1u);
  EXPECT_EQ(registryFiles(), before);
  EXPECT_TRUE(m.journalled("regedit", "USER.DAT"));

  // By full path: that file only; other editor work goes on.
  m.program("regedit.exe", "simulator regedit fail=create:" + w + "SYSTEM.DAT");
  EXPECT_EQ(m.run(regedit("/c " + w + "ALL.REG")), 1u);
  EXPECT_EQ(registryFiles(), before);
  EXPECT_EQ(m.run(regedit("/e " + w + "TWO.REG")), 0u);
  m.program("regedit.exe", "simulator regedit fail=create:" + w + "OTHER.DAT");
  EXPECT_EQ(m.run(regedit("/c " + w + "ALL.REG")), 0u);
}

TEST_F(ToolFaults, FailExportRemovesAnOlderExportAndFailFixChangesNothing) {
  m.write(w + "ALL.REG", "REGEDIT4\r\n");
  m.program("regedit.exe", "simulator regedit fail=export");
  EXPECT_EQ(m.run(regedit("/e " + w + "ALL.REG")), 1u);
  EXPECT_FALSE(exists(w + "ALL.REG"));

  m.write(w + "USER.DAT", withFreeBlock(m.read(w + "USER.DAT"), 4096));
  const std::string before = registryFiles();
  m.program("scanreg.exe", "simulator scanreg fail=fix");
  EXPECT_EQ(m.run(w + "COMMAND\\SCANREG.EXE /fix"), 1u);
  EXPECT_EQ(registryFiles(), before);
  EXPECT_TRUE(m.journalled("scanreg", "/fix"));
}

}  // namespace
}  // namespace simulators_test
