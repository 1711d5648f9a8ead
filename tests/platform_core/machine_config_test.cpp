// machine.ini validation: each problem reported with its line number.
#include "platform/core/machine_config.h"

#include <gtest/gtest.h>

using platform::MachineConfigError;
using platform::parseMachineConfig;

namespace {

std::string errorOf(const std::string& text) {
  try {
    parseMachineConfig(text, "/machines/m");
  } catch (const MachineConfigError& error) {
    return error.what();
  }
  return "no error";
}

const std::string kMachine = "[Machine]\nWindows=98\n";
const std::string kDriveC = "[Drive C]\nFolder=c\n";

TEST(MachineConfig, AcceptsAMinimalMachine) {
  auto config = parseMachineConfig(kMachine + kDriveC, "/machines/m");
  ASSERT_EQ(config.drives.size(), 1u);
  EXPECT_EQ(config.drives[0].folder, "/machines/m/c");
  EXPECT_EQ(config.windowsDirectory, "C:\\WINDOWS");
  EXPECT_EQ(config.systemDirectory, "C:\\WINDOWS\\SYSTEM");
}

TEST(MachineConfig, ErrorsNameTheLine) {
  EXPECT_EQ(errorOf(kMachine + "Colour=blue\n" + kDriveC),
            "machine.ini line 3: unknown key 'Colour' in [Machine]");
  EXPECT_EQ(errorOf(kMachine + "[Drive C]\nFolder=c\nType=floppy\n"),
            "machine.ini line 5: unknown drive type 'floppy' (expected fixed, removable, cdrom "
            "or ramdisk)");
  EXPECT_EQ(errorOf(kMachine + kDriveC + "[Drive c:]\nFolder=other\n"),
            "machine.ini line 5: drive C: is described twice");
  EXPECT_EQ(errorOf(kMachine + kDriveC + "[drive c]\nType=bogus\nFolder=x\n"),
            "machine.ini line 5: section [drive c] appears twice (first at line 3)");
  EXPECT_EQ(errorOf(kMachine + kDriveC + "[MACHINE]\nWindows=xp\n"),
            "machine.ini line 5: section [MACHINE] appears twice (first at line 1)");
  EXPECT_EQ(errorOf(kMachine + "[Drive D]\nLabel=DATA\n"),
            "machine.ini line 3: [Drive D] needs Folder= (the host folder of the drive)");
  EXPECT_EQ(errorOf("[Machine]\nWindows=vista\n" + kDriveC),
            "machine.ini line 2: unknown Windows version 'vista' (expected 95, 98, me, nt4, "
            "2000 or xp)");
  EXPECT_EQ(errorOf(kMachine + kDriveC + "[Drives]\n"),
            "machine.ini line 5: unknown section [Drives]");
  EXPECT_EQ(errorOf(kMachine + kDriveC + "just text\n"),
            "machine.ini line 5: expected 'key=value', '[section]' or a ';' comment, found "
            "'just text'");
  EXPECT_EQ(errorOf("Windows=98\n" + kMachine + kDriveC),
            "machine.ini line 1: key 'Windows' before any section");
  EXPECT_EQ(errorOf(kMachine + "[Drive C]\nFolder=c\nCapacity=12k\n"),
            "machine.ini line 5: Capacity must be a number, found '12k'");
  EXPECT_EQ(errorOf(kMachine + kDriveC + "[Programs]\nx.exe=run\n"),
            "machine.ini line 6: program action must be 'simulator NAME', 'host COMMAND' or "
            "'exit CODE', found 'run'");
}

TEST(MachineConfig, ErrorsWithoutALine) {
  EXPECT_EQ(errorOf(kDriveC), "machine.ini: missing section [Machine]");
  EXPECT_EQ(errorOf(kMachine),
            "machine.ini: no drive: a machine needs at least one [Drive X] section");
}

TEST(MachineConfig, SimulatorFaultsAreCheckedAndKept) {
  const std::string head = kMachine + kDriveC + "[Programs]\n";
  auto refusal = [&](const std::string& line) { return errorOf(head + line + "\n"); };
  EXPECT_NE(refusal("regedit.exe=simulator regedit fail=explode").find("explode"),
            std::string::npos);
  EXPECT_NE(refusal("regedit.exe=simulator regedit fail=explode").find("create"),
            std::string::npos);
  EXPECT_NE(refusal("regedit.exe=simulator regedit fail=create").find("file name"),
            std::string::npos);
  EXPECT_NE(refusal("regedit.exe=simulator regedit fail=export:X").find("no operand"),
            std::string::npos);
  EXPECT_NE(refusal("scanreg.exe=simulator scanreg fail=export").find("scanreg"),
            std::string::npos);
  EXPECT_NE(refusal("regedit.exe=simulator regedit loud").find("fail=NAME"), std::string::npos);

  platform::MachineConfig config =
      parseMachineConfig(head + "regedit.exe=simulator regedit fail=create:USER.DAT\n", "/nowhere");
  const platform::ProgramAction& action = config.programs.at("regedit.exe");
  EXPECT_EQ(action.argument, "regedit");
  ASSERT_NE(action.fault("create"), nullptr);
  EXPECT_EQ(action.fault("create")->operand, "USER.DAT");
  EXPECT_EQ(action.fault("export"), nullptr);
  EXPECT_NE(platform::formatMachineConfig(config, "/nowhere")
                .find("simulator regedit fail=create:USER.DAT"),
            std::string::npos);
}

}  // namespace
