// Undo RegPack on Windows 95, 98 and ME with three user profiles: the .zzz
// copies go back over the registry files (in MS-DOS mode through startwin.bat,
// or on ME through wininit.ini at the next start) and after the start of
// Windows every registry file holds the bytes of its copy again.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/core/Locations.h"
#include "app/core/TextLines.h"
#include "tests/regpack_undo/undo_scenario.h"

namespace regpack_test {
namespace {

constexpr const char* kQuestion = "Undo RegPack must restart Windows to proceed.";

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

size_t linesContaining(const std::vector<std::string>& lines, const std::string& part) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                           [&](const auto& line) { return contains(line, part); }));
}

TEST(UndoRegPack, Win98PifMethodPutsEveryCopyBackInMsDosMode) {
  UndoScenario s(platform::WindowsVersion::Win98);
  ASSERT_EQ(s.profileUserFiles().size(), 3u);
  s.makeUndoCopies();
  s.changeAll();

  s.m.ui.expect(kQuestion, "Yes");
  s.m.form->Button6Click();
  ASSERT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  EXPECT_FALSE(s.m.form->core.RegistryBusy);

  const std::string batchFile = s.m.programDir() + "startwin.bat";
  const std::string batch = s.m.read(batchFile);
  const std::vector<std::string> lines = corvasta::splitLines(batch);
  const std::string w = corvasta::ShortFileName(*s.m.machine, s.windows());
  ASSERT_EQ(lines.size(), 12u + 4 * 3) << batch;
  EXPECT_EQ(lines[0], "@smartdrv");
  EXPECT_EQ(lines[1], "@echo RegPack Process of Corvasta 98");
  EXPECT_EQ(lines[2], "@echo    Restoring Old System Settings from Backup");
  // Each copy goes down beside its registry file and takes the name WININIT
  // moves over it only when whole.
  EXPECT_EQ(lines[3], "@" + w + "command\\attrib -s -h -r " +
                          corvasta::ShortFileName(*s.m.machine, s.windows() + "system.dat"));
  EXPECT_EQ(lines[4], "@copy " + corvasta::ShortFileName(*s.m.machine, s.windows() + "system.zzz") +
                          " " + w + "system.cpy");
  EXPECT_EQ(lines[5], "@ren " + w + "system.cpy system.und");
  EXPECT_EQ(lines[8], "@ren " + w + "user.cpy user.und");
  const std::string firstUser = corvasta::ShortFileName(*s.m.machine, s.profileUserFiles()[0]);
  EXPECT_EQ(lines[9].substr(0, 30), "@echo    Restoring Old Anna Us") << lines[9];
  EXPECT_EQ(lines[10], "@" + w + "command\\attrib -s -h -r " + firstUser);
  EXPECT_EQ(lines[11].substr(0, 6), "@copy ");
  EXPECT_FALSE(contains(batch, "@del ")) << batch;
  EXPECT_EQ(s.m.profileString(s.windows() + "wininit.ini", "Rename", firstUser),
            firstUser.substr(0, firstUser.size() - 3) + "UND");
  EXPECT_EQ(lines[lines.size() - 3], "@echo    RegPack Undo Finished - Restarting Windows");
  EXPECT_EQ(lines[lines.size() - 2], "@pause");
  EXPECT_EQ(lines.back(), "del startwin.bat");
  EXPECT_EQ(batch.substr(batch.size() - 2), "\r\n");
  EXPECT_EQ(std::count(batch.begin(), batch.end(), '\n'),
            std::count(batch.begin(), batch.end(), '\r'));
  // The pif method leaves Windows without an end line.
  EXPECT_TRUE(contains(s.log(), ">>> Undo RegPack started at "));
  EXPECT_FALSE(contains(s.log(), "<<< Undo RegPack"));

  s.m.restartWindows({});
  EXPECT_EQ(s.registryNow(), s.original) << s.m.bootLog;
  EXPECT_FALSE(s.m.exists(batchFile));
  // The copies stay for another Undo.
  for (const std::string& file : s.registryFiles)
    EXPECT_TRUE(s.m.exists(file.substr(0, file.size() - 3) + "zzz")) << file;
}

TEST(UndoRegPack, NoLeavesEverythingAsItIs) {
  UndoScenario s(platform::WindowsVersion::Win98);
  s.makeUndoCopies();
  s.changeAll();
  s.m.ui.expect(kQuestion, "No");
  s.m.form->Button6Click();
  EXPECT_TRUE(s.m.ui.finished());
  EXPECT_FALSE(s.m.exists(s.m.programDir() + "startwin.bat"));
  s.m.restartWindows({});
  EXPECT_EQ(s.registryNow(), s.changed);
}

TEST(UndoRegPack, Win95AutoexecMethodAddsOneLineAndReboots) {
  UndoScenario s(platform::WindowsVersion::Win95);
  s.m.form->core.Form8.config.windowsRestart = 1;  // the Windows Restart preference "autoexec.bat"
  s.makeUndoCopies();
  s.changeAll();
  const std::string root = s.m.form->core.loc.rootDir;
  const std::vector<std::string> autoexecBefore =
      corvasta::splitLines(s.m.read(root + "autoexec.bat"));

  s.m.ui.expect(kQuestion, "Yes");
  s.m.form->Button6Click();
  ASSERT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  const std::vector<std::string> autoexec = corvasta::splitLines(s.m.read(root + "autoexec.bat"));
  EXPECT_EQ(autoexec.size(), autoexecBefore.size() + 1);
  EXPECT_EQ(linesContaining(autoexec, "startwin.bat"), 1u);
  EXPECT_TRUE(s.m.exists(s.m.startup() + "cleanup.lnk"));
  const std::vector<std::string> batch = corvasta::splitLines(s.m.read(root + "startwin.bat"));
  EXPECT_EQ(batch[1], "@echo RegPack Process of Corvasta 95");
  EXPECT_TRUE(contains(s.log(), "<<< Undo RegPack finished - "));

  s.m.restartWindows({});
  EXPECT_EQ(s.registryNow(), s.original) << s.m.bootLog;
  EXPECT_FALSE(s.m.exists(root + "startwin.bat"));
}

TEST(UndoRegPack, AProfileWithoutItsCopyKeepsItsUserDat) {
  UndoScenario s(platform::WindowsVersion::Win98);
  s.makeUndoCopies();
  s.changeAll();
  const std::string kept = s.profileUserFiles()[1];
  s.m.files->setFileAttributes(kept.substr(0, kept.size() - 3) + "zzz", platform::kAttributeNormal);
  s.m.files->deleteFile(kept.substr(0, kept.size() - 3) + "zzz");

  s.m.ui.expect(kQuestion, "Yes");
  s.m.form->Button6Click();
  ASSERT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  const std::vector<std::string> lines =
      corvasta::splitLines(s.m.read(s.m.programDir() + "startwin.bat"));
  EXPECT_EQ(lines.size(), 12u + 4 * 2);
  EXPECT_EQ(linesContaining(lines, corvasta::ShortFileName(*s.m.machine, kept)), 0u);

  s.m.restartWindows({});
  std::map<std::string, std::string> expected = s.original;
  expected[kept] = s.changed[kept];
  EXPECT_EQ(s.registryNow(), expected) << s.m.bootLog;
}

TEST(UndoRegPack, ADamagedProfileCopyIsNamedAndNotPutBack) {
  UndoScenario s(platform::WindowsVersion::Win98);
  s.makeUndoCopies();
  s.changeAll();
  const std::string damagedUser = s.profileUserFiles()[0];
  const std::string damagedCopy = damagedUser.substr(0, damagedUser.size() - 3) + "zzz";
  s.m.writeOnHost(damagedCopy, "not a registry");

  s.m.ui.expect(damagedCopy, "OK");
  s.m.ui.expect(kQuestion, "Yes");
  s.m.form->Button6Click();
  ASSERT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  s.m.restartWindows({});
  std::map<std::string, std::string> expected = s.original;
  expected[damagedUser] = s.changed[damagedUser];
  EXPECT_EQ(s.registryNow(), expected) << s.m.bootLog;
}

TEST(UndoRegPack, ADamagedOrMissingWindowsCopyStopsBeforeAnything) {
  UndoScenario s(platform::WindowsVersion::Win98);
  s.makeUndoCopies();
  s.changeAll();
  const std::string userCopy = s.windows() + "USER.ZZZ";
  s.m.writeOnHost(userCopy, "REGEDIT4 is no registry file");
  s.m.ui.expect(userCopy, "OK");
  s.m.form->Button6Click();
  EXPECT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();

  s.m.files->setFileAttributes(userCopy, platform::kAttributeNormal);
  s.m.files->deleteFile(userCopy);
  s.m.ui.expect(userCopy, "OK");
  s.m.form->Button6Click();
  EXPECT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  EXPECT_FALSE(s.m.exists(s.m.programDir() + "startwin.bat"));
  s.m.restartWindows({});
  EXPECT_EQ(s.registryNow(), s.changed);
}

TEST(UndoRegPack, MissingCommandPifIsReportedBeforeTheQuestion) {
  UndoScenario s(platform::WindowsVersion::Win98);
  s.makeUndoCopies();
  s.m.files->deleteFile(s.m.programDir() + "command.pif");
  s.m.ui.expect("Command.pif missing", "OK");
  s.m.form->Button6Click();
  EXPECT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  EXPECT_FALSE(s.m.exists(s.m.programDir() + "startwin.bat"));
}

TEST(UndoRegPack, WindowsMePutsTheCopiesBackThroughWininit) {
  UndoScenario s(platform::WindowsVersion::WinMe);
  s.makeUndoCopies();
  s.changeAll();
  s.m.ui.expect(kQuestion, "Yes");
  s.m.form->Button6Click();
  ASSERT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  const std::string wininit = s.windows() + "wininit.ini";
  for (const std::string& file : s.registryFiles)
    EXPECT_NE(s.m.profileString(wininit, "Rename", corvasta::ShortFileName(*s.m.machine, file)),
              "@")
        << file;
  // Until the start of Windows the registry stays as it is.
  EXPECT_EQ(s.registryNow(), s.changed);
  EXPECT_TRUE(contains(s.log(), ">>> Undo RegPack started at "));
  EXPECT_TRUE(contains(s.log(), "<<< Undo RegPack finished - "));

  s.m.restartWindows({});
  EXPECT_EQ(s.registryNow(), s.original) << s.m.bootLog;
  for (const std::string& file : s.registryFiles)
    EXPECT_TRUE(s.m.exists(file.substr(0, file.size() - 3) + "zzz")) << file;
  EXPECT_FALSE(s.m.exists(wininit));
}

TEST(UndoRegPack, WindowsMeWithoutRoomForTheCopiesNamesNothingInWininit) {
  UndoScenario s(platform::WindowsVersion::WinMe);
  s.makeUndoCopies();
  s.changeAll();
  constexpr uint64_t kLarge = uint64_t{1} << 40;
  auto capacity = [](uint64_t bytes) {
    return [bytes](platform::MachineConfig& config) {
      for (auto& drive : config.drives)
        if (drive.letter == 'C') drive.capacity = bytes;
    };
  };
  s.m.reconfigureMachine(capacity(kLarge));
  const uint64_t used = kLarge - s.m.files->getDiskFreeSpaceEx("C:\\").totalFreeBytes;
  // Room for half of the copies.
  uint64_t total = 0;
  for (const auto& [file, bytes] : s.original) total += bytes.size();
  s.m.reconfigureMachine(capacity(used + total / 2));

  s.m.ui.expect(kQuestion, "Yes");
  s.m.ui.expect("Undo RegPack NOT Successful", "OK");
  try {
    s.m.form->Button6Click();
  } catch (const std::exception& error) {
    std::string shown;
    for (const std::string& line : s.m.ui.transcript) shown += line + "\n";
    FAIL() << error.what() << "\n" << shown << s.m.form->core.ActivityLog;
  }
  ASSERT_TRUE(s.m.ui.finished()) << s.m.ui.pendingPatterns().front();
  EXPECT_FALSE(s.m.exists(s.windows() + "wininit.ini"));
  EXPECT_TRUE(s.m.list("C:\\Temp").empty());
  EXPECT_TRUE(contains(s.log(), "<<< Undo RegPack not successful - "));
  EXPECT_FALSE(s.m.form->core.RegistryBusy);
  s.m.reconfigureMachine(capacity(kLarge));
  s.m.restartWindows({});
  EXPECT_EQ(s.registryNow(), s.changed);
}

}  // namespace
}  // namespace regpack_test
