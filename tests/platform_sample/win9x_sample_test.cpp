// A Windows 95/98/ME sample holds what the program backs up and restores,
// found through Windows paths as the program finds it.

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "platform/registry/win9x_registry_read.h"
#include "tests/platform_sample/sample_test_support.h"
#include "tests/support/registry_file.h"
#include "tests/support/temp_dir.h"

using namespace platform;
using sample_test::isFile;
using sample_test::isFolder;

namespace {

// The profile folders' fallbacks under the Windows directory, which are the
// real folders on a machine without user profiles.
const char* const kWin9xProfileFolders[] = {
    "Application Data", "Desktop",
    "Favorites",        "NetHood",
    "Recent",           "Start Menu\\Programs",
    "SendTo",           "Temporary Internet Files",
};

}  // namespace

TEST(Win9xSample, MeHoldsEveryWinFilesItemAndProfileFolder) {
  auto created = sample_test::createMachine(WindowsVersion::WinMe);
  const Machine& m = *created->machine;
  EXPECT_EQ(m.config().windowsDirectory, "C:\\WINDOWS");
  EXPECT_EQ(m.config().systemDirectory, "C:\\WINDOWS\\SYSTEM");
  for (const char* root : {"autoexec.bat", "config.sys", "msdos.sys", "command.com", "io.sys"})
    EXPECT_TRUE(isFile(m, std::string("C:\\") + root));
  for (const char* windows : {"system.cb", "ttfcache", "dosstart.bat", "scanreg.ini", "win.ini",
                              "system.ini", "control.ini", "control.exe", "regedit.exe",
                              "scanregw.exe", "command.com", "command\\ebd\\io.sys"})
    EXPECT_TRUE(isFile(m, std::string("C:\\WINDOWS\\") + windows));
  for (const char* folder : kWin9xProfileFolders)
    EXPECT_TRUE(isFolder(m, std::string("C:\\WINDOWS\\") + folder));
  EXPECT_TRUE(isFolder(m, "C:\\WINDOWS\\Start Menu\\Programs\\StartUp"));
  EXPECT_TRUE(isFolder(m, "C:\\WINDOWS\\Sysbckup"));
  EXPECT_TRUE(isFile(m, "C:\\WINDOWS\\SYSTEM\\main.cpl"));
  EXPECT_TRUE(isFile(m, "C:\\WINDOWS\\COMMAND\\scanreg.exe"));
  EXPECT_TRUE(isFile(m, "C:\\system.1st"));
  // The startup folder as the program finds it without a registry.
  EXPECT_TRUE(isFolder(m, "C:\\WINDOWS\\Startm~1\\Programs\\StartUp"));
  // Windows ME has no protocol.ini in the WinFiles list; scanreg.ini takes its place.
  EXPECT_FALSE(m.resolve("C:\\WINDOWS\\protocol.ini").exists);
}

TEST(Win9xSample, OlderVersionsHaveProtocolIniAndOnly98HasTheRegistryChecker) {
  auto win95 = sample_test::createMachine(WindowsVersion::Win95);
  EXPECT_TRUE(isFile(*win95->machine, "C:\\WINDOWS\\PROTOCOL.INI"));
  EXPECT_FALSE(win95->machine->resolve("C:\\WINDOWS\\scanreg.ini").exists);
  EXPECT_FALSE(win95->machine->config().programs.count("scanregw.exe"));

  auto win98 = sample_test::createMachine(WindowsVersion::Win98);
  EXPECT_TRUE(isFile(*win98->machine, "C:\\WINDOWS\\protocol.ini"));
  EXPECT_TRUE(isFile(*win98->machine, "C:\\WINDOWS\\scanreg.ini"));
  EXPECT_EQ(win98->machine->config().programs.at("scanregw.exe").argument, "scanregw");
}

TEST(Win9xSample, OriginalRegistryIsAReadableRegistryFile) {
  auto created = sample_test::createMachine(WindowsVersion::Win98);
  registry::RegistryTree tree =
      testing_support::readWin9xRegistryFile(created->machine->resolve("C:\\SYSTEM.1ST").host);
  const registry::RegistryKey* current =
      tree.root.findPath("Software\\Microsoft\\Windows\\CurrentVersion");
  ASSERT_NE(current, nullptr);
  const registry::RegistryValue* root = current->findValue("SystemRoot");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(std::string(root->data.begin(), root->data.end()), std::string("C:\\WINDOWS\0", 11));
}

TEST(Win9xSample, UsersTurnProfilesOnWithFoldersOfTheirOwn) {
  platform::sample::SampleOptions options;
  options.users = 3;
  auto created = sample_test::createMachine(WindowsVersion::WinMe, options);
  const Machine& m = *created->machine;
  int profiles = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(m.resolve("C:\\WINDOWS\\Profiles").host)) {
    ++profiles;
    std::string profile = "C:\\WINDOWS\\Profiles\\" + entry.path().filename().string();
    EXPECT_TRUE(isFolder(m, profile + "\\Start Menu\\Programs\\StartUp"));
    EXPECT_TRUE(isFile(m, profile + "\\Desktop\\Notes.txt"));
  }
  EXPECT_EQ(profiles, 3);
  EXPECT_TRUE(isFolder(m, "C:\\WINDOWS\\Profiles\\" + m.config().userName));
  // Without the option there are none.
  auto plain = sample_test::createMachine(WindowsVersion::WinMe);
  EXPECT_FALSE(plain->machine->resolve("C:\\WINDOWS\\Profiles").exists);
}

TEST(Win9xSample, BootFilesAreHiddenSystemAndReadOnlyWithSetupsTimes) {
  auto created = sample_test::createMachine(WindowsVersion::WinMe);
  FileSystem files(*created->machine);
  const uint32_t bootFile = kAttributeHidden | kAttributeSystem | kAttributeReadOnly;
  for (const char* path : {"C:\\IO.SYS", "C:\\MSDOS.SYS", "C:\\SYSTEM.1ST"})
    EXPECT_EQ(files.getFileAttributes(path), bootFile | kAttributeArchive) << path;
  EXPECT_EQ(files.getFileAttributes("C:\\AUTOEXEC.BAT"), kAttributeArchive);
  EXPECT_EQ(files.getFileAttributes("C:\\WINDOWS\\INF"), kAttributeDirectory | kAttributeHidden);
  EXPECT_EQ(files.getFileAttributes("C:\\WINDOWS\\SYSTEM"), kAttributeDirectory);
  // Windows ME's files carry its release date (8 June 2000, 17:00), written and created.
  FileTimes kernel = files.getFileTime("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL");
  const uint64_t release = (960483600ull + kUnixEpochInFileTimeSeconds) * 10000000ull;
  EXPECT_EQ(kernel.lastWrite.value, release);
  EXPECT_EQ(kernel.creation.value, release);
}
