// Every edition end to end as a user runs it: corvasta-machine makes the
// sample machine, `corvasta --console schedule 1` backs up config 1, the
// registry, win.ini and a boot file are damaged on the host, `corvasta
// --console --restore` restores the newest set with every category checked,
// and `corvasta-machine boot` starts Windows again. Afterwards the registry
// exports as before the damage, the files hold their old bytes and nothing
// of the hand-off is left.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::shellQuoted;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

struct Edition {
  const char* name;               // --edition and corvasta-machine's --windows
  int corvastaBackupsItem;        // the source list's "Corvasta Backups" position
  const char* registryFile;       // a registry file to damage
  const char* otherRegistryFile;  // a sound registry file of other content put in its place
  const char* configFile;         // a WinConfig file in the root of drive C
  const char* winIni;             // the Windows directory's win.ini
};

const Edition kEditions[] = {
    {"95", 2, "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DAT", "C:\\AUTOEXEC.BAT",
     "C:\\WINDOWS\\WIN.INI"},
    {"98", 2, "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DAT", "C:\\AUTOEXEC.BAT",
     "C:\\WINDOWS\\WIN.INI"},
    {"me", 2, "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DAT", "C:\\AUTOEXEC.BAT",
     "C:\\WINDOWS\\WIN.INI"},
    {"nt4", 1, "C:\\WINNT\\system32\\config\\software", "C:\\WINNT\\system32\\config\\default",
     "C:\\BOOT.INI", "C:\\WINNT\\WIN.INI"},
    {"2000", 1, "C:\\WINNT\\system32\\config\\software", "C:\\WINNT\\system32\\config\\default",
     "C:\\BOOT.INI", "C:\\WINNT\\WIN.INI"},
    {"xp", 2, "C:\\WINDOWS\\system32\\config\\software", "C:\\WINDOWS\\system32\\config\\default",
     "C:\\BOOT.INI", "C:\\WINDOWS\\WIN.INI"},
};

// The settings text with `section` replaced by `lines` (CR LF each).
std::string withSection(const std::string& ini, const std::string& section,
                        const std::string& lines) {
  std::string kept;
  bool inSection = false;
  size_t start = 0;
  while (start < ini.size()) {
    size_t end = ini.find('\n', start);
    end = end == std::string::npos ? ini.size() : end + 1;
    const std::string line = ini.substr(start, end - start);
    if (!line.empty() && line[0] == '[') inSection = line.rfind("[" + section + "]", 0) == 0;
    if (!inSection) kept += line;
    start = end;
  }
  return kept + "\r\n[" + section + "]\r\n" + lines;
}

CommandResult run(const std::string& program, const std::vector<std::string>& args) {
  std::string line = program;
  for (const auto& arg : args) line += " " + shellQuoted(arg);
  return testing_support::runCommand(line + " 2>&1 </dev/null");
}

class RestoreEveryEdition : public ::testing::TestWithParam<Edition> {
 protected:
  std::string machine() const { return (temp_ / "machine").string(); }
  std::string host(const std::string& winPath) const {
    std::string out = run(CORVASTA_MACHINE_TOOL, {"path", machine(), winPath}).output;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    return out;
  }
  CommandResult corvasta(std::vector<std::string> more) const {
    std::vector<std::string> args{"--console", "--machine", machine(), "--edition",
                                  GetParam().name};
    args.insert(args.end(), more.begin(), more.end());
    return run(CORVASTA_PROGRAM, args);
  }
  std::string registryExport() const {
    return run(CORVASTA_MACHINE_TOOL, {"reg", machine(), "export"}).output;
  }
  TempDir temp_;
};

TEST_P(RestoreEveryEdition, ABackupDamagedRestoredAndBootedIsAsBefore) {
  const Edition& edition = GetParam();
  CommandResult created =
      run(CORVASTA_MACHINE_TOOL, {"create", "--windows", edition.name, machine()});
  ASSERT_EQ(created.exitCode, 0) << created.output;
  // Config 1 as a user sets it up: the registry of this start (Windows 95
  // backs up the previous start's by default), WinConfig files.
  const std::string settings = host("C:\\Program Files\\Corvasta\\vastel.ini");
  const std::string settingsText =
      std::filesystem::exists(settings) ? readFile(settings) : std::string();
  writeFile(settings, withSection(settingsText, "WhichRegistry1", "Previous=0\r\n"));
  CommandResult backedUp = corvasta({"schedule", "1"});
  ASSERT_EQ(backedUp.exitCode, 0) << backedUp.output;
  const std::string registryBefore = registryExport();
  ASSERT_NE(registryBefore.find("REGEDIT4"), std::string::npos) << registryBefore;

  // The damage: a registry file replaced by another sound registry file (one
  // that cannot be read at all is the damaged-registry tests' case), win.ini
  // and a boot file overwritten.
  const std::string registryFile = host(edition.registryFile);
  ASSERT_TRUE(std::filesystem::exists(registryFile)) << registryFile;
  writeFile(registryFile, readFile(host(edition.otherRegistryFile)));
  const std::string configFile = host(edition.configFile);
  const std::string configBefore = readFile(configFile);
  writeFile(configFile, "damaged\r\n");
  const std::string winIni = host(edition.winIni);
  const std::string winIniBefore = readFile(winIni);
  writeFile(winIni, "[windows]\r\nload=damaged.exe\r\n");
  ASSERT_NE(registryExport(), registryBefore);

  writeFile(settings, withSection(readFile(settings), "RestorePreferences",
                                  "RestoreType=" + std::to_string(edition.corvastaBackupsItem) +
                                      "\r\nWinCrash=1\r\nWinUsers=1\r\nUserFiles=1\r\n"
                                      "OtherFiles=0\r\n"));
  writeFile(temp_ / "answers.txt", "Corvasta Backups => Most Recent\n");
  CommandResult restored = corvasta({"--answers", (temp_ / "answers.txt").string(), "--restore"});
  ASSERT_EQ(restored.exitCode, 0) << restored.output;
  EXPECT_NE(restored.output.find(" files restored."), std::string::npos) << restored.output;

  CommandResult booted = run(CORVASTA_MACHINE_TOOL, {"boot", machine()});
  ASSERT_EQ(booted.exitCode, 0) << booted.output;
  EXPECT_EQ(registryExport(), registryBefore) << restored.output << booted.output;
  EXPECT_EQ(readFile(configFile), configBefore);
  EXPECT_EQ(readFile(winIni), winIniBefore);
  EXPECT_FALSE(std::filesystem::exists(host("C:\\startwin.bat")));
  EXPECT_FALSE(std::filesystem::exists(host("C:\\Program Files\\Corvasta\\startwin.bat")));
}

INSTANTIATE_TEST_SUITE_P(Editions, RestoreEveryEdition, ::testing::ValuesIn(kEditions),
                         [](const auto& info) { return std::string("Windows") + info.param.name; });

}  // namespace
