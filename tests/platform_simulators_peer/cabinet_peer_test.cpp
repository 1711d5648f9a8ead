// Registry backups of the checker checked by cabextract and gcab; cabinets
// gcab makes unpacked by the EXTRACT and EXPAND simulators.

#include <gtest/gtest.h>

#include "tests/platform_simulators/simulator_machine.h"
#include "tests/support/temp_dir.h"

namespace simulators_test {
namespace {

using namespace platform;
using testing_support::readFile;
using testing_support::runCommand;
using testing_support::shellQuoted;

class CabinetPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing_support::haveProgram("cabextract") || !testing_support::haveProgram("gcab"))
      GTEST_SKIP() << "cabextract or gcab not installed";
    std::filesystem::create_directories(dir / "src" / "sub");
    std::filesystem::create_directories(dir / "out");
  }
  // A cabinet gcab makes of files in dir/src, placed on the machine.
  void gcabCabinet(SimulatorMachine& m, const std::string& path,
                   const std::vector<std::string>& names) {
    std::string command =
        "cd " + shellQuoted(dir / "src") + " && gcab -c -z " + shellQuoted(m.host(path));
    for (const std::string& name : names) command += " " + name;
    auto result = runCommand(command);
    ASSERT_EQ(result.exitCode, 0) << result.output;
  }

  testing_support::TempDir dir;
};

TEST_F(CabinetPeer, CabextractAndGcabReadTheCheckersBackup) {
  SimulatorMachine m(WindowsVersion::WinMe);
  ASSERT_EQ(m.run(m.windows() + "\\SCANREGW.EXE /backup"), 0u);
  const std::filesystem::path cabinet = m.host(m.windows() + "\\SYSBCKUP\\RB000.CAB");
  auto tested = runCommand("cabextract -t " + shellQuoted(cabinet));
  ASSERT_EQ(tested.exitCode, 0) << tested.output;
  EXPECT_EQ(tested.output.find("failed"), std::string::npos) << tested.output;

  auto extracted =
      runCommand("cd " + shellQuoted(dir / "out") + " && gcab -x " + shellQuoted(cabinet));
  ASSERT_EQ(extracted.exitCode, 0) << extracted.output;
  for (const char* name : {"SYSTEM.DAT", "USER.DAT", "CLASSES.DAT", "WIN.INI"})
    EXPECT_EQ(readFile(dir / "out" / name), m.read(m.windows() + "\\" + name)) << name;
}

TEST_F(CabinetPeer, ExtractUnpacksWhatGcabWritesFlat) {
  testing_support::writeFile(dir / "src" / "plain.txt", std::string(70000, 'p'));
  testing_support::writeFile(dir / "src" / "sub" / "inner.ini", "[inner]\r\n");
  SimulatorMachine m(WindowsVersion::Win98);
  gcabCabinet(m, "C:\\GCAB.CAB", {"plain.txt", "sub/inner.ini"});
  m.files().createDirectory("C:\\OUT");
  ASSERT_EQ(m.run("EXTRACT.EXE /Y /E /L C:\\OUT C:\\GCAB.CAB"), 0u);
  EXPECT_EQ(m.read("C:\\OUT\\plain.txt"), std::string(70000, 'p'));
  // Folders stored in the cabinet are dropped: every file lands flat.
  EXPECT_EQ(m.read("C:\\OUT\\inner.ini"), "[inner]\r\n");
}

TEST_F(CabinetPeer, ExpandUnpacksAGcabCabinetOnXp) {
  testing_support::writeFile(dir / "src" / "hive.dat", std::string(5000, 'h'));
  SimulatorMachine m(WindowsVersion::WinXp);
  gcabCabinet(m, "C:\\HIVE.DA_", {"hive.dat"});
  ASSERT_EQ(m.run("cmd.exe /c Expand \"C:\\HIVE.DA_\" \"C:\\HIVE.DAT\""), 0u);
  EXPECT_EQ(m.read("C:\\HIVE.DAT"), std::string(5000, 'h'));
}

}  // namespace
}  // namespace simulators_test
