// ZipOtherUsers: the registry files of every user and the profile folders of
// every further user of a Windows 98 machine with profiles.

#include <gtest/gtest.h>

#include "backup/RegistryCapture.h"
#include "backup/model/BackupTypes.h"
#include "platform/profile/ini_file.h"
#include "tests/backup_registry/capture_machine.h"

namespace regcap_test {
namespace {

using corvasta::kTransferCopy;
using corvasta::kTransferZip;

TEST(ZipOtherUsers, RegistryFilesOfEveryUserButTheCurrentOne) {
  CaptureProgram m{captureMachine(platform::WindowsVersion::Win98, 3)};
  corvasta::TForm1& form = *m.form;
  const std::vector<std::string> candidates = form.backup.items.profileCandidates("user.dat");
  ASSERT_EQ(candidates.size(), 4u);
  const int current =
      form.backup.items.ZipOtherUsers("user.dat", m.setDir + "user.daz", 0, kTransferZip, "", "");

  platform::TIniFile map(*m.machine, m.setDir + "user.ini");
  ASSERT_EQ(map.ReadSection("MultiUsers").size(), 4u);
  for (int n = 0; n < 4; ++n) {
    const std::string key = "user" + std::to_string(n);
    const std::string mapped = map.ReadString("MultiUsers", key, "");
    // Mapped in the short form, in the order Windows directory, then profiles.
    EXPECT_EQ(mapped, corvasta::ShortFileName(*m.machine, candidates[n]));
    const std::string archive = m.setDir + key + ".daz";
    if (n == current) {
      EXPECT_FALSE(m.exists(archive)) << "the current user is transferred by the capture itself";
      EXPECT_TRUE(corvasta::ShortFileName(*m.machine, form.core.loc.userDir + "user.dat") ==
                  mapped);
      continue;
    }
    ASSERT_TRUE(m.exists(archive)) << archive;
    EXPECT_EQ(m.onlyEntryOf(archive), m.read(candidates[n]));
  }
  EXPECT_NE(current, 0) << "the logged-on user has a profile";

  // Spares beside every profile's registry file; the Windows directory's own
  // spare is the capture's first step on 98.
  for (size_t n = 1; n < candidates.size(); ++n) {
    const std::string spare = corvasta::folderPart(candidates[n]) + "user.cvk";
    ASSERT_TRUE(m.exists(spare)) << spare;
    EXPECT_EQ(m.read(spare), m.read(candidates[n]));
  }
  EXPECT_FALSE(m.exists(form.core.loc.windowsDir + "user.cvk"));
  EXPECT_FALSE(form.core.ErrorFlag);
}

TEST(ZipOtherUsers, CopyModeWritesDatFilesAndWindows95KeepsEverySpare) {
  CaptureProgram m{captureMachine(platform::WindowsVersion::Win95, 1)};
  corvasta::TForm1& form = *m.form;
  const int current =
      form.backup.items.ZipOtherUsers("user.dat", m.setDir + "user.daz", 0, kTransferCopy, "", "");
  EXPECT_EQ(current, 1);
  EXPECT_EQ(m.read(m.setDir + "user0.dat"), m.read(form.core.loc.windowsDir + "user.dat"));
  EXPECT_FALSE(m.exists(m.setDir + "user1.dat"));
  EXPECT_EQ(m.read(form.core.loc.windowsDir + "user.cvk"),
            m.read(form.core.loc.windowsDir + "user.dat"));
  EXPECT_EQ(m.read(form.core.loc.userDir + "user.cvk"), m.read(form.core.loc.userDir + "user.dat"));
}

TEST(ZipOtherUsers, FoldersOfFurtherProfilesJoinTheFilesList) {
  CaptureProgram m{captureMachine(platform::WindowsVersion::Win98, 3)};
  corvasta::TForm1& form = *m.form;
  const std::string userDesktop = form.core.loc.userDir + "Desktop\\";
  form.core.Zip1.FilesList = {"kept"};
  // The user's folder given by its short form is still the user's.
  form.backup.items.ZipOtherUsers("Desktop", m.setDir + "desktop.zip", 0, kTransferZip, "",
                                  corvasta::ShortFileName(*m.machine, userDesktop));
  std::vector<std::string> expected{"kept"};
  for (const std::string& folder : form.backup.items.profileCandidates("Desktop")) {
    if (!m.files->directoryExists(folder)) continue;
    if (corvasta::sameFolder(*m.machine, folder, userDesktop)) continue;
    if (corvasta::sameFolder(*m.machine, folder, form.core.loc.windowsDir + "Desktop")) continue;
    expected.push_back(folder + "\\*.*");
  }
  EXPECT_EQ(expected.size(), 3u) << "two further profiles with a desktop";
  EXPECT_EQ(form.core.Zip1.FilesList, expected);
}

}  // namespace
}  // namespace regcap_test
