// The EXTRACT command as the program runs it through COMMAND.COM, and its
// other forms.

#include <gtest/gtest.h>

#include "platform/cabinet/cabinet_write.h"
#include "tests/platform_simulators/simulator_machine.h"

namespace simulators_test {
namespace {

using namespace platform;

class ExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program = m.machine().shortPath(m.machine().config().programDirectory);
    cabinet = m.machine().shortPath(m.windows() + "\\SYSBCKUP\\RB004.CAB");
    m.files().createDirectory(m.windows() + "\\r27");
  }
  // The command line of the program's "Use command.com" cabinet extraction.
  uint32_t extractThroughCommandCom(const std::string& arguments) {
    return m.run("Command.com \"" + program + "\" /c Extract " + arguments + " ");
  }

  SimulatorMachine m{WindowsVersion::Win98};
  std::string program;
  std::string cabinet;
};

TEST_F(ExtractTest, UnpacksEveryFileFlatWithStoredAttributesAndDates) {
  ASSERT_EQ(extractThroughCommandCom("/Y /E /L \"" + m.windows() + "\\r27\" " + cabinet), 0u);
  const std::string folder = m.windows() + "\\r27\\";
  for (const char* name : {"SYSTEM.DAT", "USER.DAT", "SYSTEM.INI", "WIN.INI"})
    EXPECT_EQ(m.read(folder + name), cabinetMember(m, cabinet, name)) << name;
  EXPECT_EQ(m.files().getFileAttributes(folder + "SYSTEM.DAT"),
            kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive);
  // The registry files carry the backup's time, not the time of extraction.
  const FileTime system = m.files().getFileTime(folder + "SYSTEM.DAT").lastWrite;
  EXPECT_EQ(m.files().getFileTime(folder + "USER.DAT").lastWrite, system);
  EXPECT_LT(system.value + 864000000000ull * 365, currentFileTime().value);
}

TEST_F(ExtractTest, KeepsExistingFilesWithoutOverwriteSwitch) {
  const std::string target = m.windows() + "\\r27\\WIN.INI";
  m.write(target, "mine");
  ASSERT_EQ(extractThroughCommandCom("/E /L " + m.windows() + "\\r27 " + cabinet), 0u);
  EXPECT_EQ(m.read(target), "mine");
  EXPECT_FALSE(m.read(m.windows() + "\\r27\\SYSTEM.INI").empty());
  // With /Y even the read-only registry files of an earlier run are replaced.
  ASSERT_EQ(extractThroughCommandCom("/Y /E /L " + m.windows() + "\\r27 " + cabinet), 0u);
  ASSERT_EQ(extractThroughCommandCom("/Y /E /L " + m.windows() + "\\r27 " + cabinet), 0u);
  EXPECT_EQ(m.read(target), cabinetMember(m, cabinet, "WIN.INI"));
}

TEST_F(ExtractTest, NamedFilesAndSingleFileCabinets) {
  ASSERT_EQ(m.run("EXTRACT.EXE /L " + m.windows() + "\\r27 " + cabinet + " *.ini"), 0u);
  EXPECT_TRUE(m.files().fileExists(m.windows() + "\\r27\\WIN.INI"));
  EXPECT_FALSE(m.files().fileExists(m.windows() + "\\r27\\SYSTEM.DAT"));
  // A folder given with its final backslash.
  ASSERT_EQ(m.run("EXTRACT.EXE /L " + m.windows() + "\\r27\\ " + cabinet + " system.dat"), 0u);
  EXPECT_TRUE(m.files().fileExists(m.windows() + "\\r27\\SYSTEM.DAT"));

  m.write("C:\\ONE.CAB", mszipCabinet({{"readme.txt", "single", 0, 0x20}}));
  ASSERT_EQ(m.run("EXTRACT.EXE /L C:\\ C:\\ONE.CAB"), 0u);
  EXPECT_EQ(m.read("C:\\readme.txt"), "single");
}

TEST_F(ExtractTest, FailuresSetErrorlevelAndWriteNothing) {
  std::string damaged = m.read(m.windows() + "\\SYSBCKUP\\RB004.CAB");
  damaged.resize(damaged.size() / 2);
  m.write("C:\\DAMAGED.CAB", damaged);
  EXPECT_EQ(m.run("EXTRACT.EXE /Y /E /L C:\\NOWHERE " + cabinet), 1u);
  EXPECT_EQ(m.run("EXTRACT.EXE /Y /E /L " + m.windows() + "\\r27 C:\\MISSING.CAB"), 1u);
  EXPECT_EQ(m.run("EXTRACT.EXE /Y /E /L C:\\ C:\\AUTOEXEC.BAT"), 1u);
  EXPECT_EQ(m.run("EXTRACT.EXE /Q " + cabinet), 1u);
  EXPECT_NE(m.run("EXTRACT.EXE /Y /E /L " + m.windows() + "\\r27 C:\\DAMAGED.CAB"), 0u);
  EXPECT_TRUE(m.journalled("extract", "NOWHERE"));
  // What the damaged cabinet gave before the damage is whole; no part of a
  // file is left.
  for (const FindData& found : m.files().findAll(m.windows() + "\\r27\\*.*")) {
    if (!(found.attributes & kAttributeDirectory)) {
      EXPECT_EQ(m.read(m.windows() + "\\r27\\" + found.name), cabinetMember(m, cabinet, found.name))
          << found.name;
    }
  }
}

}  // namespace
}  // namespace simulators_test
