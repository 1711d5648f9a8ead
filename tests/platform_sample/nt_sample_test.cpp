// A Windows NT 4/2000/XP sample holds what the program backs up and restores,
// found through Windows paths as the program finds it.

#include <gtest/gtest.h>

#include "platform/files/file_system.h"
#include "tests/platform_sample/sample_test_support.h"

using namespace platform;
using sample_test::isFile;
using sample_test::isFolder;

namespace {

const char* const kNtProfileFolders[] = {
    "PrintHood",
    "Application Data",
    "Desktop",
    "Favorites",
    "NetHood",
    "Recent",
    "Start Menu\\Programs",
    "SendTo",
    "Local Settings\\Temporary Internet Files",
};

}  // namespace

TEST(NtSample, XpHoldsEveryWinFilesItemAndProfileFolder) {
  auto created = sample_test::createMachine(WindowsVersion::WinXp);
  const Machine& m = *created->machine;
  EXPECT_EQ(m.config().windowsDirectory, "C:\\WINDOWS");
  EXPECT_EQ(m.config().systemDirectory, "C:\\WINDOWS\\system32");
  EXPECT_TRUE(isFile(m, "C:\\WINDOWS\\system32\\autoexec.nt"));
  EXPECT_TRUE(isFile(m, "C:\\WINDOWS\\system32\\config.nt"));
  EXPECT_TRUE(isFile(m, m.config().environment.at("ComSpec")));
  EXPECT_TRUE(isFile(m, "C:\\WINDOWS\\system32\\command.com"));
  for (const char* root :
       {"ntldr", "ntdetect.com", "boot.ini", "bootfont.bin", "ntbootdd.sys", "bootsect.dos"})
    EXPECT_TRUE(isFile(m, std::string("C:\\") + root));
  for (const char* windows :
       {"win.ini", "system.ini", "regedit.exe", "repair\\setup.log", "repair\\autoexec.nt",
        "system32\\expand.exe", "system32\\main.cpl", "system32\\control.exe"})
    EXPECT_TRUE(isFile(m, std::string("C:\\WINDOWS\\") + windows));
  EXPECT_TRUE(isFolder(m, "C:\\WINDOWS\\system32\\config"));

  std::string profile = "C:\\Documents and Settings\\" + m.config().userName + "\\";
  for (const char* folder : kNtProfileFolders) EXPECT_TRUE(isFolder(m, profile + folder));
  EXPECT_TRUE(isFolder(m, profile + "Start Menu\\Programs\\Startup"));
  EXPECT_TRUE(isFolder(m, "C:\\Documents and Settings\\All Users\\Start Menu\\Programs"));
  EXPECT_TRUE(isFolder(m, "C:\\Documents and Settings\\All Users\\Desktop"));
  // TEMP is in its short form and names the profile's temporary folder.
  std::string temp = m.config().environment.at("TEMP");
  EXPECT_EQ(temp, "C:\\DOCUME~1\\Owner\\LOCALS~1\\Temp");
  EXPECT_EQ(m.resolve(temp).longPath, profile + "Local Settings\\Temp");
}

TEST(NtSample, XpHasOneRestorePointFolderWithASnapshot) {
  auto created = sample_test::createMachine(WindowsVersion::WinXp);
  const Machine& m = *created->machine;
  int restoreFolders = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(m.resolve("C:\\System Volume Information").host)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("_restore{", 0) != 0) continue;
    ++restoreFolders;
    EXPECT_EQ(name.size(), std::string("_restore{12345678-1234-1234-1234-123456789012}").size());
    EXPECT_TRUE(isFolder(m, "C:\\System Volume Information\\" + name + "\\RP1\\Snapshot"));
  }
  EXPECT_EQ(restoreFolders, 1);
}

TEST(NtSample, Nt4And2000UseWinntAndTheirOwnSetupTools) {
  auto nt4 = sample_test::createMachine(WindowsVersion::Nt4);
  EXPECT_EQ(nt4->machine->config().windowsDirectory, "C:\\WINNT");
  EXPECT_TRUE(isFile(*nt4->machine, "C:\\WINNT\\system32\\rdisk.exe"));
  EXPECT_TRUE(isFile(*nt4->machine, "D:\\I386\\winnt32.exe"));
  EXPECT_TRUE(isFolder(*nt4->machine, nt4->machine->config().environment.at("TEMP")));
  EXPECT_FALSE(nt4->machine->resolve("C:\\System Volume Information").exists);

  auto win2000 = sample_test::createMachine(WindowsVersion::Win2000);
  EXPECT_TRUE(isFile(*win2000->machine, "D:\\BOOTDISK\\makeboot.exe"));
  EXPECT_TRUE(isFile(*win2000->machine, "C:\\WINNT\\system32\\config.nt"));
  EXPECT_FALSE(win2000->machine->config().programs.count("rdisk.exe"));
}

TEST(NtSample, UsersMakeProfilesBesideAllUsersAndDefaultUser) {
  platform::sample::SampleOptions options;
  options.users = 3;
  auto created = sample_test::createMachine(WindowsVersion::Win2000, options);
  const Machine& m = *created->machine;
  int profiles = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator(m.resolve("C:\\Documents and Settings").host)) {
    std::string name = entry.path().filename().string();
    if (name == "All Users" || name == "Default User") continue;
    ++profiles;
    EXPECT_TRUE(isFile(m, "C:\\Documents and Settings\\" + name + "\\My Documents\\Letter.txt"));
  }
  EXPECT_EQ(profiles, 3);
}

TEST(NtSample, RefusesAMachineWithoutUsers) {
  testing_support::TempDir temp;
  platform::sample::SampleOptions options;
  options.users = 0;
  EXPECT_THROW(platform::sample::createSampleMachine(temp / "m", WindowsVersion::WinXp, options),
               corvasta::Error);
  EXPECT_FALSE(std::filesystem::exists(temp / "m"));
}

TEST(NtSample, LoaderFilesAndSystemFoldersAreHidden) {
  auto created = sample_test::createMachine(WindowsVersion::WinXp);
  FileSystem files(*created->machine);
  const uint32_t hiddenSystem = kAttributeHidden | kAttributeSystem;
  for (const char* path : {"C:\\ntldr", "C:\\NTDETECT.COM", "C:\\bootfont.bin"})
    EXPECT_EQ(files.getFileAttributes(path), hiddenSystem | kAttributeReadOnly | kAttributeArchive)
        << path;
  EXPECT_EQ(files.getFileAttributes("C:\\boot.ini"), hiddenSystem | kAttributeArchive);
  EXPECT_EQ(files.getFileAttributes("C:\\System Volume Information"),
            kAttributeDirectory | hiddenSystem);
  EXPECT_EQ(files.getFileAttributes("C:\\Documents and Settings\\Owner\\Local Settings"),
            kAttributeDirectory | kAttributeHidden);
  EXPECT_EQ(files.getFileAttributes("C:\\Documents and Settings\\Owner\\Desktop\\Notes.txt"),
            kAttributeArchive);
}
