// The registry values the program reads at start-up, asked through the live
// registry of sample machines: the shell folders of the current user, the
// current user of a Windows 9x machine with profiles, and NT's hive list.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/platform_sample_registry/sample_registry_test_support.h"

namespace {

using namespace platform;
using namespace sample_registry_test;

constexpr const char* kRequiredShellFolders[] = {"Startup", "Desktop",   "AppData",   "Favorites",
                                                 "NetHood", "Recent",    "Programs",  "SendTo",
                                                 "Cache",   "PrintHood", "Start Menu"};

TEST(SampleStartupQueries, MeWithTwoUsersNamesTheCurrentUserAndTheirFolders) {
  auto sample = openSample(WindowsVersion::WinMe, {.users = 2});
  LiveRegistry& registry = *sample->registry;
  EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control",
                        "Current User"),
            "Owner");
  std::string startup = queryString(registry, HKEY_CURRENT_USER, kShellFolders, "Startup");
  EXPECT_EQ(startup, "C:\\WINDOWS\\Profiles\\Owner\\Start Menu\\Programs\\StartUp");
  EXPECT_TRUE(sample->files->directoryExists(startup));
  std::string desktop = queryString(registry, HKEY_CURRENT_USER, kShellFolders, "Desktop");
  EXPECT_EQ(desktop, "C:\\WINDOWS\\Profiles\\Owner\\Desktop");
  EXPECT_TRUE(sample->files->directoryExists(desktop));
  // The Windows directory's user.dat keeps the folders of whoever logs on
  // without a profile.
  EXPECT_EQ(queryString(registry, HKEY_USERS, std::string(".DEFAULT\\") + kShellFolders, "Desktop"),
            "C:\\WINDOWS\\Desktop");
  // classes.dat is HKEY_CLASSES_ROOT on ME.
  EXPECT_EQ(queryString(registry, HKEY_CLASSES_ROOT, ".txt", ""), "txtfile");
  std::vector<std::string> mounts;
  for (const auto& hive : registry.hives()) mounts.push_back(hive.mountPath);
  EXPECT_EQ(mounts, (std::vector<std::string>{"HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                              "HKEY_LOCAL_MACHINE\\Software\\Classes",
                                              "HKEY_USERS\\Owner"}));
  EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE,
                        "Software\\Microsoft\\Windows\\CurrentVersion\\ProfileList\\Anna",
                        "ProfileImagePath"),
            "C:\\WINDOWS\\Profiles\\Anna");
}

TEST(SampleStartupQueries, XpListsItsLoadedHivesWithDevicePaths) {
  auto sample = openSample(WindowsVersion::WinXp);
  LiveRegistry& registry = *sample->registry;
  std::string startup = queryString(registry, HKEY_CURRENT_USER, kShellFolders, "Startup");
  EXPECT_EQ(startup, "C:\\Documents and Settings\\Owner\\Start Menu\\Programs\\Startup");
  EXPECT_TRUE(sample->files->directoryExists(startup));
  EXPECT_TRUE(sample->files->directoryExists(
      queryString(registry, HKEY_CURRENT_USER, kShellFolders, "Desktop")));

  const std::string hivelist = "SYSTEM\\CurrentControlSet\\Control\\hivelist";
  std::vector<std::string> names = valueNames(registry, HKEY_LOCAL_MACHINE, hivelist);
  std::string userSid;
  for (const auto& name : names)
    if (name.rfind("\\REGISTRY\\USER\\S-1-5-21-", 0) == 0 &&
        name.find("_Classes") == std::string::npos)
      userSid = name.substr(15);
  ASSERT_FALSE(userSid.empty());
  for (const std::string& expected :
       std::vector<std::string>{"\\REGISTRY\\MACHINE\\HARDWARE", "\\REGISTRY\\MACHINE\\SYSTEM",
                                "\\REGISTRY\\MACHINE\\SOFTWARE", "\\REGISTRY\\MACHINE\\SAM",
                                "\\REGISTRY\\MACHINE\\SECURITY", "\\REGISTRY\\USER\\.DEFAULT",
                                "\\REGISTRY\\USER\\S-1-5-19", "\\REGISTRY\\USER\\S-1-5-20",
                                "\\REGISTRY\\USER\\" + userSid + "_Classes"})
    EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
  EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE, hivelist, "\\REGISTRY\\MACHINE\\SOFTWARE"),
            "\\Device\\HarddiskVolume1\\WINDOWS\\system32\\config\\software");
  EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE, hivelist, "\\REGISTRY\\USER\\" + userSid),
            "\\Device\\HarddiskVolume1\\Documents and Settings\\Owner\\NTUSER.DAT");

  // The shared folders and the profile list of the software hive.
  std::string common = queryString(
      registry, HKEY_LOCAL_MACHINE,
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Common Desktop");
  EXPECT_EQ(common, "C:\\Documents and Settings\\All Users\\Desktop");
  EXPECT_TRUE(sample->files->directoryExists(common));
  EXPECT_EQ(queryString(registry, HKEY_LOCAL_MACHINE,
                        "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"),
            "C:\\WINDOWS");
}

struct VersionCase {
  WindowsVersion version;
  int users;
};

class EveryVersionRegistry : public ::testing::TestWithParam<VersionCase> {};

TEST_P(EveryVersionRegistry, LoadsAndNamesExistingShellFolders) {
  auto sample = openSample(GetParam().version, {.users = GetParam().users});
  LiveRegistry& registry = *sample->registry;
  EXPECT_GE(registry.hives().size(), 2u);
  for (const char* name : kRequiredShellFolders) {
    std::string folder = queryString(registry, HKEY_CURRENT_USER, kShellFolders, name);
    EXPECT_TRUE(sample->files->directoryExists(folder)) << name << " = " << folder;
  }
  // Every key of every hive can be opened and listed through the calls.
  size_t keys = 0;
  std::vector<HKEY> pending = {HKEY_LOCAL_MACHINE, HKEY_USERS};
  while (!pending.empty()) {
    HKEY key = pending.back();
    pending.pop_back();
    std::vector<std::string> names;
    ASSERT_EQ(registry.enumKeyNames(key, names), WinError::Success);
    for (const auto& name : names) {
      HKEY child = 0;
      if (registry.openKeyEx(key, name, REG_OPTION_BACKUP_RESTORE, KEY_READ, child) ==
          WinError::Success)
        pending.push_back(child);
    }
    if (key != HKEY_LOCAL_MACHINE && key != HKEY_USERS) registry.closeKey(key);
    ++keys;
  }
  EXPECT_GT(keys, 600u);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, EveryVersionRegistry,
    ::testing::Values(VersionCase{WindowsVersion::Win95, 0}, VersionCase{WindowsVersion::Win95, 2},
                      VersionCase{WindowsVersion::Win98, 0}, VersionCase{WindowsVersion::Win98, 3},
                      VersionCase{WindowsVersion::WinMe, 0}, VersionCase{WindowsVersion::Nt4, 1},
                      VersionCase{WindowsVersion::Win2000, 2},
                      VersionCase{WindowsVersion::WinXp, 1}),
    [](const ::testing::TestParamInfo<VersionCase>& info) {
      std::string name;
      for (char c : windowsVersionName(info.param.version))
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
      return name + "_users" + std::to_string(info.param.users);
    });

}  // namespace
