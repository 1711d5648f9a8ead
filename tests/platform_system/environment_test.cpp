// Environment strings, ExpandEnvironmentStrings and the system locations.
#include "platform/system/environment.h"

#include <gtest/gtest.h>

#include "platform/system/system_info.h"
#include "tests/support/machine_builder.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using testing_support::MachineBuilder;
using testing_support::TempDir;

namespace {

TEST(Environment, Win9xDefinesItsVariablesFromTheDirectories) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::Win98).build(dir.path());
  EXPECT_EQ(getEnvironmentVariable(*machine, "WINDIR"), "C:\\WINDOWS");
  EXPECT_EQ(getEnvironmentVariable(*machine, "winbootdir"), "C:\\WINDOWS");
  EXPECT_EQ(getEnvironmentVariable(*machine, "ComSpec"), "C:\\WINDOWS\\COMMAND.COM");
  EXPECT_EQ(getEnvironmentVariable(*machine, "temp"), "C:\\WINDOWS\\TEMP");
  EXPECT_EQ(getEnvironmentVariable(*machine, "SystemRoot"), std::nullopt);
  EXPECT_EQ(getEnvironmentVariable(*machine, "USERNAME"), std::nullopt);
}

TEST(Environment, NtDefinesProfileAndSystemVariables) {
  TempDir dir;
  auto xp = MachineBuilder(WindowsVersion::WinXp).userName("Anna").build(dir.path());
  EXPECT_EQ(getEnvironmentVariable(*xp, "SystemRoot"), "C:\\WINDOWS");
  EXPECT_EQ(getEnvironmentVariable(*xp, "systemdrive"), "C:");
  EXPECT_EQ(getEnvironmentVariable(*xp, "USERPROFILE"), "C:\\Documents and Settings\\Anna");
  EXPECT_EQ(getEnvironmentVariable(*xp, "COMSPEC"), "C:\\WINDOWS\\system32\\cmd.exe");
  EXPECT_EQ(getEnvironmentVariable(*xp, "TMP"),
            "C:\\Documents and Settings\\Anna\\Local Settings\\Temp");
  EXPECT_EQ(getEnvironmentVariable(*xp, "winbootdir"), std::nullopt);

  TempDir nt4Dir;
  auto nt4 = MachineBuilder(WindowsVersion::Nt4).userName("Bob").build(nt4Dir.path());
  EXPECT_EQ(getEnvironmentVariable(*nt4, "windir"), "C:\\WINNT");
  EXPECT_EQ(getEnvironmentVariable(*nt4, "USERPROFILE"), "C:\\WINNT\\Profiles\\Bob");
  EXPECT_EQ(getEnvironmentVariable(*nt4, "TEMP"), "C:\\TEMP");
}

TEST(Environment, MachineIniOverridesAndAdds) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::WinMe)
                     .configure([](MachineConfig& config) {
                       config.environment = {{"temp", "D:\\T"}, {"MyVar", "x"}, {"TMP", ""}};
                     })
                     .build(dir.path());
  EXPECT_EQ(getEnvironmentVariable(*machine, "TEMP"), "D:\\T");
  EXPECT_EQ(getEnvironmentVariable(*machine, "MYVAR"), "x");
  // TMP is set but empty: GetTempPath passes over it to TEMP.
  EXPECT_EQ(getTempPath(*machine), "D:\\T\\");
  EnvironmentStrings env = machineEnvironment(machine->config());
  EXPECT_EQ(env.find("TEMP")->first, "temp");
}

TEST(Environment, TempPathFallsBackToTheWindowsDirectory) {
  TempDir dir;
  auto machine = MachineBuilder(WindowsVersion::Win95)
                     .configure([](MachineConfig& config) {
                       config.environment = {{"TEMP", ""}, {"TMP", "C:\\TMPDIR\\"}};
                     })
                     .build(dir.path());
  EXPECT_EQ(getTempPath(*machine), "C:\\TMPDIR\\");
  TempDir other;
  auto none = MachineBuilder(WindowsVersion::Win95)
                  .configure([](MachineConfig& config) {
                    config.environment = {{"TEMP", ""}, {"TMP", ""}};
                  })
                  .build(other.path());
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
  auto machine = MachineBuilder(WindowsVersion::Win2000)
                     .configure([](MachineConfig& config) {
                       config.userName = "Admin";
                       config.computerName = "BOX";
                       config.safeMode = true;
                     })
                     .build(dir.path());
  EXPECT_EQ(getWindowsDirectory(*machine), "C:\\WINNT");
  EXPECT_EQ(getSystemDirectory(*machine), "C:\\WINNT\\system32");
  EXPECT_EQ(getUserName(*machine), "Admin");
  EXPECT_EQ(getComputerName(*machine), "BOX");
  EXPECT_EQ(getCleanBootMetric(*machine), 1);
  EXPECT_EQ(expandEnvironmentStrings(*machine, "%USERNAME% on %COMPUTERNAME%"), "Admin on BOX");
}

}  // namespace
