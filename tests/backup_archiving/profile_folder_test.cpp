// Profile folders: one archive gathers the folder from the user's profile,
// the Windows directory, the all-users profile and the other profiles, each
// folder once however it is named, and gives every file back to where it
// came from.
#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "tests/backup_archiving/archiving_run.h"
#include "tests/support/registry_values.h"

using archiving_test::countOf;
using archiving_test::inBackup;
using testing_support::MachineBuilder;
using testing_support::TestProgram;

namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kCommonShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Folders";

// The user profiles of a Windows 9x sample, logged-on user first.
std::vector<std::string> profileNames(TestProgram& m) {
  std::vector<std::string> names;
  const std::string current = m.form->core.loc.userDir;
  for (const platform::FindData& found : m.files->findAll("C:\\WINDOWS\\Profiles\\*.*")) {
    if (found.name == "." || found.name == ".." || found.name == "All Users") continue;
    if (!(found.attributes & platform::kAttributeDirectory)) continue;
    const std::string path = "C:\\WINDOWS\\PROFILES\\" + platform::ansiUpper(found.name) + "\\";
    if (platform::ansiUpper(current) == path)
      names.insert(names.begin(), platform::ansiUpper(found.name));
    else
      names.push_back(platform::ansiUpper(found.name));
  }
  return names;
}

}  // namespace

TEST(ProfileFolderTest, WindowsMeDesktopGathersEveryProfileOnce) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinMe, 2))};
  const std::vector<std::string> users = profileNames(m);
  ASSERT_EQ(users.size(), 2u);
  m.write("C:\\WINDOWS\\All Users\\Desktop\\Shared.txt", "for everyone");
  m.write("C:\\WINDOWS\\Desktop\\Before profiles.txt", "from before");
  const std::string archive = m.setDir + "desktop.zip";

  m.form->backup.items.ZipDir(archive, kShellFolders, 7, true, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");

  const std::vector<std::string> entries = m.entries(archive);
  for (const std::string& user : users)
    EXPECT_EQ(countOf(entries, "C:\\WINDOWS\\PROFILES\\" + user + "\\DESKTOP\\NOTES.TXT"), 1u)
        << user;
  EXPECT_EQ(countOf(entries, "C:\\WINDOWS\\ALL USERS\\DESKTOP\\SHARED.TXT"), 1u);
  EXPECT_EQ(countOf(entries, "C:\\WINDOWS\\DESKTOP\\BEFORE PROFILES.TXT"), 1u);
  EXPECT_EQ(m.form->core.FilesBackedUp, entries.size());
  EXPECT_EQ(m.form->core.Form4.view.overall, 7);
  EXPECT_EQ(m.form->core.Form4.view.status, "Producing desktop.zip");
  EXPECT_FALSE(m.form->core.ErrorFlag);
}

TEST(ProfileFolderTest, OneFolderUnderTwoNamesIsArchivedOnce) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinMe, 2))};
  const std::string user = profileNames(m).front();
  const std::string programs = "C:\\WINDOWS\\Profiles\\" + user + "\\Start Menu\\Programs\\";
  m.write(programs + "Solitaire.lnk", "shortcut");
  m.write("C:\\WINDOWS\\All Users\\Start Menu\\Programs\\Shared.lnk", "shortcut");
  // The shell folder value names the same folder in its short form.
  testing_support::setRegistryString(*m.registry, platform::HKEY_CURRENT_USER, kShellFolders,
                                     "Programs",
                                     "C:\\WINDOWS\\PROFILES\\" + user + "\\STARTM~1\\PROGRAMS");
  // Without "Common Programs" the all-users folder is the one holding "Common Startup".
  testing_support::deleteRegistryValue(*m.registry, platform::HKEY_LOCAL_MACHINE,
                                       kCommonShellFolders, "Common Programs");
  const std::string archive = m.setDir + "start.zip";

  m.form->backup.items.ZipDir(archive, kShellFolders, 1, true, platform::HKEY_CURRENT_USER,
                              "Start Menu\\Programs", "Programs");

  const std::vector<std::string> entries = m.entries(archive);
  size_t solitaire = 0;
  for (const std::string& entry : entries)
    if (entry.size() > 13 && entry.compare(entry.size() - 13, 13, "SOLITAIRE.LNK") == 0)
      ++solitaire;
  EXPECT_EQ(solitaire, 1u);
  EXPECT_EQ(countOf(entries, "C:\\WINDOWS\\ALL USERS\\START MENU\\PROGRAMS\\SHARED.LNK"), 1u);
}

TEST(ProfileFolderTest, WindowsXpDesktopTakesTheProfileAndAllUsers) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinXp))};
  const std::string profile = platform::ansiUpper(m.form->core.loc.userDir);
  ASSERT_NE(profile.find("DOCUMENTS AND SETTINGS"), std::string::npos) << profile;
  m.write("C:\\Documents and Settings\\All Users\\Desktop\\Shared.txt", "for everyone");
  const std::string archive = m.setDir + "desktop.zip";

  m.form->backup.items.ZipDir(archive, kShellFolders, 1, true, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");

  const std::vector<std::string> entries = m.entries(archive);
  EXPECT_EQ(countOf(entries, profile + "DESKTOP\\NOTES.TXT"), 1u);
  EXPECT_EQ(countOf(entries, "C:\\DOCUMENTS AND SETTINGS\\ALL USERS\\DESKTOP\\SHARED.TXT"), 1u);
}

TEST(ProfileFolderTest, MissingShellFolderValueFallsBackToTheWindowsFolder) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinMe))};
  testing_support::deleteRegistryValue(*m.registry, platform::HKEY_CURRENT_USER, kShellFolders,
                                       "Favorites");
  m.write("C:\\WINDOWS\\Favorites\\Kept.url", "[InternetShortcut]");
  const std::string archive = m.setDir + "favorites.zip";

  m.form->backup.items.ZipDir(archive, kShellFolders, 1, true, platform::HKEY_CURRENT_USER,
                              "Favorites", "Favorites");

  EXPECT_EQ(countOf(m.entries(archive), "C:\\WINDOWS\\FAVORITES\\KEPT.URL"), 1u);
}

TEST(ProfileFolderTest, RestoreDirectionPutsFilesBackWhereTheyCameFrom) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinXp))};
  const std::string notes = m.form->core.loc.userDir + "Desktop\\Notes.txt";
  const std::string original = m.read(notes);
  const std::string archive = m.setDir + "desktop.zip";
  m.form->backup.items.ZipDir(archive, kShellFolders, 1, true, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");
  m.files->deleteFile(notes);
  const uint64_t before = m.form->core.FilesBackedUp;

  m.form->backup.items.ZipDir(archive, kShellFolders, 3, false, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");

  ASSERT_TRUE(m.exists(notes));
  EXPECT_EQ(m.read(notes), original);
  EXPECT_EQ(m.form->core.FilesBackedUp - before, m.entries(archive).size());
  EXPECT_EQ(m.form->core.Form4.view.status, "Unzipping desktop.zip");
  EXPECT_EQ(m.form->core.Form4.view.overall, 4);
}

TEST(ProfileFolderTest, RestoreAsksForTheDiskHoldingAMissingArchive) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinMe))};
  m.form->core.backupRun.target = archive::TargetKind::RemovableDisk;
  m.form->core.backupRun.backingUp = false;
  m.ui.expect("desktop.zip not Found - Corvasta", "Retry");
  m.ui.expect("Please insert the next disk.", "Cancel");
  const std::string archive = "A:\\desktop.zip";

  m.form->backup.items.ZipDir(archive, kShellFolders, 5, false, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");

  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.form->core.ErrorFlag);
  EXPECT_EQ(m.form->core.ErrorList, std::vector<std::string>{archive});
  EXPECT_EQ(m.form->core.Form4.view.overall, 0);
}

TEST(ProfileFolderTest, EncryptedArchiveAsksForThePasswordBeforeRestoring) {
  TestProgram m{inBackup(MachineBuilder::sample(platform::WindowsVersion::WinXp))};
  const std::string notes = m.form->core.loc.userDir + "Desktop\\Notes.txt";
  const std::string archive = m.setDir + "desktop.zip";
  m.form->core.Form8.password = "garden";
  m.form->backup.items.ZipDir(archive, kShellFolders, 1, true, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");
  m.files->deleteFile(notes);
  m.form->core.Form8.password.clear();
  m.ui.expect("Password Needed", "garden");

  m.form->backup.items.ZipDir(archive, kShellFolders, 1, false, platform::HKEY_CURRENT_USER,
                              "Desktop", "Desktop");

  EXPECT_TRUE(m.ui.finished());
  EXPECT_TRUE(m.exists(notes));
}
