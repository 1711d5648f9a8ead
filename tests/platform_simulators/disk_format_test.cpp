// FORMAT and SYS on the diskette drive, as the boot disk maker runs them.

#include <gtest/gtest.h>

#include "tests/platform_simulators/simulator_machine.h"

namespace simulators_test {
namespace {

using namespace platform;

constexpr uint32_t kBootFile = kAttributeReadOnly | kAttributeHidden | kAttributeSystem;

void putOldFiles(SimulatorMachine& m) {
  m.files().createDirectory("A:\\OLD");
  m.write("A:\\OLD\\notes.txt", "old notes");
  m.write("A:\\LOCKED.TXT", "read-only");
  m.files().setFileAttributes("A:\\LOCKED.TXT", kAttributeReadOnly | kAttributeHidden);
}

std::vector<std::string> rootNames(SimulatorMachine& m, const std::string& root) {
  std::vector<std::string> names;
  for (const FindData& found : m.files().findAll(root + "*.*")) names.push_back(found.name);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(DiskFormat, FormatWithSystemMakesABootDiskette) {
  SimulatorMachine m(WindowsVersion::Win98);
  putOldFiles(m);
  ASSERT_EQ(m.run("command.com /c format A: /s /u /v:corvasta"), 0u);
  EXPECT_EQ(rootNames(m, "A:\\"), (std::vector<std::string>{"COMMAND.COM", "IO.SYS", "MSDOS.SYS"}));
  EXPECT_EQ(m.files().getVolumeInformation("A:\\").label, "CORVASTA");
  EXPECT_EQ(m.read("A:\\IO.SYS"), m.read("C:\\IO.SYS"));
  EXPECT_EQ(m.read("A:\\COMMAND.COM"), m.read("C:\\COMMAND.COM"));
  EXPECT_EQ(m.files().getFileAttributes("A:\\IO.SYS") & 0x7u, kBootFile);
  EXPECT_EQ(m.files().getFileAttributes("A:\\MSDOS.SYS") & 0x7u, kBootFile);
}

TEST(DiskFormat, WindowsMeFormatLeavesAnEmptyLabelledDisk) {
  SimulatorMachine m(WindowsVersion::WinMe);
  putOldFiles(m);
  ASSERT_EQ(m.run("command.com /c format A: /u /v:corvasta"), 0u);
  EXPECT_TRUE(rootNames(m, "A:\\").empty());
  EXPECT_EQ(m.files().getVolumeInformation("A:\\").label, "CORVASTA");
  // Formatting without /V asks for a label; the default answer is none.
  ASSERT_EQ(m.run("command.com /c format A: /s"), 0u);
  EXPECT_EQ(m.files().getVolumeInformation("A:\\").label, "");
  // Windows ME's system files come from its emergency boot files.
  EXPECT_EQ(m.read("A:\\IO.SYS"), m.read(m.windows() + "\\COMMAND\\EBD\\IO.SYS"));
}

TEST(DiskFormat, FixedDisksCdRomsAndEmptyDrivesAreNotFormatted) {
  SimulatorMachine m(WindowsVersion::Win98);
  const std::vector<std::string> before = rootNames(m, "C:\\");
  EXPECT_EQ(m.run("command.com /c format C: /u"), 5u);
  EXPECT_EQ(rootNames(m, "C:\\"), before);
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\FORMAT.COM D:"), 4u);
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\FORMAT.COM Q:"), 4u);
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\FORMAT.COM /u"), 4u);
  m.machine().drive('A')->eject();
  EXPECT_EQ(m.run(m.windows() + "\\COMMAND\\FORMAT.COM A: /u"), 4u);
  EXPECT_TRUE(m.journalled("format", "A:"));
}

TEST(DiskFormat, SysAddsTheSystemFilesAndKeepsTheRest) {
  SimulatorMachine m(WindowsVersion::Win98);
  putOldFiles(m);
  ASSERT_EQ(m.run("command.com /c sys A:"), 0u);
  EXPECT_EQ(rootNames(m, "A:\\"),
            (std::vector<std::string>{"COMMAND.COM", "IO.SYS", "LOCKED.TXT", "MSDOS.SYS", "OLD"}));
  // Run again over its own read-only files.
  ASSERT_EQ(m.run("command.com /c sys A:"), 0u);
  const std::string io = m.read("C:\\IO.SYS");
  ASSERT_EQ(m.run("command.com /c sys C:"), 0u);
  EXPECT_EQ(m.read("C:\\IO.SYS"), io);
  EXPECT_EQ(m.run("command.com /c sys D:"), 1u);
}

}  // namespace
}  // namespace simulators_test
