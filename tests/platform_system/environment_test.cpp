// Environment strings, ExpandEnvironmentStrings and the system locations.
#include "platform/system/environment.h"

#include <gtest/gtest.h>

#include "platform/system/system_info.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_machine.h"

using namespace platform;
using testing_support::makeTestMachine;
using testing_support::TempDir;
using testing_support::TestDrive;

namespace {

TEST(Environment, Win9xDefinesItsVariablesFromTheDirectories) {
  TempDir dir;
  auto machine = makeTestMachine(dir.path(), WindowsVersion::Win98);
  EXPECT_EQ(getEnvironmentVariable(*machine, "WINDIR"), "C:\\WINDOWS");
  EXPECT_EQ(getEnvironmentVariable(*machine, "winbootdir"), "C:\\WINDOWS");
  EXPECT_EQ(getEnvironmentVariable(*machine, "ComSpec"), "C:\\WINDOWS\\COMMAND.COM");
  EXPECT_EQ(getEnvironmentVariable(*machine, "temp"), "C:\\WINDOWS\\TEMP");
  EXPECT_EQ(getEnvironmentVariable(*machine, "SystemRoot"), std::nullopt);
  EXPECT_EQ(getEnvironmentVariable(*machine, "USERNAME"), std::nullopt);
}

TEST(Environment, NtDefinesProfileAndSystemVariables) {
  TempDir dir;
  auto xp = makeTestMachine(dir.path(), WindowsVersion::WinXp, {TestDrive{}},
                            [](MachineConfig& config) { config.userName = "Anna"; });
  EXPECT_EQ(getEnvironmentVariable(*xp, "SystemRoot"), "C:\\WINDOWS");
  EXPECT_EQ(getEnvironmentVariable(*xp, "systemdrive"), "C:");
  EXPECT_EQ(getEnvironmentVariable(*xp, "USERPROFILE"), "C:\\Documents and Settings\\Anna");
  EXPECT_EQ(getEnvironmentVariable(*xp, "COMSPEC"), "C:\\WINDOWS\\system32\\cmd.exe");
  EXPECT_EQ(getEnvironmentVariable(*xp, "TMP"),
            "C:\\Documents and Settings\\Anna\\Local Settings\\Temp");
  EXPECT_EQ(getEnvironmentVariable(*xp, "winbootdir"), std::nullopt);

  TempDir nt4Dir;
  auto nt4 = makeTestMachine(nt4Dir.path(), WindowsVersion::Nt4, {TestDrive{}},
                             [](MachineConfig& config) { config.userName = "Bob"; });
  EXPECT_EQ(getEnvironmentVariable(*nt4, "windir"), "C:\\WINNT");
  EXPECT_EQ(getEnvironmentVariable(*nt4, "USERPROFILE"), "C:\\WINNT\\Profiles\\Bob");
  EXPECT_EQ(getEnvironmentVariable(*nt4, "TEMP"), "C:\\TEMP");
}

TEST(Environment, MachineIniOverridesAndAdds) {
  TempDir dir;
  auto machine =
      makeTestMachine(dir.path(), WindowsVersion::WinMe, {TestDrive{}}, [](MachineConfig& config) {
        config.environment = {{"temp", "D:\\T"}, {"MyVar", "x"}, {"TMP", ""}};
      });
  EXPECT_EQ(getEnvironmentVariable(*machine, "TEMP"), "D:\\T");
  EXPECT_EQ(getEnvironmentVariable(*machine, "MYVAR"), "x");
  // TMP is set but empty: GetTempPath passes over it to TEMP.
  EXPECT_EQ(getTempPath(*machine), "D:\\T\\");
  EnvironmentStrings env = machineEnvironment(machine->config());
  EXPECT_EQ(env.find("TEMP")->first, "temp");
}

TEST(Environment, TempPathFallsBackToTheWindowsDirectory) {
  TempDir dir;
  auto machine =
      makeTestMachine(dir.path(), WindowsVersion::Win95, {TestDrive{}}, [](MachineConfig& config) {
        config.environment = {{"TEMP", ""}, {"TMP", "C:\\TMPDIR\\"}};
      });
  EXPECT_EQ(getTempPath(*machine), "C:\\TMPDIR\\");
  TempDir other;
  auto none = makeTestMachine(other.path(), WindowsVersion::Win95, {TestDrive{}},
                              [](MachineConfig& config) {
                                config.environment = {{"TEMP", ""}, {"TMP", ""}};
                              });
  EXPECT_EQ(getTempPath(*none), "C:\\WINDOWS\\");
}

TEST(Environment, ExpansionRules) {
  EnvironmentStrings env{{"windir", "C:\\WINDOWS"}, {"A", "%windir%"}, {"Empty", ""}};
  auto expand = [&](std::string_view text) { return expandEnvironmentStrings(env, text); };
  EXPECT_EQ(expand("%WINDIR%\\system"), "C:\\WINDOWS\\system");
  EXPECT_EQ(expand("%windir%%WinDir%"), "C:\\WINDOWSC:\\WINDOWS");
  EXPECT_EQ(expand("x%unknown%y"), "x%unknown%y");
  // Unknown names are passed over whole, so a following variable still expands.
  EXPECT_EQ(expand("%unknown%%windir%"), "%unknown%C:\\WINDOWS");
  EXPECT_EQ(expand("100%%"), "100%%");
  EXPECT_EQ(expand("%%windir%"), "%%windir%");
  EXPECT_EQ(expand("50% off %windir"), "50% off %windir");
  EXPECT_EQ(expand("tail %"), "tail %");
  EXPECT_EQ(expand("%A%"), "%windir%");  // values are not expanded again
  EXPECT_EQ(expand("[%Empty%]"), "[]");
  EXPECT_EQ(expand(""), "");
}

TEST(SystemInfo, NamesDirectoriesAndSafeMode) {
  TempDir dir;
  auto machine = makeTestMachine(dir.path(), WindowsVersion::Win2000, {TestDrive{}},
                                 [](MachineConfig& config) {
                                   config.userName = "Admin";
                                   config.computerName = "BOX";
                                   config.safeMode = true;
                                 });
  EXPECT_EQ(getWindowsDirectory(*machine), "C:\\WINNT");
  EXPECT_EQ(getSystemDirectory(*machine), "C:\\WINNT\\system32");
  EXPECT_EQ(getUserName(*machine), "Admin");
  EXPECT_EQ(getComputerName(*machine), "BOX");
  EXPECT_EQ(getCleanBootMetric(*machine), 1);
  EXPECT_EQ(expandEnvironmentStrings(*machine, "%USERNAME% on %COMPUTERNAME%"), "Admin on BOX");
}

}  // namespace
