// Every edition end to end as a user runs it: corvasta-machine makes the
// sample machine, `corvasta --console schedule 1` backs up config 1, the
// registry, win.ini, a boot file, a profile file and an Other Files file are
// damaged, `corvasta --console --restore` restores the newest set with every
// category checked, and `corvasta-machine boot` starts Windows again.
// Afterwards the registry exports as before the damage, the files hold their
// old bytes, attributes and times, and nothing of the hand-off is left.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/core/machine.h"
#include "platform/files/file_attributes.h"
#include "platform/files/file_system.h"
#include "tests/support/ini_text.h"
#include "tests/support/temp_dir.h"

using testing_support::CommandResult;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::withSection;
using testing_support::writeFile;

namespace {

struct Edition {
  const char* name;               // --edition and corvasta-machine's --windows
  int corvastaBackupsItem;        // the source list's "Corvasta Backups" position
  const char* registryFile;       // a registry file to damage
  const char* otherRegistryFile;  // a sound registry file of other content put in its place
  const char* configFile;         // a WinConfig file in the root of drive C
  const char* winIni;             // the Windows directory's win.ini
  int desktopItem;                // the WinFiles position of desktop.zip
  bool profilesFolder;            // profiles lie in "Documents and Settings"
};

const Edition kEditions[] = {
    {"95", 2, "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DAT", "C:\\AUTOEXEC.BAT",
     "C:\\WINDOWS\\WIN.INI", 11, false},
    {"98", 2, "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DAT", "C:\\AUTOEXEC.BAT",
     "C:\\WINDOWS\\WIN.INI", 11, false},
    {"me", 2, "C:\\WINDOWS\\USER.DAT", "C:\\WINDOWS\\SYSTEM.DAT", "C:\\AUTOEXEC.BAT",
     "C:\\WINDOWS\\WIN.INI", 11, false},
    {"nt4", 1, "C:\\WINNT\\system32\\config\\software", "C:\\WINNT\\system32\\config\\default",
     "C:\\BOOT.INI", "C:\\WINNT\\WIN.INI", 13, true},
    {"2000", 1, "C:\\WINNT\\system32\\config\\software", "C:\\WINNT\\system32\\config\\default",
     "C:\\BOOT.INI", "C:\\WINNT\\WIN.INI", 13, true},
    {"xp", 2, "C:\\WINDOWS\\system32\\config\\software", "C:\\WINDOWS\\system32\\config\\default",
     "C:\\BOOT.INI", "C:\\WINDOWS\\WIN.INI", 13, true},
};

// A file as a restore must bring it back: bytes, attributes apart from the
// archive bit, last-write time to the two seconds an archive entry keeps.
struct FileState {
  std::string bytes;
  uint32_t attributes = 0;
  uint64_t lastWrite = 0;
  bool operator==(const FileState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const FileState& state) {
  return out << "[\"" << state.bytes.substr(0, 24) << "\" attributes " << state.attributes
             << " time " << state.lastWrite << "]";
}

// The machine's files through Windows' calls, opened afresh for each look so
// that what the program and the boot wrote is seen.
struct MachineFiles {
  explicit MachineFiles(const std::string& folder)
      : machine(platform::Machine::open(folder)), files(*machine) {}

  void write(const std::string& path, const std::string& bytes, uint32_t attributes,
             uint64_t unixTime) {
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
      if (!files.directoryExists(path.substr(0, slash)))
        files.createDirectory(path.substr(0, slash));
    if (files.fileExists(path)) files.setFileAttributes(path, platform::kAttributeNormal);
    platform::FileHandle out = files.createFile(path, platform::kGenericWrite, 0,
                                                platform::CreationDisposition::CreateAlways);
    out.write(bytes.data(), bytes.size());
    out.close();
    const platform::FileTime time{(unixTime + platform::kUnixEpochInFileTimeSeconds) *
                                  platform::kFileTimeTicksPerSecond};
    files.setFileTime(path, time, time, time);
    files.setFileAttributes(path, attributes);
  }
  FileState state(const std::string& path) {
    if (!files.fileExists(path)) return {};
    platform::FileHandle in =
        files.createFile(path, platform::kGenericRead, platform::kFileShareRead,
                         platform::CreationDisposition::OpenExisting);
    std::string bytes(files.getFileSize(path), '\0');
    in.read(bytes.data(), bytes.size());
    const uint32_t attributes =
        files.getFileAttributes(path) & ~(platform::kAttributeArchive | platform::kAttributeNormal);
    return {bytes, attributes, files.getFileTime(path).lastWrite.value / 20'000'000};
  }

  std::unique_ptr<platform::Machine> machine;
  platform::FileSystem files;
};

CommandResult run(const std::string& program, const std::vector<std::string>& args) {
  return testing_support::runProgram(program, args);
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
  // The Desktop folder of the logged-on user of the sample.
  std::string desktop() const {
    const std::string info = run(CORVASTA_MACHINE_TOOL, {"info", machine()}).output;
    const auto field = [&](const std::string& name) {
      const size_t at = info.find(name + ": ");
      const size_t start = at + name.size() + 2;
      return at == std::string::npos ? std::string()
                                     : info.substr(start, info.find('\n', start) - start);
    };
    return GetParam().profilesFolder
               ? "C:\\Documents and Settings\\" + field("User") + "\\Desktop\\"
               : field("Windows directory") + "\\Desktop\\";
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
  // and an Other Files entry of text files below C:\Docs.
  const std::string settings = host("C:\\Program Files\\Corvasta\\vastel.ini");
  std::string settingsText = std::filesystem::exists(settings) ? readFile(settings) : std::string();
  settingsText = withSection(settingsText, "WhichRegistry1", "Previous=0\r\n");
  settingsText =
      withSection(settingsText, "Checks1", std::to_string(edition.desktopItem) + "=1\r\n");
  settingsText = withSection(settingsText, "MultiFiles0",
                             "FileName=Docs\r\nPath=C:\\Docs\\\r\nFileType0=\">*.txt\"\r\n"
                             "SubDirectories=1\r\nCheck1=1\r\n");
  writeFile(settings, settingsText);
  const std::string profileFile = desktop() + "note.txt";
  const std::string otherFile = "C:\\Docs\\letter.txt";
  const std::vector<std::string> watched{profileFile, otherFile, "C:\\Docs\\Sub\\list.txt"};
  std::vector<FileState> filesBefore;
  {
    MachineFiles files(machine());
    files.write(profileFile, "on the desktop", platform::kAttributeHidden, 1'000'000'000);
    files.write(otherFile, "Dear reader", platform::kAttributeReadOnly, 1'000'086'400);
    files.write(watched[2], "eggs, milk", platform::kAttributeNormal, 1'000'172'800);
    for (const std::string& file : watched) filesBefore.push_back(files.state(file));
  }
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
  {
    // The profile file lost, the Other Files file edited as a user does:
    // the read-only mark taken off and put back.
    MachineFiles files(machine());
    files.files.setFileAttributes(profileFile, platform::kAttributeNormal);
    files.files.deleteFile(profileFile);
    files.write(otherFile, "overwritten", platform::kAttributeReadOnly, 1'100'000'000);
    files.files.deleteFile(watched[2]);
  }
  ASSERT_NE(registryExport(), registryBefore);

  writeFile(settings, withSection(readFile(settings), "RestorePreferences",
                                  "RestoreType=" + std::to_string(edition.corvastaBackupsItem) +
                                      "\r\nWinCrash=1\r\nWinUsers=1\r\nUserFiles=1\r\n"
                                      "OtherFiles=1\r\n"));
  writeFile(temp_ / "answers.txt", "Corvasta Backups => Most Recent\n");
  CommandResult restored = corvasta({"--answers", (temp_ / "answers.txt").string(), "--restore"});
  ASSERT_EQ(restored.exitCode, 0) << restored.output;
  EXPECT_NE(restored.output.find(" files restored."), std::string::npos) << restored.output;

  CommandResult booted = run(CORVASTA_MACHINE_TOOL, {"boot", machine()});
  ASSERT_EQ(booted.exitCode, 0) << booted.output;
  EXPECT_EQ(registryExport(), registryBefore) << restored.output << booted.output;
  EXPECT_EQ(readFile(configFile), configBefore);
  EXPECT_EQ(readFile(winIni), winIniBefore);
  {
    MachineFiles files(machine());
    for (size_t i = 0; i < watched.size(); ++i)
      EXPECT_EQ(files.state(watched[i]), filesBefore[i]) << watched[i];
  }
  EXPECT_FALSE(std::filesystem::exists(host("C:\\startwin.bat")));
  EXPECT_FALSE(std::filesystem::exists(host("C:\\Program Files\\Corvasta\\startwin.bat")));
}

INSTANTIATE_TEST_SUITE_P(Editions, RestoreEveryEdition, ::testing::ValuesIn(kEditions),
                         [](const auto& info) { return std::string("Windows") + info.param.name; });

}  // namespace
