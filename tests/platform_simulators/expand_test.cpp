// The NT EXPAND command: the repair copies of NT 4, files compressed with
// COMPRESS, and members of larger cabinets.

#include <gtest/gtest.h>

#include "platform/cabinet/cabinet_write.h"
#include "platform/registry/nt_hive_read.h"
#include "tests/platform_simulators/simulator_machine.h"
#include "tests/support/registry_file.h"

namespace simulators_test {
namespace {

using namespace platform;

// SZDD data as COMPRESS -R writes it, with every byte stored as a literal
// (a flag byte of eight set bits before each run of eight bytes).
std::string szdd(const std::string& content, char missingChar) {
  std::string data("SZDD\x88\xF0\x27\x33", 8);
  data += 'A';
  data += missingChar;
  for (int i = 0; i < 4; ++i) data += static_cast<char>((content.size() >> (8 * i)) & 0xFF);
  for (size_t i = 0; i < content.size(); i += 8) {
    data += '\xFF';
    data += content.substr(i, 8);
  }
  return data;
}

class ExpandTest : public ::testing::Test {
 protected:
  SimulatorMachine m{WindowsVersion::Nt4};
};

TEST_F(ExpandTest, RepairCopyExpandsAsTheNtRestoreRunsIt) {
  const std::string repair = m.windows() + "\\repair\\";
  ASSERT_TRUE(m.files().fileExists(repair + "software._"));
  ASSERT_EQ(m.run("cmd.exe /c Expand \"" + repair + "software._\" \"" + repair + "software\""), 0u);
  EXPECT_NO_THROW(testing_support::readNtHiveFile(m.host(repair + "software")));
  EXPECT_TRUE(m.files().fileExists(repair + "software._"));
}

TEST_F(ExpandTest, CompressedFileGetsItsNameBackWithRename) {
  const std::string content = "[Version]\r\nSignature=\"$Windows NT$\"\r\n";
  m.files().createDirectory("C:\\SETUP");
  m.files().createDirectory("C:\\OUT");
  m.write("C:\\SETUP\\SETUP.IN_", szdd(content, 'F'));
  ASSERT_EQ(m.run("expand.exe -r C:\\SETUP\\SETUP.IN_ C:\\OUT"), 0u);
  EXPECT_EQ(m.read("C:\\OUT\\SETUP.INF"), content);
  ASSERT_EQ(m.run("expand.exe C:\\SETUP\\SETUP.IN_ C:\\OUT\\copy.txt"), 0u);
  EXPECT_EQ(m.read("C:\\OUT\\copy.txt"), content);
  // -R without a destination expands beside the source.
  ASSERT_EQ(m.run("expand.exe -R C:\\SETUP\\SETUP.IN_"), 0u);
  EXPECT_EQ(m.read("C:\\SETUP\\SETUP.INF"), content);
  EXPECT_EQ(m.files().getFileTime("C:\\SETUP\\SETUP.INF").lastWrite,
            m.files().getFileTime("C:\\SETUP\\SETUP.IN_").lastWrite);
}

TEST_F(ExpandTest, ChosenMembersOfACabinetGoToAFolder) {
  m.files().createDirectory("C:\\OUT");
  m.write("C:\\DRIVERS.CAB", mszipCabinet({{"a.sys", "driver a", 0, 0x20},
                                           {"b.sys", "driver b", 0, 0x21},
                                           {"notes.txt", "notes", 0, 0x20}}));
  ASSERT_EQ(m.run("expand.exe C:\\DRIVERS.CAB -F:*.sys C:\\OUT"), 0u);
  EXPECT_EQ(m.read("C:\\OUT\\a.sys"), "driver a");
  EXPECT_EQ(m.read("C:\\OUT\\b.sys"), "driver b");
  EXPECT_EQ(m.files().getFileAttributes("C:\\OUT\\b.sys"), kAttributeReadOnly | kAttributeArchive);
  EXPECT_FALSE(m.files().fileExists("C:\\OUT\\notes.txt"));
  // Three files cannot become one file.
  EXPECT_EQ(m.run("expand.exe C:\\DRIVERS.CAB C:\\OUT\\all.bin"), 1u);
  EXPECT_FALSE(m.files().fileExists("C:\\OUT\\all.bin"));
}

TEST_F(ExpandTest, FailuresLeaveTheSourceAlone) {
  m.write("C:\\BROKEN._", std::string("SZDD\x88\xF0\x27\x33", 8));
  EXPECT_EQ(m.run("expand.exe C:\\BROKEN._ C:\\BROKEN.TXT"), 1u);
  EXPECT_FALSE(m.files().fileExists("C:\\BROKEN.TXT"));
  EXPECT_EQ(m.run("expand.exe C:\\NOTHERE._ C:\\OUT.TXT"), 1u);
  EXPECT_EQ(m.run("expand.exe C:\\BROKEN._"), 1u);
  m.write("C:\\PLAIN.TXT", "plain");
  EXPECT_EQ(m.run("expand.exe C:\\PLAIN.TXT C:\\PLAIN.TXT"), 1u);
  EXPECT_EQ(m.read("C:\\PLAIN.TXT"), "plain");
  EXPECT_TRUE(m.journalled("expand", "BROKEN"));
}

}  // namespace
}  // namespace simulators_test
